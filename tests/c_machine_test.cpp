// The generated C machine runs: pelk writes the -aC output of a table, the
// test writes a driver from its own reading of the same table (the actions
// log their numbers), and the machine is compiled, fed a sequence of events
// and checked after every event against what the table says: the state the
// getter returns and the actions called, in order. The same check runs on
// an 8051 (SDCC and the s51 simulator) when those tools are installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/c_driver.h"
#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

// The test's own model of a table: what the machine must do.
struct Cell {
    int next = -1;                     // -1: no transition
    std::vector<std::string> actions;  // the ones called, no-op markers dropped
};

struct Model {
    std::vector<std::string> events;
    std::vector<std::string> states;
    std::vector<std::vector<Cell>> cells;  // [state][event]
    std::vector<std::string> actionNames;  // each action once, numbered from 1
};

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t')
        fields.push_back("");
    return fields;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::string piece;
    std::istringstream in(text);
    while (std::getline(in, piece, separator))
        pieces.push_back(piece);
    return pieces;
}

// Reads the simple tables of this test: no quotes; the header holds START
// in some column k, the states follow with their name in column k.
Model readModel(const std::string& tsv) {
    Model model;
    int key = -1;
    std::map<std::string, int> known;
    for (const std::string& line : split(tsv, '\n')) {
        const std::vector<std::string> fields = splitFields(line);
        if (key < 0) {
            for (size_t k = 0; k < fields.size(); ++k) {
                if (fields[k] == "START") {
                    key = static_cast<int>(k);
                    model.events.assign(fields.begin() + key + 2, fields.end());
                }
            }
            continue;
        }
        model.states.push_back(fields.at(key));
        std::vector<Cell> row;
        for (size_t j = key + 2; j < fields.size(); ++j) {
            std::string text;
            for (char c : fields[j]) {
                if (c != ' ')
                    text += c;
            }
            const size_t slash = text.find('/');
            const std::string next = text.substr(0, slash);
            Cell cell;
            cell.next = (next == "-" || next == "*") ? -1 : std::stoi(next);
            if (slash != std::string::npos) {
                for (const std::string& action : split(text.substr(slash + 1), ',')) {
                    if (action.empty() || action == "-" || action == "*")
                        continue;
                    cell.actions.push_back(action);
                    if (known.emplace(action, static_cast<int>(known.size()) + 1).second)
                        model.actionNames.push_back(action);
                }
            }
            row.push_back(cell);
        }
        model.cells.push_back(row);
    }
    return model;
}

