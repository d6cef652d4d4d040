// pelk-table run: the command as a user meets it, and the proof that it is
// the machine pelk generates. For the bundled examples (through the
// pelk-table binary) and for seeded random tables (through CMachineRun),
// the same events go through the C of `pelk -aC`, compiled with gcc with
// action stubs that record their calls, and the state and actions after
// every event must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "pelk-table/model/table_model.h"
#include "pelk-table/run/machine_run.h"
#include "tests/support/c_driver.h"
#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

const std::string kLamp = exampleTable("lamp.tsv");

// Runs pelk-table in dir, standard input from the file stdinFile when it is
// not empty.
ProcessResult runTable(const std::vector<std::string>& args, const fs::path& dir, const std::string& stdinFile = "") {
    std::string command = "exec '" + std::string(PELK_TABLE_BINARY) + "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    if (!stdinFile.empty())
        command += " < " + stdinFile;
    return runProcess({"sh", "-c", command}, dir);
}

TEST(RunCommand, TracesAndStopsAtTheFirstBadEvent) {
    const fs::path dir = makeScratchDirectory("run_command");
    writeFile(dir / "lamp.tsv", kLamp);
    writeFile(dir / "past.tsv", "START\t\tGO\nA\t0\t1/Up\nB\t1\t2/Off,*,Again\n");
    writeFile(dir / "broken.tsv", "no header here\n");
    writeFile(dir / "wide.tsv", "START\t\tGO\nA\t0\t300/Up\nB\t1\t0\n");
    writeFile(dir / "wrap.tsv", "START\t\tGO\nA\t0\t256\nB\t1\t0\n");
    writeFile(dir / "blank.tsv", "START\t\tGO\nOFF\t0\t1\nON \t1\t0\n");
    writeFile(dir / "latin1.tsv", "START\t\tGo\n\xe9t\xe9\t0\t0/f\xe9\n");
    writeFile(dir / "scenario.txt", "# a lamp\n\nPUSH\r\n  TICK  \nBLINK\nPUSH\n");
    const struct {
        std::vector<std::string> args;
        std::string stdinFile;
        int status;
        std::string out;
        std::string errPart;  // empty: no error output at all
    } cases[] = {
        {{"run", "lamp.tsv", "PUSH", "1", "0"},
         "",
         0,
         "1 OFF PUSH -> ON LampOn\n2 ON TICK -- ON\n3 ON PUSH -> OFF LampOff\n",
         ""},
        {{"run", "lamp.tsv", "--from", "ON", "--expect", "1", "TICK"}, "", 0, "1 ON TICK -- ON\n", ""},
        {{"run", "lamp.tsv", "--expect", "ON", "PUSH", "PUSH"},
         "",
         1,
         "1 OFF PUSH -> ON LampOn\n2 ON PUSH -> OFF LampOff\n",
         "the run ends in OFF, not in ON"},
        {{"run", "lamp.tsv"},
         "scenario.txt",
         1,
         "1 OFF PUSH -> ON LampOn\n2 ON TICK -- ON\n",
         "standard input line 5: lamp.tsv has no event 'BLINK'"},
        {{"run", "lamp.tsv", "TICK", "2"},
         "",
         1,
         "1 OFF TICK -- OFF\n",
         "event argument 2: event number 2 is out of range: lamp.tsv has events 0 to 1"},
        {{"run", "past.tsv", "GO", "GO", "GO"},
         "",
         1,
         "1 A GO -> B Up\n2 B GO -> #2 Off Again\n",
         "event argument 2: B on GO goes to state 2, past the last state (1)"},
        {{"run", "lamp.tsv", "--from", "DIM", "PUSH"}, "", 2, "", "--from: lamp.tsv has no state 'DIM'"},
        {{"run", "lamp.tsv", "--format=xml"}, "", 2, "", "xml"},
        {{"run", "broken.tsv", "PUSH"}, "", 1, "", "broken.tsv:"},
        // Names that are no UTF-8 go into the JSON replaced, never crash it.
        {{"run", "latin1.tsv", "--format=json", "Go"},
         "",
         0,
         "{\n  \"table\": \"latin1.tsv\",\n  \"start\": {\n    \"number\": 0,\n    \"name\": "
         "\"\xef\xbf\xbdt\xef\xbf\xbd\"\n  },\n"
         "  \"steps\": [\n    {\n      \"step\": 1,\n      \"state\": {\n        \"number\": 0,\n        \"name\": "
         "\"\xef\xbf\xbdt\xef\xbf\xbd\"\n"
         "      },\n      \"event\": {\n        \"number\": 0,\n        \"name\": \"Go\"\n      },\n      "
         "\"transition\": true,\n"
         "      \"next\": {\n        \"number\": 0,\n        \"name\": \"\xef\xbf\xbdt\xef\xbf\xbd\"\n      },\n      "
         "\"actions\": [\n"
         "        \"f\xef\xbf\xbd\"\n      ]\n    }\n  ],\n  \"end\": {\n    \"number\": 0,\n    \"name\": "
         "\"\xef\xbf\xbdt\xef\xbf\xbd\"\n  },\n"
         "  \"error\": null\n}\n",
         ""},
        {{"run", "missing.tsv", "PUSH"}, "", 1, "", "cannot open 'missing.tsv': No such file or directory"},
        // A next state the one-byte state cannot hold: what each target does.
        {{"run", "wide.tsv", "GO", "GO"},
         "",
         1,
         "1 A GO -> #300 Up\n",
         "event argument 1: A on GO goes to state 300, past the last state (1): the generated machine cannot store "
         "300 in its one-byte state: the C targets store 44 (300 mod 256) and go on in state 44, past the last "
         "state, too; the assemblers refuse 'mov a,#300'"},
        {{"run", "wrap.tsv", "GO"},
         "",
         1,
         "1 A GO -> #256\n",
         "the C targets store 0 (256 mod 256) and go on in state 0 'A'"},
        // Did you mean: case, and a blank at the end of a name.
        {{"run", "lamp.tsv", "push"}, "", 1, "", "lamp.tsv has no event 'push'; did you mean 'PUSH'?"},
        {{"run", "blank.tsv", "--from", "ON", "GO"},
         "",
         2,
         "",
         "--from: blank.tsv has no state 'ON'; did you mean 'ON ' (with its blanks)?"},
        {{"run", "lamp.tsv", "PUHS"}, "", 1, "", "has no event 'PUHS'; did you mean 'PUSH'?"},
        // The table from standard input, named as such.
        {{"run", "-", "PUSH"}, "lamp.tsv", 0, "1 OFF PUSH -> ON LampOn\n", ""},
        {{"run", "-", "PUSH"}, "broken.tsv", 1, "", "<stdin>:1:1: error: no header"},
        // The JSON document is written whatever stops the run.
        {{"run", "broken.tsv", "--format=json", "PUSH"},
         "",
         1,
         "{\n  \"table\": \"broken.tsv\",\n  \"start\": null,\n  \"steps\": [],\n  \"end\": null,\n"
         "  \"error\": \"broken.tsv is not a table pelk accepts: no run\"\n}\n",
         "broken.tsv is not a table pelk accepts"},
        {{"run", ".", "--format=json", "PUSH"},
         "",
         1,
         "{\n  \"table\": \".\",\n  \"start\": null,\n  \"steps\": [],\n  \"end\": null,\n"
         "  \"error\": \"cannot open '.': Is a directory\"\n}\n",
         "cannot open '.': Is a directory"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = runTable(c.args, dir, c.stdinFile);
        const std::string label = c.args[1] + " " + (c.args.size() > 2 ? c.args[2] : "");
        EXPECT_EQ(result.status, c.status) << label << "\n" << result.err;
        EXPECT_EQ(result.out, c.out) << label;
        if (c.errPart.empty())
            EXPECT_EQ(result.err, "") << label;
        else
            EXPECT_NE(result.err.find(c.errPart), std::string::npos) << label << "\n" << result.err;
    }
    fs::remove_all(dir);
}

const std::vector<std::string> kActions = {"A0",     "A1",      "A2",        "A3",         "A4",
                                           "LampOn", "LampOff", "MotorOpen", "MotorClose", "Beep"};

// The driver's numbers of actions: their places in kActions, from 1.
std::vector<int> actionNumbers(const std::vector<std::string>& actions) {
    std::vector<int> numbers;
    for (const std::string& action : actions)
        numbers.push_back(static_cast<int>(std::find(kActions.begin(), kActions.end(), action) - kActions.begin()) + 1);
    return numbers;
}

// A random table of valid C names: cells with and without transition,
// no-op markers among the actions, and now and then a next state just past
// the last one.
std::string randomTable(std::mt19937& random) {
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int states = 1 + below(6);
    const int events = 1 + below(5);
    std::string tsv = "START\t";
    for (int e = 0; e < events; ++e)
        tsv += "\tE" + std::to_string(e);
    tsv += "\n";
    for (int s = 0; s < states; ++s) {
        tsv += "S" + std::to_string(s) + "\t" + std::to_string(s);
        for (int e = 0; e < events; ++e) {
            const int kind = below(40);
            std::string cell = kind < 10 ? (kind % 2 ? "-" : "*") : std::to_string(kind == 10 ? states : below(states));
            std::string actions;
            for (int count = below(4), i = 0; i < count; ++i) {
                const int pick = below(7);
                actions += (i ? "," : "") + (pick < 5 ? kActions[pick] : pick == 5 ? "-" : "*");
            }
            tsv += "\t" + cell + (actions.empty() ? "" : "/" + actions);
        }
        tsv += "\n";
    }
    return tsv;
}

// Generates name's C from the table file in dir.
void generate(const fs::path& dir, const std::string& file, const std::string& name) {
    const ProcessResult pelk = runProcess(pelkWith({"-n" + name, "-iactions.h", "-aC", file}), dir);
    ASSERT_EQ(pelk.status, 0) << file << ": " << pelk.err;
}

TEST(RunAgreement, RunIsTheGeneratedMachine) {
    const int kTables = 200;
    const int kEvents = 50;
    const fs::path dir = makeScratchDirectory("run_agreement");
    std::string header;
    for (const std::string& action : kActions)
        header += "void " + action + "( void );\n";
    writeFile(dir / "actions.h", header);
    std::mt19937 random(20240613);
    std::vector<DriverMachine> machines;
    std::vector<std::string> tables;  // for the message of a disagreement

    // The examples through the binary: events by name, the trace as JSON.
    for (const std::string example : {"lamp", "door"}) {
        fs::copy_file(examplesDirectory() / (example + ".tsv"), dir / (example + ".tsv"));
        CTableModel model((dir / (example + ".tsv")).string(), "");
        ASSERT_TRUE(model.load());
        DriverMachine machine{example, {}};
        std::vector<std::string> args = {"run", "--format=json", example + ".tsv"};
        for (int i = 0; i < kEvents; ++i) {
            machine.steps.push_back({static_cast<int>(random() % model.table().eventCount()), 0, {}});
            args.push_back(model.table().eventName(machine.steps.back().event));
        }
        const ProcessResult run = runTable(args, dir);
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json trace = nlohmann::json::parse(run.out);
        ASSERT_EQ(trace.at("steps").size(), machine.steps.size());
        for (size_t i = 0; i < machine.steps.size(); ++i) {
            machine.steps[i].state = trace.at("steps")[i].at("next").at("number");
            machine.steps[i].actions =
                actionNumbers(trace.at("steps")[i].at("actions").get<std::vector<std::string>>());
        }
        ASSERT_NO_FATAL_FAILURE(generate(dir, example + ".tsv", example));
        machines.push_back(machine);
        tables.push_back(example + ".tsv");
    }

    // The random tables through CMachineRun; a run that reaches a state past
    // the last one stops there, as the command does.
    for (int t = 0; t < kTables; ++t) {
        const std::string name = "R" + std::to_string(t);
        const std::string tsv = randomTable(random);
        writeFile(dir / (name + ".tsv"), tsv);
        CTableModel model((dir / (name + ".tsv")).string(), "");
        ASSERT_TRUE(model.load());
        ASSERT_FALSE(model.hasFormatErrors()) << tsv;
        DriverMachine machine{name, {}};
        CMachineRun run(model.table(), 0);
        for (int i = 0; i < kEvents && run.stateValid(); ++i) {
            const int event = static_cast<int>(random() % model.table().eventCount());
            const RUN_STEP_& step = run.take(event);
            machine.steps.push_back({event, step.next, actionNumbers(step.actions)});
        }
        ASSERT_NO_FATAL_FAILURE(generate(dir, name + ".tsv", name));
        machines.push_back(machine);
        tables.push_back(tsv);
    }

    writeFile(dir / "driver.c", cDriverProgram(kActions, machines, "#include \"actions.h\"\n", kHostFinish));
    std::vector<std::string> gcc = {"gcc", "-std=c89", "-w", "-o", "machines", "driver.c"};
    for (const DriverMachine& machine : machines)
        gcc.push_back(machine.name + "fsm.c");
    const ProcessResult build = runProcess(gcc, dir);
    ASSERT_EQ(build.status, 0) << build.err;
    const ProcessResult output = runProcess({(dir / "machines").string()}, dir);
    unsigned int failed = 0;
    unsigned int check = 0;
    if (std::sscanf(output.out.c_str(), "machine %u wrong at check %u", &failed, &check) == 2 && failed > 0 &&
        failed <= machines.size())
        ADD_FAILURE() << machines[failed - 1].name << " differs from run at check " << check << " (1: the state "
                      << "after init, n + 2: event n):\n"
                      << tables[failed - 1];
    EXPECT_EQ(output.out, "passed\n");
    EXPECT_EQ(output.status, 0) << output.err;
    if (!HasFailure())
        fs::remove_all(dir);
}

}  // namespace
