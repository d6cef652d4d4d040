// pelk-table test as a user meets it: the test it writes for every example
// table compiles warning-free as strict C89, runs against the machine pelk
// generates (-aC and -aFCC907S) and passes cell by cell; on an 8051 (SDCC
// and the s51 simulator) for the lamp and the UART; split into parts; with
// scenarios. Tables with errors, clashing actions and wrong options get a
// message and no test.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

ProcessResult pelkTable(const std::vector<std::string>& args, const fs::path& dir) {
    std::vector<std::string> command{PELK_TABLE_BINARY};
    command.insert(command.end(), args.begin(), args.end());
    return runProcess(command, dir);
}

bool haveTool(const std::string& tool) {
    return runProcess({"sh", "-c", "command -v " + tool}, fs::temp_directory_path()).status == 0;
}

struct Example {
    const char* table;  // examples/<table>.tsv
    const char* name;   // the -n name
    int cells;          // every cell can be reached
    bool on8051;
};

const Example kExamples[] = {
    {"lamp", "Lamp", 4, true},
    {"door", "Door", 4, false},
    {"uart", "Uart", 165, true},
    {"menu", "Menu", 320, false},
};

void PrintTo(const Example& example, std::ostream* out) {
    *out << example.table;
}

// The gcc flags the test file must pass without a word.
const std::vector<std::string> kStrict = {"gcc", "-std=c89", "-pedantic-errors", "-Wall", "-Wextra", "-Werror", "-c"};

// Writes the test of table (copied into dir) for target, the context header
// ctx/<table>act.h and the machine; ends with the test's source name.
std::string generate(const fs::path& dir, const Example& example, const std::string& target,
                     const std::vector<std::string>& more = {}) {
    const std::string table = std::string(example.table) + ".tsv";
    writeFile(dir / table, exampleTable(table));
    fs::create_directories(dir / "ctx");
    const std::string test = std::string(example.name) + "_test.c";
    std::vector<std::string> args{"test",
                                  table,
                                  "-n" + std::string(example.name),
                                  "-a" + target,
                                  "-o",
                                  test,
                                  "--actions-header",
                                  "ctx/" + std::string(example.table) + "act.h"};
    args.insert(args.end(), more.begin(), more.end());
    const ProcessResult written = pelkTable(args, dir);
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.err, "");
    const ProcessResult pelk = runProcess(
        pelkWith({"-n" + std::string(example.name), "-a" + target, "-i" + std::string(example.table) + "act.h", table}),
        dir);
    EXPECT_EQ(pelk.status, 0) << pelk.err;
    return test;
}

// Builds the test with gcc and runs it; the machine is compiled against the
// context header that only declares the actions.
ProcessResult buildAndRun(const fs::path& dir, const Example& example, const std::string& test,
                          const std::string& target) {
    std::vector<std::string> strict = kStrict;
    strict.insert(strict.end(), {test, "-o", "test.o"});
    const ProcessResult compiled = runProcess(strict, dir);
    EXPECT_EQ(compiled.status, 0) << compiled.err;
    EXPECT_EQ(compiled.err, "") << "warnings in " << test;
    const std::string machine = std::string(example.name) + "fsm.c";
    // The banner comments of pelk's own files open "/*" inside a comment.
    std::vector<std::string> gcc{"gcc",   "-std=c89", "-Wall", "-Wno-comment", "-Werror",
                                 "-Ictx", "-c",       machine, "-o",           "machine.o"};
    if (target == "FCC907S")
        gcc.push_back("-D__far=");
    const ProcessResult machineBuilt = runProcess(gcc, dir);
    EXPECT_EQ(machineBuilt.status, 0) << machineBuilt.err;
    const ProcessResult linked = runProcess({"gcc", "-o", "conformance", "test.o", "machine.o"}, dir);
    EXPECT_EQ(linked.status, 0) << linked.err;
    return runProcess({(dir / "conformance").string()}, dir);
}

// The TAP lines: the plan first, one "ok" per cell, the closing line last.
void expectAllPassed(const std::string& tap, int tests) {
    EXPECT_EQ(tap.substr(0, tap.find('\n')), "1.." + std::to_string(tests)) << tap;
    const std::regex ok("^ok [0-9]+ - [A-Za-z0-9_]+ on [A-Za-z0-9_]+$");
    int lines = 0;
    std::istringstream in(tap);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && line.compare(0, 3, "ok ") == 0) {
        EXPECT_TRUE(std::regex_match(line, ok)) << line;
        ++lines;
    }
    EXPECT_EQ(lines, tests);
    EXPECT_EQ(line, std::to_string(tests) + " passed, 0 failed");
}

class CConformanceExampleTest : public ::testing::TestWithParam<Example> {};
class CConformance8051Test : public ::testing::TestWithParam<Example> {};

