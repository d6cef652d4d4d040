#include "pelk-table/conformance/conformance_c_writer.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "pelk-table/conformance/conformance_runtime.h"
#include "pelk-table/run/machine_run.h"

namespace {

// A C89 compiler must take string literals of 509 characters and source
// lines of 509; a name's literal stands on a line of its own, after a tab.
const size_t kLongestLiteral = 500;

// The smallest unsigned type that holds every value up to most.
std::string typeFor(unsigned long most) {
    return most <= 255 ? "unsigned char" : most <= 65535 ? "unsigned short" : "unsigned long";
}

// A const array of numbers, sixteen a line; C has no empty arrays, so an
// empty one holds a 0 that is never read.
void writeNumbers(std::string& out, const std::string& name, const std::vector<unsigned long>& values) {
    const unsigned long most = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    out += "static const " + typeFor(most) + " " + name + "[] = {";
    if (values.empty())
        out += " 0";
    for (size_t i = 0; i < values.size(); ++i) {
        out += i % 16 == 0 ? "\n\t" : " ";
        out += std::to_string(values[i]);
        if (i + 1 < values.size())
            out += ",";
    }
    out += "\n};\n";
}

// A character constant: printable ASCII as it is, any other byte in octal,
// which a plain char takes whatever its sign.
std::string character(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '\'' && c != '\\')
        return std::string("'") + c + "'";
    if (c == '\'' || c == '\\')
        return std::string("'\\") + c + "'";
    return std::string("'\\") + static_cast<char>('0' + (byte >> 6)) + static_cast<char>('0' + ((byte >> 3) & 7)) +
           static_cast<char>('0' + (byte & 7)) + "'";
}

// A const array of names. A name whose literal would be too long for a
// C89 compiler becomes an array of characters of its own.
void writeNames(std::string& out, const std::string& name, const std::vector<std::string>& names) {
    std::vector<std::string> items;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string literal = CConformanceCWriter::literal(names[i]);
        if (literal.size() <= kLongestLiteral) {
            items.push_back(literal);
            continue;
        }
        const std::string own = name + "_" + std::to_string(i);
        out += "static const char " + own + "[] = {";
        for (size_t c = 0; c < names[i].size(); ++c)
            out += (c % 12 == 0 ? "\n\t" : " ") + character(names[i][c]) + ",";
        out += "\n\t0\n};\n";
        items.push_back(own);
    }
    out += "static const char * const " + name + "[] = {\n";
    if (items.empty())
        out += "\t0\n";
    for (size_t i = 0; i < items.size(); ++i)
        out += "\t" + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
    out += "};\n";
}

// Text for a comment: nothing in it may open or close one.
std::string commentText(std::string text) {
    for (size_t at = 0; (at = text.find_first_of("*/", at)) != std::string::npos; ++at) {
        if (at + 1 < text.size() && (text[at + 1] == '*' || text[at + 1] == '/'))
            text.insert(at + 1, " ");
    }
    return text;
}

std::string fileHead(const TEST_ORIGIN_& origin, const std::string& what) {
    std::string head = "/* " + what + " of the machine " + commentText(origin.machine) + " (" +
                       commentText(origin.machine) + "fsm.c, pelk -a" + commentText(origin.target) + "),\n" +
                       " * written by pelk-table test from " + commentText(origin.table) + ".\n";
    if (origin.parts > 1)
        head += " * Part " + std::to_string(origin.part) + " of " + std::to_string(origin.parts) +
                " of the tour; every part starts from init.\n";
    return head;
}

}  // namespace

std::string CConformanceCWriter::literal(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\' || c == '?') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            // Three octal digits: an escape that no following digit extends.
            out += '\\';
            out += static_cast<char>('0' + (c >> 6));
            out += static_cast<char>('0' + ((c >> 3) & 7));
            out += static_cast<char>('0' + (c & 7));
        }
    }
    return out + "\"";
}

std::string CConformanceCWriter::entryPoint(const std::string& machine) {
    return machine + "_conformance";
}

