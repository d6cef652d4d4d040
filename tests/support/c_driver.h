#ifndef PELK_TESTS_SUPPORT_C_DRIVER_H
#define PELK_TESTS_SUPPORT_C_DRIVER_H

#include <string>
#include <vector>

/// One step of a generated machine's run: the event it is fed (or
/// kDriverInit, a call of its init routine) and what must follow: the state
/// its getter returns and the numbers of the actions called, in order.
struct DriverStep {
    int event;
    int state;
    std::vector<int> actions;
};

/// The event of a step that calls the init routine instead.
constexpr int kDriverInit = 255;

/// A generated machine (the -n name) and its run.
struct DriverMachine {
    std::string name;
    std::vector<DriverStep> steps;
};

/// A C89 program that runs generated machines and checks every step: action
/// routines that log their numbers (actions[i] is number i + 1), each
/// machine's run as data, and a main that calls
///     static int finish( unsigned int machine, unsigned int failed )
/// with the first machine that went wrong (counted from 1) and its first
/// wrong check (1: the state after init, n + 2: step n), or with 0 and 0, and
/// returns its result. prelude goes first (includes, checks at compile time);
/// finish is the definition of finish.
std::string cDriverProgram(const std::vector<std::string>& actions, const std::vector<DriverMachine>& machines,
                           const std::string& prelude, const std::string& finish);

/// A finish for the host: prints "passed", or "machine M wrong at check C",
/// and makes the exit status 1 after a failure.
extern const char kHostFinish[];

#endif
