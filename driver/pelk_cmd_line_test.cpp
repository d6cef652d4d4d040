#include "driver/pelk_cmd_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ParseCase {
    std::vector<const char*> args;  // after the program name
    int outcome;
    const char* message;
    const char* table;
    const char* name;
    const char* context;
    int kind;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << "pelk";
    for (const char* a : c.args)
        *out << " '" << a << "'";
}

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, GivesOutcomeMessageAndResults) {
    const ParseCase& c = GetParam();
    std::vector<const char*> argv{"pelk"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CPelkCmdLine commandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(commandLine.parse(), c.outcome);
    EXPECT_EQ(commandLine.errorMessage(), c.message);
    EXPECT_EQ(commandLine.tablePath(), c.table);
    EXPECT_EQ(commandLine.fsmName(), c.name);
    EXPECT_EQ(commandLine.contextFile(), c.context);
    EXPECT_EQ(commandLine.targetKind(), c.kind);
}

const ParseCase kParseCases[] = {
    {{}, 2, "", "", "", "", 0},
    {{"-h"}, 1, "", "", "", "", 0},
    {{"-H"}, 1, "", "", "", "", 0},
    {{"-?"}, 1, "", "", "", "", 0},
    {{"-v"}, 3, "", "", "", "", 0},
    {{"-V"}, 3, "", "", "", "", 0},
    {{"/h"}, 4, "option /h is invalid.", "", "", "", 0},
    {{"-nFoo"}, 4, "option -nFoo is invalid.", "", "", "", 0},
    {{"table.txt"}, 4, "option table.txt is invalid.", "", "", "", 0},
    {{""}, 4, "option  is invalid.", "", "", "", 0},
    {{"-h", "table.txt"}, 4, "option -h is invalid.", "", "", "", 0},
    {{"-n", "table.txt"}, 4, "option -n is invalid.", "", "", "", 0},
    {{"-", "table.txt"}, 4, "option - is invalid.", "", "", "", 0},
    {{"-nFoo", "-x1", "table.txt"}, 4, "option -x1 is invalid.", "", "Foo", "", 0},
    {{"-nFoo", "-aZ80", "table.txt"}, 4, "assembler Z80 is not supported.", "", "Foo", "", 0},
    {{"-aCFCC907S", "-nFoo", "table.txt"}, 4, "assembler CFCC907S is not supported.", "", "", "", 0},
    {{"-afcc907s", "-nFoo", "table.txt"}, 0, "", "table.txt", "Foo", "", 4},
    {{"-ac", "-nFoo", "table.txt"}, 0, "", "table.txt", "Foo", "", 2},
    {{"-AfAsM96", "-nFoo", "table.txt"}, 0, "", "table.txt", "Foo", "", 1},
    {{"-aC", "-anra78k0", "-nFoo", "t.txt"}, 0, "", "t.txt", "Foo", "", 0},
    {{"/nFoo", "table.txt"}, 0, "", "table.txt", "Foo", "", 0},
    {{"/NFoo", "/ICtx", "/Ac", "t"}, 0, "", "t", "Foo", "Ctx", 2},
    {{"-nFoo", "/tmp/t.txt"}, 4, "option /tmp/t.txt is invalid.", "", "Foo", "", 0},
    {{"-nFoo", "/nfs/t.txt"}, 4, "you must assign State Transition Table file.", "", "fs/t.txt", "", 0},
    {{"-nFoo", "a.txt", "b.txt"}, 0, "", "b.txt", "Foo", "", 0},
    {{"-nA", "-nB", "t.txt"}, 0, "", "t.txt", "B", "", 0},
    {{"-aC", "-aFASM96", "-nX", "t.txt"}, 0, "", "t.txt", "X", "", 1},
    {{"-aC", "-aZ", "-nX", "t.txt"}, 4, "assembler Z is not supported.", "", "", "", 2},
    {{"-x", "-y"}, 4, "option -x is invalid.", "", "", "", 0},
    {{"-iCtx", "-aC"}, 4, "you must assign State Transition Table file.", "", "", "Ctx", 2},
    {{"-iCtx", "t.txt"}, 4, "you must assign FSM name by option -n<FSMname>.", "t.txt", "", "Ctx", 0},
    {{"-nFoo", "", "t.txt"}, 4, "option  is invalid.", "", "Foo", "", 0},
};

INSTANTIATE_TEST_SUITE_P(CommandLines, ParseTest, ::testing::ValuesIn(kParseCases));

TEST(TargetFromName, LeavesKindUntouchedWhenNothingMatches) {
    int kind = 7;
    EXPECT_EQ(CPelkCmdLine::targetFromName("Z80", kind), 1);
    EXPECT_EQ(kind, 7);
    EXPECT_EQ(CPelkCmdLine::targetFromName("nra78k0", kind), 0);
    EXPECT_EQ(kind, 0);
}

TEST(CommandLine, KeepsEveryArgumentInOrder) {
    const char* argv[] = {"pelk", "-nX", "", "t"};
    CCmdLine commandLine(4, argv);
    ASSERT_EQ(commandLine.argCount(), 4u);
    EXPECT_STREQ(commandLine.arg(0), "pelk");
    EXPECT_STREQ(commandLine.arg(2), "");
    EXPECT_STREQ(commandLine.arg(3), "t");
}

}  // namespace