std::string CConformanceCWriter::clash(const std::string& action, const std::string& machine) {
    if (action == "main" || action == "putchar" || action == entryPoint(machine))
        return action;
    const std::string prefix = CConformanceRuntime::prefix();
    std::string start = action.substr(0, prefix.size());
    std::transform(start.begin(), start.end(), start.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return start == prefix ? "the prefix " + prefix : std::string();
}

std::vector<std::string> CConformanceCWriter::actions(const CSTTable& table) {
    std::vector<std::string> names;
    std::unordered_map<std::string, bool> seen;
    for (int s = 0; s < table.stateCount(); ++s) {
        for (int e = 0; e < table.eventCount(); ++e) {
            for (const std::string& action : CMachineRun::step(table, s, e).actions) {
                if (seen.emplace(action, true).second)
                    names.push_back(action);
            }
        }
    }
    return names;
}

std::string CConformanceCWriter::actionsHeader(const CSTTable& table, const TEST_ORIGIN_& origin) {
    std::string out = fileHead(origin, "The actions") +
                      " * It declares them and nothing else, so that the machine under test calls the stubs of its\n"
                      " * conformance test.\n */\n";
    for (const std::string& action : actions(table))
        out += "void " + action + "( void );\n";
    return out;
}

std::string CConformanceCWriter::write(const CConformanceTour& tour, const TEST_ORIGIN_& origin) {
    const CSTTable& table = tour.table();
    const int states = table.stateCount();
    const int events = table.eventCount();
    const std::vector<std::string> actionNames = actions(table);
    std::unordered_map<std::string, unsigned long> actionNumber;
    for (size_t i = 0; i < actionNames.size(); ++i)
        actionNumber.emplace(actionNames[i], i);

    // The cells the tests use, numbered in the order of first use: the
    // steps, and the ways back from state 0 to where a test starts.
    std::vector<long> cellNumber(static_cast<size_t>(states) * static_cast<size_t>(events), -1);
    std::vector<TOUR_STEP_> cells;
    const auto use = [&](const TOUR_STEP_& step) {
        long& number = cellNumber[static_cast<size_t>(step.state) * static_cast<size_t>(events) + step.event];
        if (number < 0) {
            number = static_cast<long>(cells.size());
            cells.push_back(step);
        }
        return static_cast<unsigned long>(number);
    };
    std::vector<unsigned long> steps, testEnds, inits;
    for (const TOUR_STEP_& step : tour.steps())
        steps.push_back(use(step));
    std::vector<bool> wayNeeded(static_cast<size_t>(states), false);
    for (size_t t = 0; t < tour.tests().size(); ++t) {
        const TOUR_TEST_& test = tour.tests()[t];
        testEnds.push_back(test.endStep);
        if (test.start != TOUR_TEST_::kGoOn)
            inits.push_back(t);
        if (test.firstStep < test.endStep)
            wayNeeded[static_cast<size_t>(tour.steps()[test.firstStep].state)] = true;
    }
    inits.push_back(tour.tests().size());
    for (int s = 0; s < states; ++s) {
        if (wayNeeded[static_cast<size_t>(s)]) {
            for (const TOUR_STEP_& step : tour.wayFromStart(s))
                use(step);
        }
    }
    std::vector<unsigned long> ways;
    for (int s = 0; s < states; ++s) {
        const TOUR_STEP_& way = tour.wayInto(s);
        const long number =
            way.event < 0 ? -1 : cellNumber[static_cast<size_t>(way.state) * static_cast<size_t>(events) + way.event];
        ways.push_back(number < 0 ? cells.size() : static_cast<unsigned long>(number));
    }
    std::vector<unsigned long> cellStates, cellEvents, cellNexts, cellActions{0}, actionList;
    for (const TOUR_STEP_& cell : cells) {
        cellStates.push_back(static_cast<unsigned long>(cell.state));
        cellEvents.push_back(static_cast<unsigned long>(cell.event));
        cellNexts.push_back(static_cast<unsigned long>(cell.next));
        for (const std::string& action : CMachineRun::step(table, cell.state, cell.event).actions)
            actionList.push_back(actionNumber[action]);
        cellActions.push_back(actionList.size());
    }
    std::vector<unsigned long> unreachable;
    for (const UNTESTED_CELL_& cell : tour.untested()) {
        if (unreachable.empty() || unreachable.back() != static_cast<unsigned long>(cell.state))
            unreachable.push_back(static_cast<unsigned long>(cell.state));
    }

    const std::string entry = entryPoint(origin.machine);
    std::string out = fileHead(origin, "Conformance test") +
                      " *\n"
                      " * Every cell of every state that can be reached from state 0 is tested on one tour: after\n"
                      " * each event the state and the actions called (names, order, count) are checked. The report\n"
                      " * is TAP, one line per cell, closed by \"N passed, M failed\"; " +
                      entry +
                      "() returns 0 when all passed.\n"
                      " * The file is C89 and needs nothing but the machine, compiled against a context header that\n"
                      " * only declares the actions (pelk-table test --actions-header writes one).\n"
                      " *\n"
                      " * Hooks, defined on the command line or in a header named by PELKTEST_HOOKS:\n"
                      " *   PELKTEST_PUTCHAR( c )   writes one character of the report (default: putchar)\n"
                      " *   PELKTEST_END( status )  called by main with the result before it returns\n"
                      " *   PELKTEST_NO_MAIN        leaves main out; call " +
                      entry + "() from your own start-up code\n */\n";
    out += CConformanceRuntime::head(origin.machine, entry);

    out += "\n/* The table. */\n";
    out += "static const unsigned int pelktest_states = " + std::to_string(states) + ";\n";
    out += "static const unsigned int pelktest_events = " + std::to_string(events) + ";\n";
    writeNames(out, "pelktest_stateName", CMachineRun::stateNames(table));
    writeNames(out, "pelktest_eventName", CMachineRun::eventNames(table));
    writeNames(out, "pelktest_actionName", actionNames);

    out +=
        "\n/* The cells the tests use: state, event, the state after, the actions due (from\n"
        " * pelktest_cellActions[ c ] to pelktest_cellActions[ c + 1 ] in pelktest_actions). */\n";
    writeNumbers(out, "pelktest_cellState", cellStates);
    writeNumbers(out, "pelktest_cellEvent", cellEvents);
    writeNumbers(out, "pelktest_cellNext", cellNexts);
    writeNumbers(out, "pelktest_cellActions", cellActions);
    writeNumbers(out, "pelktest_actions", actionList);

    out +=
        "\n/* The tour: the cell of every step; the end of every test, the cell of whose last step it\n"
        " * tests (the scenarios follow the cells); the tests that start with init; the cell that\n"
        " * enters each state on the shortest way from state 0; the states that cannot be reached. */\n";
    out += "static const unsigned long pelktest_tests = " + std::to_string(tour.tests().size()) + "UL;\n";
    out += "static const unsigned long pelktest_cellTests = " + std::to_string(tour.cellTestCount()) + "UL;\n";
    out += "static const unsigned long pelktest_unreachableCount = " + std::to_string(unreachable.size()) + "UL;\n";
    writeNumbers(out, "pelktest_steps", steps);
    writeNumbers(out, "pelktest_testEnd", testEnds);
    writeNumbers(out, "pelktest_inits", inits);
    writeNumbers(out, "pelktest_way", ways);
    writeNumbers(out, "pelktest_unreachable", unreachable);
    writeNames(out, "pelktest_scenarioName", tour.scenarioNames());

    out += CConformanceRuntime::recorder();
    out += "\n/* The actions: each call is checked as it happens. */\n";
    for (size_t i = 0; i < actionNames.size(); ++i)
        out += "void " + actionNames[i] + "( void ) {\n\tpelktest_called( " + std::to_string(i) + " );\n}\n";
    out += CConformanceRuntime::run(origin.machine, entry);
    return out;
}
