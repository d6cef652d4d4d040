#include "codegen/code.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "codegen/generated_file_test.h"
#include "table/st_table.h"
#include "tests/support/stamp.h"

namespace fs = std::filesystem;

namespace {

// A target whose phases record their calls, write a line each and fail on
// demand.
class CRecordingCode : public CCode {
public:
    explicit CRecordingCode(int failingPhase = 0)
        : CCode(nullptr),
          m_failingPhase(failingPhase) {}

    int writeSourceHead() override { return phase(1, "head"); }
    int writeSourceBody() override { return phase(2, "body"); }
    int writeSourceTail() override { return phase(3, "tail"); }
    int writeIncludeFile() override {
        calls.push_back("include");
        includeStream << "include" << std::endl;
        return m_failingPhase == 4 ? -1 : 0;
    }

    using CCode::writeSourceComment;
    using CCode::writeSourceLabel;
    using CCode::writeSourceLine;

    std::vector<std::string> calls;

private:
    int phase(int number, const char* name) {
        calls.push_back(name);
        writeSourceLine(name);
        return m_failingPhase == number ? 1 : 0;
    }

    int m_failingPhase;
};

class CodeTest : public GeneratedFileTest {
protected:
    // A table of the given size whose cells make no transition.
    static void fill(CSTTable& table, int states, int events) {
        for (int e = 0; e < events; ++e)
            table.appendEvent("E" + std::to_string(e));
        for (int s = 0; s < states; ++s)
            table.appendState({"S" + std::to_string(s), {}});
    }
};

TEST_F(CodeTest, RunsThePhasesInOrderAndWritesBothFiles) {
    CSTTable table("Foo", nullptr);
    CRecordingCode code;
    testing::internal::CaptureStderr();
    EXPECT_EQ(code.generate(&table), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(code.calls, (std::vector<std::string>{"head", "body", "tail", "include"}));
    EXPECT_EQ(read("Foofsm.asm"), "\thead\n\tbody\n\ttail\n");
    EXPECT_EQ(read("Foofsm.inc"), "include\n");
}

TEST_F(CodeTest, StopsAtTheFirstFailingPhase) {
    const struct {
        int failing;
        std::vector<std::string> calls;
    } cases[] = {
        {1, {"head"}},
        {2, {"head", "body"}},
        {3, {"head", "body", "tail"}},
        {4, {"head", "body", "tail", "include"}},
    };
    for (const auto& c : cases) {
        CSTTable table("Foo", nullptr);
        CRecordingCode code(c.failing);
        EXPECT_EQ(code.generate(&table), -1) << c.failing;
        EXPECT_EQ(code.calls, c.calls) << c.failing;
        EXPECT_TRUE(fs::exists("Foofsm.asm"));
        EXPECT_TRUE(fs::exists("Foofsm.inc"));
    }
}

TEST_F(CodeTest, EnforcesTheLimitsBeforeCreatingAnyFile) {
    const struct {
        int states, events;
        const char* message;
    } cases[] = {
        {256, 128, ""},
        {257, 1, "state count is 257\nmax count of state is 256.\n"},
        {1, 129, "event count is 129\nmax count of event is 128.\n"},
        {300, 200, "state count is 300\nmax count of state is 256.\n"},
    };
    for (const auto& c : cases) {
        CSTTable table("Foo", nullptr);
        fill(table, c.states, c.events);
        CRecordingCode code;
        testing::internal::CaptureStderr();
        const int result = code.generate(&table);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.message);
        EXPECT_EQ(result, *c.message ? -1 : 0) << c.states << "x" << c.events;
        EXPECT_EQ(fs::exists("Foofsm.asm"), !*c.message);
        EXPECT_EQ(fs::exists("Foofsm.inc"), !*c.message);
        fs::remove("Foofsm.asm");
        fs::remove("Foofsm.inc");
    }
}

// generate() fails with message on standard error, calls no phase, and
// lets the generator go.
void expectOpenFailure(const CSTTable& table, const std::string& message) {
    CRecordingCode code;
    testing::internal::CaptureStderr();
    EXPECT_EQ(code.generate(&table), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), message);
    EXPECT_TRUE(code.calls.empty());
}