TEST_P(CConformanceExampleTest, PassesOnGccForBothCTargets) {
    const Example& example = GetParam();
    std::string tests[2];
    int i = 0;
    for (const std::string target : {"C", "FCC907S"}) {
        const fs::path dir = makeScratchDirectory(std::string("conformance_") + example.table + "_" + target);
        const std::string test = generate(dir, example, target);
        const ProcessResult run = buildAndRun(dir, example, test, target);
        EXPECT_EQ(run.status, 0) << run.out;
        expectAllPassed(run.out, example.cells);
        tests[i++] = readFile(dir / test);
        fs::remove_all(dir);
    }
    // The FCC907S machine differs in the type of its vector table alone,
    // which the test never names: only the first comment line differs.
    const size_t endOfFirstLine = tests[0].find('\n');
    EXPECT_EQ(tests[0].substr(endOfFirstLine), tests[1].substr(tests[1].find('\n')));
    EXPECT_NE(tests[0].substr(0, endOfFirstLine).find("pelk -aC)"), std::string::npos);
}

// On an 8051: the report goes through the simulator's interface at xram
// 0xffff ('p' then a character prints it, 's' stops the simulation).
TEST_P(CConformance8051Test, PassesOnAn8051) {
    const Example& example = GetParam();
    if (!haveTool("sdcc") || !haveTool("s51"))
        GTEST_SKIP() << "SKIPPED: the 8051 run needs sdcc and s51 (Debian packages sdcc and sdcc-ucsim)";
    const fs::path dir = makeScratchDirectory(std::string("conformance_8051_") + example.table);
    const std::string test = generate(dir, example, "C");
    writeFile(dir / "s51_hooks.h",
              "__xdata __at( 0xffff ) volatile unsigned char s51_interface;\n"
              "#define PELKTEST_PUTCHAR( c ) ( s51_interface = 'p', s51_interface = ( c ) )\n"
              "#define PELKTEST_END( status ) ( s51_interface = 's' )\n");
    const std::string name = example.name;
    const std::vector<std::vector<std::string>> builds = {
        {"sdcc", "-mmcs51", "-DPELKTEST_HOOKS=\"s51_hooks.h\"", "-c", test, "-o", "test.rel"},
        {"sdcc", "-mmcs51", "-Ictx", "-c", name + "fsm.c", "-o", "machine.rel"},
        {"sdcc", "-mmcs51", "-o", "conformance.ihx", "test.rel", "machine.rel"},
    };
    for (const std::vector<std::string>& build : builds) {
        const ProcessResult built = runProcess(build, dir);
        ASSERT_EQ(built.status, 0) << built.out << built.err;
    }
    // Commands on standard input rather than -G, which loses what is still
    // buffered when the simulator quits.
    const ProcessResult sim = runProcess(
        {"sh", "-c", "printf 'run\\nquit\\n' | timeout 120 s51 -q -t 8051 -I if=xram[0xffff] conformance.ihx"}, dir);
    ASSERT_EQ(sim.status, 0) << sim.out << sim.err;
    // The simulator's banner comes before the report.
    const size_t plan = sim.out.find("\n1..");
    ASSERT_NE(plan, std::string::npos) << sim.out;
    expectAllPassed(sim.out.substr(plan + 1), example.cells);
    fs::remove_all(dir);
}

std::string label(const ::testing::TestParamInfo<Example>& info) {
    return info.param.table;
}

std::vector<Example> examplesOn8051() {
    std::vector<Example> chosen;
    std::copy_if(std::begin(kExamples), std::end(kExamples), std::back_inserter(chosen),
                 [](const Example& example) { return example.on8051; });
    return chosen;
}

INSTANTIATE_TEST_SUITE_P(Examples, CConformanceExampleTest, ::testing::ValuesIn(kExamples), label);
INSTANTIATE_TEST_SUITE_P(Examples, CConformance8051Test, ::testing::ValuesIn(examplesOn8051()), label);

// The UART in three parts: each starts from init and passes; together they
// test every cell once.
TEST(CConformanceTest, PartsTestEveryCellOnce) {
    const Example& uart = kExamples[2];
    int total = 0;
    for (int k = 1; k <= 3; ++k) {
        const fs::path dir = makeScratchDirectory("conformance_part_" + std::to_string(k));
        const std::string test = generate(dir, uart, "C", {"--part", std::to_string(k) + "/3"});
        const ProcessResult run = buildAndRun(dir, uart, test, "C");
        EXPECT_EQ(run.status, 0) << run.out;
        const int tests = std::stoi(run.out.substr(3, run.out.find('\n') - 3));
        EXPECT_GT(tests, 0) << "part " << k << " of 3";
        expectAllPassed(run.out, tests);
        total += tests;
        fs::remove_all(dir);
    }
    EXPECT_EQ(total, uart.cells);
}

