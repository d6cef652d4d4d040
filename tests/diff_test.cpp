// pelk-table diff, one folder per case under tests/diff: the command line
// (cmd, one argument per line), the tables it names (every .tsv of the
// folder), and under expected/ the exit status, standard output and
// standard error. PELK_UPDATE_GOLDEN=1 rewrites the expectations.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/case_expectations.h"
#include "tests/support/golden.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

const fs::path kCases = fs::path(PELK_DIFF_CASES_DIR);

class DiffCaseTest : public ::testing::TestWithParam<std::string> {};

TEST_P(DiffCaseTest, ShowsTheChangeToTheMachine) {
    const fs::path caseDir = kCases / GetParam();
    const fs::path work = makeScratchDirectory("diff");
    std::vector<std::string> command{PELK_TABLE_BINARY};
    std::istringstream lines(readFile(caseDir / "cmd"));
    for (std::string arg; std::getline(lines, arg);)
        command.push_back(arg);
    for (const fs::directory_entry& entry : fs::directory_iterator(caseDir)) {
        const fs::path kind = entry.path().extension();
        if (kind == ".tsv" || kind == ".xlsx" || kind == ".ods")
            fs::copy_file(entry.path(), work / entry.path().filename());
    }
    const ProcessResult result = runProcess(command, work);

    expectCaseResult(caseDir / "expected", result);
    fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, DiffCaseTest, ::testing::ValuesIn(caseFolders(kCases)),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