TEST_F(CodeTest, ReportsAMissingDirectoryAndCreatesNothing) {
    CSTTable table("sub/Foo", nullptr);
    expectOpenFailure(table, "file open error sub/Foofsm.asm\n");
    EXPECT_TRUE(fs::is_empty("."));
}

TEST_F(CodeTest, LeavesTheEmptySourceWhenTheIncludeCannotBeCreated) {
    fs::create_directory("Foofsm.inc");
    CSTTable table("Foo", nullptr);
    expectOpenFailure(table, "file open error Foofsm.inc\n");
    EXPECT_TRUE(fs::is_regular_file("Foofsm.asm"));
    EXPECT_EQ(fs::file_size("Foofsm.asm"), 0u);
}

TEST_F(CodeTest, OverwritesExistingFiles) {
    std::ofstream("Foofsm.asm") << "old source, longer than the new one\n";
    std::ofstream("Foofsm.inc") << "old include, longer than the new one\n";
    CSTTable table("Foo", nullptr);
    CRecordingCode code;
    EXPECT_EQ(code.generate(&table), 0);
    EXPECT_EQ(read("Foofsm.asm"), "\thead\n\tbody\n\ttail\n");
    EXPECT_EQ(read("Foofsm.inc"), "include\n");
}

TEST_F(CodeTest, ReportsAFullDeviceAsAWriteError) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    const struct {
        const char* link;
        const char* message;
    } cases[] = {
        {"Foofsm.asm", "file write error Foofsm.asm\n"},
        {"Foofsm.inc", "file write error Foofsm.inc\n"},
    };
    for (const auto& c : cases) {
        fs::remove("Foofsm.asm");
        fs::remove("Foofsm.inc");
        fs::create_symlink("/dev/full", c.link);
        CSTTable table("Foo", nullptr);
        CRecordingCode code;
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), -1) << c.link;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.message);
    }
}

// The line writers write into the source file; a recording phase checks them.
class CLineWriterCode : public CRecordingCode {
public:
    int writeSourceHead() override {
        results.push_back(writeSourceLine("", "mov", "a,#0"));
        results.push_back(writeSourceLine("", "", ""));
        results.push_back(writeSourceLine("ret"));
        results.push_back(writeSourceLabel("", "ignored"));
        results.push_back(writeSourceLabel("LOOP", "wait"));
        results.push_back(writeSourceLabel("END"));
        results.push_back(writeSourceComment("generated", "2026/01/05 09:03:07", ""));
        results.push_back(writeSourceComment("", "b", "c"));
        results.push_back(writeSourceComment("", "", ""));
        return 0;
    }
    std::vector<int> results;
};

TEST_F(CodeTest, LineWritersJoinTheirColumns) {
    CSTTable table("Foo", nullptr);
    CLineWriterCode code;
    ASSERT_EQ(code.generate(&table), 0);
    EXPECT_EQ(code.results, (std::vector<int>{0, 0, 0, -1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(read("Foofsm.asm"),
              "\tmov\ta,#0\n"
              "\n"
              "\tret\n"
              "LOOP:\t; wait\n"
              "END:\n"
              "; generated 2026/01/05 09:03:07\n"
              " b c\n"
              "\n"
              "\tbody\n\ttail\n");
}

TEST(GenerationStamp, IsTheLocalTimeInFixedFormat) {
    const std::time_t before = std::time(nullptr);
    const std::string stamp = CCode::generationStamp();
    const std::time_t after = std::time(nullptr);
    ASSERT_TRUE(stamp.size() == kStampLength && isStampAt(stamp, 0)) << stamp;

    std::tm parsed = {};
    std::istringstream in(stamp);
    in >> std::get_time(&parsed, "%Y/%m/%d %H:%M:%S");
    ASSERT_FALSE(in.fail());
    parsed.tm_isdst = -1;
    const std::time_t when = std::mktime(&parsed);
    EXPECT_GE(when, before);
    EXPECT_LE(when, after);
}

}  // namespace
