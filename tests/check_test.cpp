// The checks of pelk-table, one folder per case under tests/check: the
// command line (cmd, one argument per line; "@examples/NAME" names a bundled
// example), the tables (table.tsv, or a workbook), the standard input
// (stdin, when the case has one; else it is empty), and under expected/ the
// exit status, standard output and standard error. PELK_UPDATE_GOLDEN=1
// rewrites the expectations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/case_expectations.h"
#include "tests/support/golden.h"
#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

const fs::path kCases = fs::path(PELK_CHECK_CASES_DIR);

class CheckCaseTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CheckCaseTest, GivesItsDiagnostics) {
    const fs::path caseDir = kCases / GetParam();
    const fs::path work = makeScratchDirectory("check");
    std::vector<std::string> command{PELK_TABLE_BINARY};
    std::istringstream lines(readFile(caseDir / "cmd"));
    for (std::string arg; std::getline(lines, arg);) {
        const std::string example = "@examples/";
        if (arg.compare(0, example.size(), example) == 0) {
            arg = arg.substr(example.size());
            fs::copy_file(examplesDirectory() / arg, work / arg);
        }
        command.push_back(arg);
    }
    // The case's tables: table.tsv, or a workbook beside it.
    for (const fs::directory_entry& entry : fs::directory_iterator(caseDir)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != "cmd" && name != "stdin")
            fs::copy_file(entry.path(), work / name);
    }
    // Standard input comes through a pipe, as from another program.
    if (fs::exists(caseDir / "stdin")) {
        std::string line = "cat '" + (caseDir / "stdin").string() + "' | exec";
        for (const std::string& word : command)
            line += " '" + word + "'";
        command = {"sh", "-c", line};
    }
    const ProcessResult result = runProcess(command, work);

    expectCaseResult(caseDir / "expected", result);
    fs::remove_all(work);
}

// The checks that `check --help` lists (made from the check list) are the
// checks the man page describes, in the same order.
TEST(CheckList, HelpAndManPageNameTheSameChecks) {
    const ProcessResult help = runProcess({PELK_TABLE_BINARY, "check", "--help"}, kCases);
    ASSERT_EQ(help.status, 0);
    std::vector<std::string> listed;
    const std::string::size_type start = help.out.find("Checks: ");
    ASSERT_NE(start, std::string::npos) << help.out;
    std::istringstream words(help.out.substr(start + 8, help.out.find("Exit status") - start - 8));
    for (std::string word; words >> word;)
        listed.push_back(word);

    std::vector<std::string> described;
    std::istringstream man(readFile(kCases / ".." / ".." / "doc" / "pelk-table.1"));
    bool inChecks = false;
    for (std::string line; std::getline(man, line);) {
        if (line.compare(0, 4, ".SH ") == 0)
            inChecks = line == ".SH CHECKS";
        else if (inChecks && line.compare(0, 4, ".BR ") == 0 && line.find("\" (") != std::string::npos)
            described.push_back(line.substr(4, line.find(' ', 4) - 4));
    }
    EXPECT_EQ(listed, described);
    EXPECT_FALSE(listed.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckCaseTest, ::testing::ValuesIn(caseFolders(kCases)),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