int actionNumber(const Model& model, const std::string& name) {
    for (size_t i = 0; i < model.actionNames.size(); ++i) {
        if (model.actionNames[i] == name)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

// Visits every cell of the reachable states, then wanders pseudo-randomly;
// one init call in the middle.
std::vector<DriverStep> simulate(const Model& model, int length) {
    std::vector<DriverStep> steps;
    std::vector<std::vector<bool>> seen(model.states.size(), std::vector<bool>(model.events.size()));
    unsigned int random = 12345;
    int state = 0;
    for (int i = 0; i < length; ++i) {
        if (i == length / 2) {
            state = 0;
            steps.push_back({kDriverInit, 0, {}});
            continue;
        }
        int event = -1;
        for (size_t e = 0; e < model.events.size() && event < 0; ++e) {
            if (!seen[state][e])
                event = static_cast<int>(e);
        }
        if (event < 0) {
            random = random * 1103515245u + 12345u;
            event = static_cast<int>((random >> 16) % model.events.size());
        }
        seen[state][event] = true;
        const Cell& cell = model.cells[state][event];
        DriverStep step{event, cell.next < 0 ? state : cell.next, {}};
        for (const std::string& action : cell.actions)
            step.actions.push_back(actionNumber(model, action));
        state = step.state;
        steps.push_back(step);
    }
    return steps;
}

bool isIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The context file the machine includes: the actions' prototypes.
std::string contextFile(const Model& model) {
    std::string text = "/* actions */\n";
    for (const std::string& action : model.actionNames)
        text += "void " + action + "( void );\n";
    return text;
}

// What the driver checks before it runs: the header's macros must carry the
// numbers the machine uses.
std::string prelude(const Model& model, const std::string& name) {
    std::ostringstream c;
    c << "#include \"" << name << "fsm.h\"\n#include \"" << name << "act.h\"\n\n";
    for (size_t i = 0; i < model.states.size(); ++i) {
        if (isIdentifier(model.states[i]))
            c << "#if " << upper(model.states[i]) << " != " << i << "\n#error state macro\n#endif\n";
    }
    for (size_t i = 0; i < model.events.size(); ++i) {
        if (isIdentifier(model.events[i]))
            c << "#if " << upper(model.events[i]) << " != " << i << "\n#error event macro\n#endif\n";
    }
    return c.str();
}

// The driver of one machine; finish is the platform's way to hand over the
// verdict.
std::string driver(const Model& model, const std::string& name, const std::vector<DriverStep>& steps,
                   const std::string& finish) {
    return cDriverProgram(model.actionNames, {{name, steps}}, prelude(model, name), finish);
}

// On the 8051 the verdict goes to external memory at 0x100: a mark, then
// the verdict, low byte first; writing 's' to 0xffff stops the simulator.
const char kSimulatorFinish[] =
    "__xdata __at( 0x0100 ) volatile unsigned char verdict[ 3 ];\n"
    "__xdata __at( 0xffff ) volatile unsigned char simulator;\n"
    "static int finish( unsigned int machine, unsigned int failed ) {\n"
    "\tverdict[ 1 ] = failed & 0xff;\n\tverdict[ 2 ] = failed >> 8;\n\tverdict[ 0 ] = 0xa5;\n"
    "\tsimulator = 's';\n\tfor ( ;; ) ;\n\treturn 0;\n"
    "}\n";

struct Table {
    const char* label;
    const char* name;
    std::string tsv;
    bool onMicrocontroller;
};

void PrintTo(const Table& table, std::ostream* out) {
    *out << table.label;
}

std::string twelveEvents() {
    std::string tsv = "START\t";
    for (int e = 0; e < 12; ++e)
        tsv += "\tEv" + std::to_string(e);
    tsv += "\n";
    const char* names[] = {"Idle", "Busy", "Done"};
    for (int s = 0; s < 3; ++s) {
        tsv += std::string(names[s]) + "\t" + std::to_string(s);
        for (int e = 0; e < 12; ++e) {
            const int kind = (s * 12 + e) % 5;
            const std::string next = std::to_string((s + e) % 3);
            if (kind == 0)
                tsv += "\t" + next + "/Act" + std::to_string(e) + ",Act" + std::to_string(s) + ",Act" +
                       std::to_string((e + s) % 4);
            else if (kind == 1)
                tsv += "\t-/Act" + std::to_string(e % 3) + ",Act" + std::to_string(e % 3);
            else if (kind == 2)
                tsv += "\t" + next;
            else if (kind == 3)
                tsv += "\t*";
            else
                tsv += "\t" + next + "/Act" + std::to_string(s + 5);
        }
        tsv += "\n";
    }
    return tsv;
}

std::vector<Table> tables() {
    return {
        {"lamp", "Lamp", exampleTable("lamp.tsv"), true},
        {"door", "Door", exampleTable("door.tsv"), true},
        {"twelve_events", "Panel", twelveEvents(), false},
        {"back_to_zero", "Loop",
         "START\t\tSTEP\tRESET\tNOTHING\n"
         "First\t0\t1/-,Enter,*\t0/Clear\t*/*\n"
         "Second\t1\t2/Leave,-,Enter\t0/*,Clear,-\t-\n"
         "Third\t2\t0/Leave,Wrap\t0/Clear,Wrap,Clear\t-/-,*\n",
         false},
    };
}

// Writes the table and the context file into dir and runs pelk -aC there.
void generate(const Table& table, const fs::path& dir) {
    writeFile(dir / "table.txt", table.tsv);
    writeFile(dir / (std::string(table.name) + "act.h"), contextFile(readModel(table.tsv)));
    const ProcessResult pelk = runProcess(
        pelkWith({std::string("-n") + table.name, "-i" + std::string(table.name) + "act.h", "-aC", "table.txt"}), dir);
    ASSERT_EQ(pelk.status, 0) << pelk.err;
}

bool haveTool(const std::string& tool) {
    return runProcess({"sh", "-c", "command -v " + tool}, fs::temp_directory_path()).status == 0;
}

class CMachineTest : public ::testing::TestWithParam<Table> {};
class CMachine8051Test : public ::testing::TestWithParam<Table> {};

TEST_P(CMachineTest, RunsAsTheTableSays) {
    const Table& table = GetParam();
    const Model model = readModel(table.tsv);
    const std::vector<DriverStep> steps =
        simulate(model, 4 * static_cast<int>(model.states.size() * model.events.size()) + 8);
    const fs::path dir = makeScratchDirectory(std::string("c_machine_") + table.label);
    ASSERT_NO_FATAL_FAILURE(generate(table, dir));
    writeFile(dir / "driver.c", driver(model, table.name, steps, kHostFinish));

    const std::string machine = std::string(table.name) + "fsm.c";
    // The comment boxes of the generated files open "/*" inside comments on
    // purpose; every other warning counts.
    const ProcessResult gcc =
        runProcess({"gcc", "-std=c89", "-pedantic", "-Wall", "-Werror=implicit-function-declaration", "-Wno-comment",
                    "-o", "machine", machine, "driver.c"},
                   dir);
    ASSERT_EQ(gcc.status, 0) << gcc.err;
    EXPECT_EQ(gcc.err, "") << "warnings";
    const ProcessResult run = runProcess({(dir / "machine").string()}, dir);
    EXPECT_EQ(run.out, "passed\n");
    EXPECT_EQ(run.status, 0);
    fs::remove_all(dir);
}

TEST_P(CMachine8051Test, RunsOnAn8051) {
    const Table& table = GetParam();
    if (!haveTool("sdcc") || !haveTool("s51"))
        GTEST_SKIP() << "SKIPPED: the 8051 run needs sdcc and s51 (Debian packages sdcc and sdcc-ucsim)";
    const Model model = readModel(table.tsv);
    const std::vector<DriverStep> steps =
        simulate(model, 4 * static_cast<int>(model.states.size() * model.events.size()) + 8);
    const fs::path dir = makeScratchDirectory(std::string("c_machine_8051_") + table.label);
    ASSERT_NO_FATAL_FAILURE(generate(table, dir));
    writeFile(dir / "driver.c", driver(model, table.name, steps, kSimulatorFinish));

    const std::string name = table.name;
    for (const std::string& source : {name + "fsm", std::string("driver")}) {
        const ProcessResult sdcc = runProcess({"sdcc", "-mmcs51", "-c", source + ".c"}, dir);
        ASSERT_EQ(sdcc.status, 0) << source << ":\n" << sdcc.out << sdcc.err;
    }
    const ProcessResult link =
        runProcess({"sdcc", "-mmcs51", "-o", "machine.ihx", "driver.rel", name + "fsm.rel"}, dir);
    ASSERT_EQ(link.status, 0) << link.out << link.err;

    // One byte per dump command: each comes back as its address and value.
    const ProcessResult sim =
        runProcess({"sh", "-c",
                    "printf 'run\\ndump xram 0x100 0x100\\ndump xram 0x101 0x101\\ndump xram 0x102 0x102\\nquit\\n' | "
                    "timeout 60 s51 -t 8051 -I if=xram[0xffff] machine.ihx"},
                   dir);
    ASSERT_EQ(sim.status, 0) << sim.out << sim.err;
    unsigned int bytes[3] = {0, 0, 0};
    for (unsigned int i = 0; i < 3; ++i) {
        const std::string address = "0x010" + std::to_string(i) + " ";
        const size_t at = sim.out.find(address);
        ASSERT_NE(at, std::string::npos) << sim.out;
        ASSERT_EQ(std::sscanf(sim.out.c_str() + at + address.size(), " %x", &bytes[i]), 1) << sim.out;
    }
    const unsigned int mark = bytes[0], low = bytes[1], high = bytes[2];
    EXPECT_EQ(mark, 0xa5u) << "the program did not finish:\n" << sim.out;
    const unsigned int failed = low + 256 * high;
    EXPECT_EQ(failed, 0u) << "wrong at check " << failed;
    fs::remove_all(dir);
}

std::string label(const ::testing::TestParamInfo<Table>& info) {
    return info.param.label;
}

std::vector<Table> microcontrollerTables() {
    std::vector<Table> chosen;
    for (const Table& table : tables()) {
        if (table.onMicrocontroller)
            chosen.push_back(table);
    }
    return chosen;
}

INSTANTIATE_TEST_SUITE_P(Tables, CMachineTest, ::testing::ValuesIn(tables()), label);
INSTANTIATE_TEST_SUITE_P(Tables, CMachine8051Test, ::testing::ValuesIn(microcontrollerTables()), label);

}  // namespace
