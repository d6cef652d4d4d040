#ifndef PELK_TABLE_CONFORMANCE_CONFORMANCE_TOUR_H
#define PELK_TABLE_CONFORMANCE_CONFORMANCE_TOUR_H

#include <string>
#include <vector>

#include "table/st_table.h"

/// One event the test sends: the state it arrives in and the state the
/// machine must be in after it (the state itself for a cell without a next
/// state; a number past the last state when the cell names one).
struct TOUR_STEP_ {
    int state = 0;
    int event = 0;
    int next = 0;
};

/// One test: the steps from where the previous test ended (or from init)
/// to the cell it tests, which is the cell of its last step; or a scenario,
/// played from init.
struct TOUR_TEST_ {
    /// Why the test starts with init_NAMEfsm(), if it does.
    enum Start {
        kGoOn,              ///< no init: it goes on where the previous test ended
        kFirst,             ///< the first test of the tour
        kAfterPastLast,     ///< the previous step stored a state past the last one
        kNothingReachable,  ///< no untested cell can be reached from where the machine is
        kPartStart,         ///< the first test of a part of a split tour
        kScenario,          ///< a scenario, always played from init
    };
    Start start = kGoOn;
    size_t firstStep = 0;  ///< index into steps()
    size_t endStep = 0;    ///< one past its last step
    int scenario = -1;     ///< index into scenarioNames(); -1 for a cell's test
};

/// A cell the tour cannot test, and why.
struct UNTESTED_CELL_ {
    int state = 0;
    int event = 0;
    std::string reason;
};

/// CConformanceTour is the walk that tests every cell of every state that
/// can be reached from state 0, for the generated conformance test. It
/// takes an untested cell of the current state where there is one (one
/// that stays first, then one that leads to a state with untested cells,
/// then any, and a cell whose next state lies past the last state last,
/// since the machine must be re-initialised after it), otherwise walks the
/// shortest way to the nearest state that has one, and re-initialises only
/// when none can be reached. States are stepped as CMachineRun steps them.
class CConformanceTour {
public:
    /// The tour of table, which must outlive it.
    explicit CConformanceTour(const CSTTable& table);

    /// Appends a scenario, its events played from init as one more test.
    /// The events must be numbers of events of the table; a step past the
    /// last state may only be the last one.
    void addScenario(const std::string& name, const std::vector<int>& events);

    /// Part k (from 1) of n: the tests of the tour cut into n runs of about
    /// the same number of steps, each starting from init (a part that
    /// starts in the middle walks the shortest way from state 0 first).
    /// The untested cells go with part 1, the scenarios with part n.
    CConformanceTour part(int k, int n) const;

    const CSTTable& table() const { return *m_table; }
    const std::vector<TOUR_STEP_>& steps() const { return m_steps; }
    const std::vector<TOUR_TEST_>& tests() const { return m_tests; }
    const std::vector<UNTESTED_CELL_>& untested() const { return m_untested; }
    const std::vector<std::string>& scenarioNames() const { return m_scenarioNames; }
    /// The tests of cells (the scenarios follow them in tests()).
    size_t cellTestCount() const;
    /// How often the tour calls init_NAMEfsm() (its start included).
    size_t initCount() const;

    /// The step that enters state s on the shortest way from state 0, whose
    /// state is the one before s on that way; {-1, -1, -1} for state 0 and
    /// for a state that cannot be reached.
    const TOUR_STEP_& wayInto(int s) const { return m_wayInto[static_cast<size_t>(s)]; }
    /// The steps of the shortest way from state 0 to s, in order.
    std::vector<TOUR_STEP_> wayFromStart(int s) const;
    /// True when state s can be reached from state 0.
    bool reachable(int s) const { return s == 0 || m_wayInto[static_cast<size_t>(s)].event >= 0; }

private:
    CConformanceTour() = default;
    TOUR_STEP_ stepOf(int state, int event) const;
    void findWays();
    void walk();

    const CSTTable* m_table = nullptr;
    std::vector<TOUR_STEP_> m_steps;
    std::vector<TOUR_TEST_> m_tests;
    std::vector<UNTESTED_CELL_> m_untested;
    std::vector<std::string> m_scenarioNames;
    std::vector<TOUR_STEP_> m_wayInto;
};

#endif
