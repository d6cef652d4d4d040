// The checks of pelk-table, one folder per case under tests/check: the
// command line (cmd, one argument per line; "@examples/NAME" names a bundled
// example), the table (table.tsv, or a workbook), and under expected/ the
// exit status, standard output and standard error. PELK_UPDATE_GOLDEN=1
// rewrites the expectations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

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
        if (entry.is_regular_file() && entry.path().filename() != "cmd")
            fs::copy_file(entry.path(), work / entry.path().filename());
    }
    const ProcessResult result = runProcess(command, work);

    const fs::path expected = caseDir / "expected";
    if (updatingGolden()) {
        fs::create_directories(expected);
        writeFile(expected / "status", std::to_string(result.status) + "\n");
        writeFile(expected / "stdout", result.out);
        writeFile(expected / "stderr", result.err);
    }
    ASSERT_TRUE(fs::exists(expected / "status")) << "no expectations; run with PELK_UPDATE_GOLDEN=1";
    EXPECT_EQ(std::to_string(result.status) + "\n", readFile(expected / "status"));
    EXPECT_EQ(result.out, readFile(expected / "stdout"));
    EXPECT_EQ(result.err, readFile(expected / "stderr"));
    fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckCaseTest, ::testing::ValuesIn(caseFolders(kCases)),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
