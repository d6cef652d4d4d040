// Golden cases: a folder per case under tests/golden holding the command
// line (cmd: one argument per line), the input files, and under expected/
// the exit status, standard output, standard error and every file the run
// must leave (expected/files/). Generation stamps are checked against the
// clock and then normalised. PELK_UPDATE_GOLDEN=1 rewrites the expectations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/paths.h"
#include "tests/support/golden.h"
#include "tests/support/process.h"
#include "tests/support/stamp.h"

namespace fs = std::filesystem;

namespace {

const char kStampPlaceholder[] = "YYYY/MM/DD hh:mm:ss";

std::vector<std::string> readArguments(const fs::path& file) {
    std::vector<std::string> args;
    std::istringstream lines(readFile(file));
    for (std::string line; std::getline(lines, line);)
        args.push_back(line);
    return args;
}

// Every stamp must be the local time of the run; each is replaced by the
// placeholder. Returns a description of the first bad stamp, or "".
std::string normaliseStamps(std::string& text, std::time_t before, std::time_t after) {
    std::string problem;
    std::string result;
    std::string::size_type pos = 0;
    while (pos < text.size()) {
        if (!isStampAt(text, pos)) {
            result += text[pos++];
            continue;
        }
        const std::string stamp = text.substr(pos, kStampLength);
        std::tm parsed = {};
        std::istringstream in(stamp);
        in >> std::get_time(&parsed, "%Y/%m/%d %H:%M:%S");
        parsed.tm_isdst = -1;
        const std::time_t when = in.fail() ? -1 : std::mktime(&parsed);
        // One second of slack either way: an emulated platform's clock may
        // lag or lead the host's by a tick.
        if (problem.empty() && (when < before - 1 || when > after + 1))
            problem = "stamp " + stamp + " is not the time of the run";
        result += kStampPlaceholder;
        pos += kStampLength;
    }
    text = result;
    return problem;
}

std::map<std::string, std::string> filesIn(const fs::path& dir) {
    std::map<std::string, std::string> files;
    if (!fs::is_directory(dir))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), dir).generic_string()] = readFile(entry.path());
    }
    return files;
}

class GoldenTest : public ::testing::TestWithParam<std::string> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenTest);

TEST_P(GoldenTest, MatchesItsExpectations) {
    const fs::path caseDir = goldenDirectory() / GetParam();
    const fs::path expectedDir = caseDir / "expected";
    ASSERT_TRUE(fs::is_regular_file(caseDir / "cmd")) << "case without a cmd file";

    const fs::path scratch = makeScratchDirectory("golden_" + GetParam());
    std::vector<std::string> inputs;
    for (const auto& entry : fs::directory_iterator(caseDir)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != "cmd") {
            fs::copy_file(entry.path(), scratch / name);
            inputs.push_back(name);
        }
    }

    const std::time_t before = std::time(nullptr);
    ProcessResult result = runProcess(pelkWith(readArguments(caseDir / "cmd")), scratch);
    const std::time_t after = std::time(nullptr);

    const bool crLf = expectCrLf();
    if (crLf) {
        crLfToLf(result.out, false);
        crLfToLf(result.err, false);
    }
    std::map<std::string, std::string> produced = filesIn(scratch);
    for (const std::string& input : inputs)
        produced.erase(input);
    for (auto& [name, text] : produced) {
        if (crLf) {
            EXPECT_TRUE(crLfToLf(text, true)) << name << " has a line end without CR";
        }
        EXPECT_EQ(normaliseStamps(text, before, after), "") << name;
    }

    if (updatingGolden()) {
        fs::remove_all(expectedDir);
        fs::create_directories(expectedDir / "files");
        writeFile(expectedDir / "status", std::to_string(result.status) + "\n");
        writeFile(expectedDir / "stdout", result.out);
        writeFile(expectedDir / "stderr", result.err);
        for (const auto& [name, text] : produced) {
            fs::create_directories((expectedDir / "files" / name).parent_path());
            writeFile(expectedDir / "files" / name, text);
        }
        fs::remove_all(scratch);
        return;
    }

    ASSERT_TRUE(fs::is_regular_file(expectedDir / "status"))
        << "missing expectations: run with PELK_UPDATE_GOLDEN=1 and review them";
    EXPECT_EQ(std::to_string(result.status) + "\n", readFile(expectedDir / "status"));
    EXPECT_EQ(result.out, readFile(expectedDir / "stdout"));
    EXPECT_EQ(result.err, readFile(expectedDir / "stderr"));

    const std::map<std::string, std::string> expected = filesIn(expectedDir / "files");
    for (const auto& [name, text] : expected) {
        const auto found = produced.find(name);
        if (found == produced.end()) {
            ADD_FAILURE() << name << " was not written";
        } else {
            EXPECT_EQ(found->second, text) << "in " << name;
        }
    }
    for (const auto& entry : produced) {
        if (expected.count(entry.first) == 0) {
            ADD_FAILURE() << entry.first << " was written but is not expected";
        }
    }
    fs::remove_all(scratch);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(caseFolders(goldenDirectory())),
                         [](const ::testing::TestParamInfo<std::string>& info) { return testNameOf(info.param); });

}  // namespace