TEST(CConformanceTest, ScenariosAreFurtherTests) {
    const Example& lamp = kExamples[0];
    const fs::path dir = makeScratchDirectory("conformance_scenario");
    writeFile(dir / "twice.txt", "# on and off, twice\nPUSH\n  PUSH\n\nTICK\n1\nPUSH\n");
    // A name whose C literal would be too long for a C89 compiler, in UTF-8.
    std::string folder;
    for (int i = 0; i < 100; ++i)
        folder += "\xc3\xa9";
    folder += "/" + folder;
    fs::create_directories(dir / folder);
    writeFile(dir / folder / "on.txt", "PUSH\n");
    const std::string test = generate(dir, lamp, "C", {"--scenario", "twice.txt", "--scenario", folder + "/on.txt"});
    const ProcessResult run = buildAndRun(dir, lamp, test, "C");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("\nok 5 - scenario twice.txt\nok 6 - scenario " + folder + "/on.txt\n6 passed, 0 failed\n"),
              std::string::npos)
        << run.out;
    fs::remove_all(dir);
}

// What gets no test, and what is said instead.
struct Refusal {
    const char* label;
    const char* table;
    std::vector<std::string> args;
    int status;
    const char* message;  // a regular expression standard error must hold
};

TEST(CConformanceTest, RefusesWithAMessageAndWritesNothing) {
    const std::string lamp = "START\t\tPUSH\tTICK\nOFF\t0\t1/LampOn\t-\nON\t1\t0/LampOff\t-\n";
    const std::vector<Refusal> refusals = {
        {"errors for the target",
         "START\t\tPUSH\nOFF\t0\t0/int\nOFF\t1\t0\n",
         {},
         1,
         "t.tsv:3:1: error: .*\\[duplicate-name\\](.|\\n)*"
         "pelk-table: t.tsv has errors for -aC: no test written\n$"},
        {"a table pelk refuses", "START\t\tPUSH\nOFF\t5\t0\n", {}, 1, "no test written\n$"},
        {"action named main",
         "START\t\tPUSH\nOFF\t0\t0/main\n",
         {},
         1,
         "^pelk-table: t.tsv:2:9: the action 'main' clashes with main of the conformance test: no test written\n$"},
        {"action of the test's prefix",
         "START\t\tPUSH\nOFF\t0\t0/PelkTest_x\n",
         {},
         1,
         "clashes with the prefix pelktest_"},
        {"action named as the entry point",
         "START\t\tPUSH\nOFF\t0\t0/M_conformance\n",
         {},
         1,
         "clashes with M_conformance"},
        {"an assembler target in C", lamp.c_str(), {"-aNRA78K0"}, 2, "--format=json"},
        {"no part", lamp.c_str(), {"--part", "3/2"}, 2, "'3/2' is not K/N"},
        {"part zero", lamp.c_str(), {"--part", "0/2"}, 2, "is not K/N"},
        {"unknown scenario event",
         lamp.c_str(),
         {"--scenario", "s.txt"},
         1,
         "^pelk-table: s.txt:2: the table has no event 'PUHS'; did you mean 'PUSH'\\?\n$"},
        {"scenario on past the last state",
         "START\t\tPUSH\nOFF\t0\t3\n",
         {"--scenario", "s.txt"},
         1,
         "s.txt:2: no further event: OFF on PUSH goes to state 3, past the last state \\(0\\)"},
        {"no scenario file", lamp.c_str(), {"--scenario", "none.txt"}, 1, "cannot open 'none.txt'"},
    };
    for (const Refusal& refusal : refusals) {
        const fs::path dir = makeScratchDirectory("conformance_refusal");
        writeFile(dir / "t.tsv", refusal.table);
        writeFile(dir / "s.txt", "PUSH\nPUHS\n");
        std::vector<std::string> args{"test", "t.tsv", "-nM", "-o", "out.c"};
        args.insert(args.end(), refusal.args.begin(), refusal.args.end());
        const ProcessResult run = pelkTable(args, dir);
        EXPECT_EQ(run.status, refusal.status) << refusal.label << "\n" << run.err;
        EXPECT_TRUE(std::regex_search(run.err, std::regex(refusal.message))) << refusal.label << "\n" << run.err;
        EXPECT_FALSE(fs::exists(dir / "out.c")) << refusal.label;
        fs::remove_all(dir);
    }
}

// A machine that does something else than its table: the report says what
// was due and what came, and the machine is never sent an event from a
// state other than the one the test expects.
TEST(CConformanceTest, SaysWhatWasExpectedAndWhatHappened) {
    const Example& lamp = kExamples[0];
    const fs::path dir = makeScratchDirectory("conformance_failure");
    const std::string test = generate(dir, lamp, "C");
    std::string machine = readFile(dir / "Lampfsm.c");
    machine.replace(machine.find("\tLampOff();"), 11, "\tLampOn();\n\tLampOff();");
    writeFile(dir / "Lampfsm.c", machine);
    const ProcessResult run = buildAndRun(dir, lamp, test, "C");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("not ok 4 - ON on PUSH\n"
                           "#   step 1, ON on PUSH:\n"
                           "#   expected: state OFF (0), actions LampOff\n"
                           "#   got:      state OFF (0), actions LampOn, ... (2 calls)\n"
                           "3 passed, 1 failed\n"),
              std::string::npos)
        << run.out;
    fs::remove_all(dir);
}

}  // namespace
