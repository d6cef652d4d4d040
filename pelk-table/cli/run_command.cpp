#include "pelk-table/cli/run_command.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include "pelk-table/check/checker.h"
#include "pelk-table/cli/exit_status.h"
#include "pelk-table/cli/loaded_table.h"
#include "pelk-table/cli/table_options.h"
#include "pelk-table/model/near_name.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/report/finding_text.h"
#include "pelk-table/report/machine_json.h"
#include "pelk-table/run/machine_run.h"
#include "pelk-table/run/scenario_file.h"
#include "table/table_reader.h"

namespace {

// "1 OFF PUSH -> ON LampOn": "->" for a cell with a next state, "--" for
// one without, so that the two stay apart even when the state is the same.
std::string traceLine(const CSTTable& table, const RUN_STEP_& step) {
    std::string line = std::to_string(step.step) + " " + CTableRules::stateLabel(table, step.state) + " " +
                       table.eventName(step.event) + (step.transition ? " -> " : " -- ") +
                       CTableRules::stateLabel(table, step.next);
    for (const std::string& action : step.actions)
        line += " " + action;
    return line;
}

// One event of the scenario and the place it came from, for the messages.
struct SCENARIO_EVENT_ {
    std::string text;
    std::string place;
};

}  // namespace

void CRunCommand::setUp(CLI::App& app, int& status, const CDiagnosticStyle& style) {
    CLI::App* command = app.add_subcommand("run", "step the machine of a table through events and print the trace");
    CTableOptions::addTable(*command, m_table);
    command->add_option("EVENT", m_events, "events by name or number; without them, one a line from standard input")
        ->type_name("");
    CTableOptions::addSheet(*command, m_sheet);
    command->add_option("--from", m_from, "start in STATE (name or number) instead of state 0")->type_name("STATE");
    command->add_option("--expect", m_expect, "exit status 1 unless the run ends in STATE")->type_name("STATE");
    command->add_option("--format", m_format, "text (default) or json")
        ->check(CLI::IsMember({"text", "json"}))
        ->type_name("FORMAT");
    command->footer(
        "Trace: one line per event: STEP STATE EVENT -> NEXT ACTION...; '--' instead of '->'\n"
        "       when the cell has no transition. A name is looked up before a number.\n"
        "Standard input: one event a line; blank lines and lines starting with '#' are skipped.\n"
        "Exit status: 0 run done (and in the --expect state), 1 error in the table or the run,\n"
        "             2 usage error, 3 internal error.\n");
    command->callback([this, &status, &style]() { status = run(std::cin, std::cout, std::cerr, style); });
}

int CRunCommand::run(std::istream& scenario, std::ostream& out, std::ostream& err, const CDiagnosticStyle& style) {
    CLoadedTable loaded(m_table, m_sheet, CHECK_OPTIONS_());
    const CTableModel& model = loaded.model();
    const CSTTable& table = model.table();
    const std::string name = model.displayName();
    std::string error;
    int status = kExitFindings;
    // The table's own messages are written as it is loaded; the JSON form
    // names the failure as well.
    bool said = true;
    switch (loaded.load(err, "no run", style.textStyle())) {
    case CLoadedTable::kReady:
        said = false;
        break;
    case CLoadedTable::kUnreadable:
        error = CFindingText::message(CChecker::unreadable(model).message);
        status = loaded.badSheet() ? kExitUsage : kExitFindings;
        break;
    case CLoadedTable::kRefused:
        error = CLoadedTable::refusalSentence(name, "no run");
        break;
    }
    const bool readable = !said;

    int start = 0;
    int expect = -1;
    for (const auto& option : {std::make_pair("--from", &m_from), std::make_pair("--expect", &m_expect)}) {
        if (!error.empty() || option.second->empty())
            continue;
        const int state = CTableRules::findState(table, *option.second);
        if (state < 0) {
            error = std::string(option.first) + ": " + name + " has no state '" + *option.second + "'" +
                    CNearName::suggestion(*option.second, CMachineRun::stateNames(table));
            status = kExitUsage;
            break;
        }
        (option.second == &m_from ? start : expect) = state;
    }

    CMachineRun machine(table, start);
    auto take = [&](const SCENARIO_EVENT_& event) {
        if (table.stateCount() == 0) {
            error = name + " has no states: its machine cannot take an event";
            return false;
        }
        const int number = CTableRules::findEvent(table, event.text);
        if (number < 0) {
            if (CTableReader::isNumber(event.text.c_str()))
                error = event.place + ": event number " + event.text + " is out of range: " + name +
                        (table.eventCount() ? " has events 0 to " + std::to_string(table.eventCount() - 1)
                                            : " has no events");
            else
                error = event.place + ": " + name + " has no event '" + event.text + "'" +
                        CNearName::suggestion(event.text, CMachineRun::eventNames(table));
            return false;
        }
        const RUN_STEP_& step = machine.take(number);
        if (m_format == "text")
            out << traceLine(table, step) << '\n' << std::flush;
        if (!machine.stateValid()) {
            error = event.place + ": " + CMachineRun::stopSentence(table, step.state, step.event, step.next);
            return false;
        }
        return true;
    };

    if (!error.empty()) {
        // No run: the table or an option is wrong.
    } else if (!m_events.empty()) {
        for (size_t i = 0; i < m_events.size(); ++i) {
            if (!take({m_events[i], "event argument " + std::to_string(i + 1)}))
                break;
        }
    } else {
        std::string text;
        int number = 0;
        while (CScenarioFile::nextEvent(scenario, number, text)) {
            if (!take({text, "standard input line " + std::to_string(number)}))
                break;
        }
    }
    if (error.empty() && expect >= 0 && machine.state() != expect)
        error = "the run ends in " + CTableRules::stateLabel(table, machine.state()) + ", not in " +
                CTableRules::stateLabel(table, expect) + " (--expect)";

    if (m_format == "json") {
        nlohmann::ordered_json json;
        json["table"] = name;
        json["start"] = readable ? CMachineJson::state(table, start) : nlohmann::ordered_json();
        json["steps"] = nlohmann::ordered_json::array();
        for (const RUN_STEP_& step : machine.steps()) {
            nlohmann::ordered_json item;
            item["step"] = step.step;
            item["state"] = CMachineJson::state(table, step.state);
            item["event"] = CMachineJson::event(table, step.event);
            item["transition"] = step.transition;
            item["next"] = CMachineJson::state(table, step.next);
            item["actions"] = step.actions;
            json["steps"].push_back(item);
        }
        json["end"] = readable ? CMachineJson::state(table, machine.state()) : nlohmann::ordered_json();
        if (error.empty())
            json["error"] = nullptr;
        else
            json["error"] = error;
        // A name that is no UTF-8 is written with U+FFFD, as every form does.
        out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    }
    if (!error.empty()) {
        if (!said)
            err << "pelk-table: " << error << '\n';
        return status;
    }
    return kExitClean;
}
