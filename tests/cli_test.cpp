// The command line as a user meets it: the real pelk binary, its standard
// output, standard error and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <string>
#include <vector>

#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace {

const char kVersion[] = "Pelk version 1.4\n";
const char kUsage[] = "usage: pelk -n<FsmName> [-i<ContextFile>] [-a<Assembler|Compiler>] StateTransitionTable.txt\n";
const char kHelp[] =
    "Pelk\n"
    "usage: pelk -n<FsmName> [-i<ContextFile>] [-a<Assembler|Compiler>] StateTransitionTable.txt\n"
    "    argments:\n"
    "         -n<FsmName>     assign FSM name. generate two files.\n"
    "                         <FsmName>fsm.asm, <FsmName>fsm.inc or\n"
    "                         <FsmName>fsm.c, <FsmName>fsm.h\n"
    "         -i<ContextFile> include file for Action subroutines.\n"
    "         -a<Assembler|Compiler>\n"
    "                         assign assembler or compiler as followings.\n"
    "                         `-aNRA78K0' is NEC RA78K0(default).\n"
    "                         `-aFASM96' is FUJITSU ASM96.\n"
    "                         `-aCFCC907S' is FUJITSU FCC907S C compiler.\n"
    "                         `-aC' is ANSI C.\n"
    "         StateTransitionTable.txt TSV(TAB separated value)-file\n"
    "                       included keyword `START'.\n"
    "Pelk version 1.4\n";

struct CliCase {
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status;
};

// A case shows as the command line it runs.
template <typename Case>
void printCommand(const Case& c, std::ostream* out) {
    *out << "pelk";
    for (const std::string& a : c.args)
        *out << " '" << a << "'";
}

void PrintTo(const CliCase& c, std::ostream* out) {
    printCommand(c, out);
}

class CliTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliTest, WritesItsTextsAndExitStatus) {
    const CliCase& c = GetParam();
    const auto scratch = makeScratchDirectory("cli");
    ProcessResult result = runProcess(pelkWith(c.args), scratch);
    if (expectCrLf()) {
        EXPECT_TRUE(crLfToLf(result.out, true)) << "standard output without CR LF";
        EXPECT_TRUE(crLfToLf(result.err, true)) << "standard error without CR LF";
    }
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.status, c.status);
    // None of these runs gets as far as writing a file.
    EXPECT_TRUE(std::filesystem::is_empty(scratch));
    std::filesystem::remove_all(scratch);
}

const CliCase kCliCases[] = {
    {{}, kUsage, "", 1},
    {{"-h"}, kHelp, "", 1},
    {{"-H"}, kHelp, "", 1},
    {{"-?"}, kHelp, "", 1},
    {{"-v"}, kVersion, "", 1},
    {{"-V"}, kVersion, "", 1},
    {{"/h"}, "", "option /h is invalid.\n", 1},
    {{"/v"}, "", "option /v is invalid.\n", 1},
    {{"-nFoo"}, "", "option -nFoo is invalid.\n", 1},
    {{"table.txt"}, "", "option table.txt is invalid.\n", 1},
    {{""}, "", "option  is invalid.\n", 1},
    {{"-h", "table.txt"}, "", "option -h is invalid.\n", 1},
    {{"-n", "table.txt"}, "", "option -n is invalid.\n", 1},
    {{"-", "table.txt"}, "", "option - is invalid.\n", 1},
    {{"-nFoo", "-x1", "table.txt"}, "", "option -x1 is invalid.\n", 1},
    {{"-nFoo", "-aZ80", "table.txt"}, "", "assembler Z80 is not supported.\n", 1},
    {{"-aCFCC907S", "-nFoo", "table.txt"}, "", "assembler CFCC907S is not supported.\n", 1},
    {{"-nFoo", "/tmp/t.txt"}, "", "option /tmp/t.txt is invalid.\n", 1},
    {{"-nFoo", "/nfs/t.txt"}, "", "you must assign State Transition Table file.\n", 1},
    {{"-aC", "-aZ", "-nX", "t.txt"}, "", "assembler Z is not supported.\n", 1},
    {{"-x", "-y"}, "", "option -x is invalid.\n", 1},
    {{"-iCtx", "-aC"}, "", "you must assign State Transition Table file.\n", 1},
    {{"-iCtx", "t.txt"}, "", "you must assign FSM name by option -n<FSMname>.\n", 1},
    {{"-nFoo", "", "t.txt"}, "", "option  is invalid.\n", 1},
};

