#include "pelk-table/cli/run_command.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include "pelk-table/check/checker.h"
#include "pelk-table/cli/tool_options.h"
#include "pelk-table/model/near_name.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/run/machine_run.h"
#include "pelk-table/run/scenario_file.h"
#include "table/table_reader.h"

namespace {

// A state as the trace names it: its name, or "#N" for a number past the
// last state, which has none.
std::string stateLabel(const CSTTable& table, int state) {
    if (state >= 0 && state < table.stateCount())
        return table.stateName(state);
    return "#" + std::to_string(state);
}

nlohmann::ordered_json stateJson(const CSTTable& table, int state) {
    nlohmann::ordered_json json;
    json["number"] = state;
    if (state >= 0 && state < table.stateCount())
        json["name"] = table.stateName(state);
    else
        json["name"] = nullptr;
    return json;
}

// "1 OFF PUSH -> ON LampOn": "->" for a cell with a next state, "--" for
// one without, so that the two stay apart even when the state is the same.
std::string traceLine(const CSTTable& table, const RUN_STEP_& step) {
    std::string line = std::to_string(step.step) + " " + stateLabel(table, step.state) + " " +
                       table.eventName(step.event) + (step.transition ? " -> " : " -- ") + stateLabel(table, step.next);
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

void CRunCommand::setUp(CLI::App& app, int& status) {
    CLI::App* command = app.add_subcommand("run", "step the machine of a table through events and print the trace");
    command->add_option("TABLE", m_table, "table file (TSV, .xlsx or .ods); '-' is standard input")
        ->required()
        ->type_name("");
    command->add_option("EVENT", m_events, "events by name or number; without them, one a line from standard input")
        ->type_name("");
    CToolOptions::addSheetOption(*command, m_sheet);
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
        "             2 usage error.\n");
    command->callback([this, &status]() { status = run(std::cin, std::cout, std::cerr); });
}

int CRunCommand::run(std::istream& scenario, std::ostream& out, std::ostream& err) {
    CTableModel model(m_table, "");
    model.setSheet(m_sheet);
    const CSTTable& table = model.table();
    const std::string name = model.displayName();
    std::string error;
    int status = CToolOptions::kFindings;
    bool readable = false;
    if (!model.load())
        error = CToolOptions::loadMessage(model);
    else if (CToolOptions::refuseUnreadable(model, CChecker::run(model, CHECK_OPTIONS_()), err))
        error = name + " is not a table pelk accepts: no run";
    else
        readable = true;

    int start = 0;
    int expect = -1;
    for (const auto& option : {std::make_pair("--from", &m_from), std::make_pair("--expect", &m_expect)}) {
        if (!error.empty() || option.second->empty())
            continue;
        const int state = CMachineRun::findState(table, *option.second);
        if (state < 0) {
            error = std::string(option.first) + ": " + name + " has no state '" + *option.second + "'" +
                    CNearName::suggestion(*option.second, CMachineRun::stateNames(table));
            status = CToolOptions::kUsage;
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
        const int number = CMachineRun::findEvent(table, event.text);
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
        error = "the run ends in " + stateLabel(table, machine.state()) + ", not in " + stateLabel(table, expect) +
                " (--expect)";

    if (m_format == "json") {
        nlohmann::ordered_json json;
        json["table"] = name;
        json["start"] = readable ? stateJson(table, start) : nlohmann::ordered_json();
        json["steps"] = nlohmann::ordered_json::array();
        for (const RUN_STEP_& step : machine.steps()) {
            nlohmann::ordered_json item;
            item["step"] = step.step;
            item["state"] = stateJson(table, step.state);
            item["event"] = {{"number", step.event}, {"name", table.eventName(step.event)}};
            item["transition"] = step.transition;
            item["next"] = stateJson(table, step.next);
            item["actions"] = step.actions;
            json["steps"].push_back(item);
        }
        json["end"] = readable ? stateJson(table, machine.state()) : nlohmann::ordered_json();
        if (error.empty())
            json["error"] = nullptr;
        else
            json["error"] = error;
        // A name that is no UTF-8 is written with U+FFFD, as every form does.
        out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    }
    if (!error.empty()) {
        err << "pelk-table: " << error << '\n';
        return status;
    }
    return CToolOptions::kClean;
}
