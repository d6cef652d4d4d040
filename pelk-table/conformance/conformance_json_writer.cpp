#include "pelk-table/conformance/conformance_json_writer.h"

#include <nlohmann/json.hpp>

#include "pelk-table/report/machine_json.h"
#include "pelk-table/run/machine_run.h"

namespace {

using JSON_ = nlohmann::ordered_json;

// Why a test starts with init; null when it goes on where the last ended.
JSON_ startJson(TOUR_TEST_::Start start) {
    switch (start) {
    case TOUR_TEST_::kFirst:
        return "first";
    case TOUR_TEST_::kAfterPastLast:
        return "after-past-last-state";
    case TOUR_TEST_::kNothingReachable:
        return "nothing-untested-reachable";
    case TOUR_TEST_::kPartStart:
        return "part-start";
    case TOUR_TEST_::kScenario:
        return "scenario";
    case TOUR_TEST_::kGoOn:
        break;
    }
    return nullptr;
}

}  // namespace

std::string CConformanceJsonWriter::write(const CConformanceTour& tour, const TEST_ORIGIN_& origin) {
    const CSTTable& table = tour.table();
    JSON_ json;
    json["table"] = origin.table;
    json["machine"] = origin.machine;
    json["target"] = origin.target;
    json["part"] = origin.part;
    json["parts"] = origin.parts;
    json["summary"] = {{"cellsTested", tour.cellTestCount()},
                       {"cellsNotTested", tour.untested().size()},
                       {"scenarios", tour.tests().size() - tour.cellTestCount()},
                       {"steps", tour.steps().size()},
                       {"inits", tour.initCount()}};
    JSON_ tests = JSON_::array();
    for (size_t t = 0; t < tour.tests().size(); ++t) {
        const TOUR_TEST_& test = tour.tests()[t];
        JSON_ item;
        item["test"] = t + 1;
        if (test.scenario >= 0) {
            item["scenario"] = tour.scenarioNames()[static_cast<size_t>(test.scenario)];
        } else {
            const TOUR_STEP_& cell = tour.steps()[test.endStep - 1];
            item["cell"] = {{"state", CMachineJson::state(table, cell.state)},
                            {"event", CMachineJson::event(table, cell.event)}};
        }
        item["init"] = startJson(test.start);
        JSON_ steps = JSON_::array();
        for (size_t s = test.firstStep; s < test.endStep; ++s) {
            const TOUR_STEP_& step = tour.steps()[s];
            steps.push_back({{"state", CMachineJson::state(table, step.state)},
                             {"event", CMachineJson::event(table, step.event)},
                             {"expect",
                              {{"state", CMachineJson::state(table, step.next)},
                               {"actions", CMachineRun::step(table, step.state, step.event).actions}}}});
        }
        item["steps"] = steps;
        tests.push_back(item);
    }
    json["tests"] = tests;
    JSON_ untested = JSON_::array();
    for (const UNTESTED_CELL_& cell : tour.untested())
        untested.push_back({{"state", CMachineJson::state(table, cell.state)},
                            {"event", CMachineJson::event(table, cell.event)},
                            {"reason", cell.reason}});
    json["notTested"] = untested;
    // A name that is no UTF-8 is written with U+FFFD, as every form does.
    return json.dump(2, ' ', false, JSON_::error_handler_t::replace) + "\n";
}