INSTANTIATE_TEST_SUITE_P(CommandLines, CliTest, ::testing::ValuesIn(kCliCases));

// Command lines that run to the end: which files they write, and a line that
// tells the target (or the option) apart.
struct RunCase {
    std::vector<std::string> args;
    std::vector<std::string> files;
    std::string marker;  // in the first file
};

void PrintTo(const RunCase& c, std::ostream* out) {
    printCommand(c, out);
}

class CliRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(CliRunTest, WritesTheChosenTarget) {
    const RunCase& c = GetParam();
    const auto scratch = makeScratchDirectory("cli_run");
    writeFile(scratch / "t.tsv", exampleTable("lamp.tsv"));
    const ProcessResult result = runProcess(pelkWith(c.args), scratch);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(scratch)) {
        if (entry.path().filename() != "t.tsv")
            written.push_back(entry.path().filename().string());
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, c.files);
    if (!c.files.empty()) {
        std::string text = readFile(scratch / c.files.front());
        crLfToLf(text, false);
        EXPECT_NE(text.find(c.marker), std::string::npos) << c.marker;
    }
    std::filesystem::remove_all(scratch);
}

const char kRa78k0[] = "cs_Foofsm\tcseg\tunitp";
const char kAsm96[] = "cseg\tpublic";
const char kAnsiC[] = "typedef void ( * pfn_drv )( void );";
const char kFcc907s[] = "typedef void ( * __far pfn_drv )( void );";

const RunCase kRunCases[] = {
    {{"-nFoo", "t.tsv"}, {"Foofsm.asm", "Foofsm.inc"}, kRa78k0},
    {{"-afcc907s", "-nFoo", "t.tsv"}, {"Foofsm.c", "Foofsm.h"}, kFcc907s},
    {{"-ac", "-nFoo", "t.tsv"}, {"Foofsm.c", "Foofsm.h"}, kAnsiC},
    {{"-aFASM96", "-nFoo", "t.tsv"}, {"Foofsm.asm", "Foofsm.inc"}, kAsm96},
    {{"-aC", "-aNRA78K0", "-nFoo", "t.tsv"}, {"Foofsm.asm", "Foofsm.inc"}, kRa78k0},
    {{"-aC", "-aFASM96", "-nFoo", "t.tsv"}, {"Foofsm.asm", "Foofsm.inc"}, kAsm96},
    {{"/nFoo", "/AC", "t.tsv"}, {"Foofsm.c", "Foofsm.h"}, kAnsiC},
    {{"-nFoo", "missing.tsv", "t.tsv"}, {"Foofsm.asm", "Foofsm.inc"}, kRa78k0},
    {{"-nA", "-nFoo", "t.tsv"}, {"Foofsm.asm", "Foofsm.inc"}, kRa78k0},
    {{"-nFoo", "-iCtx.inc", "t.tsv"}, {"Foofsm.asm", "Foofsm.inc"}, "\t$include( Ctx.inc ) \n"},
    {{"-nFoo", "-iA", "-iB", "-aC", "t.tsv"}, {"Foofsm.c", "Foofsm.h"}, "#include \"B\"\n"},
};

INSTANTIATE_TEST_SUITE_P(CommandLines, CliRunTest, ::testing::ValuesIn(kRunCases));

}  // namespace
