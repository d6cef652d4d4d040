// Whole tables through load and the splitter library found beside the test
// binary.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "table/st_table.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

// Collects what is written to standard error while it lives.
class ErrorCapture {
public:
    ErrorCapture()
        : m_saved(std::cerr.rdbuf(m_text.rdbuf())) {}
    ~ErrorCapture() { std::cerr.rdbuf(m_saved); }
    std::string text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
    std::streambuf* m_saved;
};

// A table file in a scratch directory, loaded through the real library.
class LoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = makeScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { fs::remove_all(m_dir); }

    int load(CSTTable& table, const std::string& text) {
        const fs::path path = m_dir / "table.tsv";
        std::ofstream(path, std::ios::binary) << text;
        ErrorCapture capture;
        const int result = table.load(path.string().c_str());
        m_err = capture.text();
        return result;
    }

    fs::path m_dir;
    std::string m_err;
};

// The table's event and state names, in order.
std::vector<std::string> namesOf(const CSTTable& table) {
    std::vector<std::string> names;
    for (int e = 0; e < table.eventCount(); ++e)
        names.push_back("event " + table.eventName(e));
    for (int s = 0; s < table.stateCount(); ++s)
        names.push_back("state " + table.stateName(s));
    return names;
}

TEST_F(LoadTest, DoorControllerGivesItsCells) {
    CSTTable table("Door", nullptr);
    ASSERT_EQ(load(table,
                   "Door controller\n"
                   "note\tSTART\tNo\tOPEN_REQ\tCLOSE_REQ\n"
                   "\tCLOSED\t0\t1/MotorOpen\t-\n"
                   "\tOPENED\t1\t-/-\t0 / MotorClose , Beep\n"),
              0);
    EXPECT_EQ(m_err, "");
    EXPECT_EQ(namesOf(table),
              (std::vector<std::string>{"event OPEN_REQ", "event CLOSE_REQ", "state CLOSED", "state OPENED"}));

    const struct {
        int s, e, next;
        std::vector<std::string> actions;
    } cells[] = {
        {0, 0, 1, {"MotorOpen"}},
        {0, 1, -1, {}},
        {1, 0, -1, {"-"}},
        {1, 1, 0, {"MotorClose", "Beep"}},
    };
    for (const auto& cell : cells) {
        EXPECT_EQ(table.nextState(cell.e, cell.s), cell.next) << cell.s << "," << cell.e;
        ASSERT_NE(table.cellActions(cell.e, cell.s), nullptr);
        EXPECT_EQ(*table.cellActions(cell.e, cell.s), cell.actions) << cell.s << "," << cell.e;
    }
}

TEST_F(LoadTest, KeepsNamesVerbatimAndSkipsThePreamble) {
    CSTTable table("T", nullptr);
    ASSERT_EQ(load(table,
                   "a\tb\tc\td\te\tf\n"
                   "\n"
                   "START\tSTART\t x \t\n"
                   " S0 \t0\t0\t-\n"
                   "\t1\t 1 \t*\n"),
              0);
    EXPECT_EQ(m_err, "");
    EXPECT_EQ(namesOf(table), (std::vector<std::string>{"event  x ", "event ", "state  S0 ", "state "}));
    EXPECT_EQ(table.nextState(0, 1), 1);
}

TEST_F(LoadTest, HeaderWithoutStatesGivesAnEmptyTable) {
    CSTTable table("T", nullptr);
    ASSERT_EQ(load(table, "START\t\tA\tB\n"), 0);
    EXPECT_EQ(m_err, "");
    EXPECT_EQ(table.eventCount(), 2);
    EXPECT_EQ(table.stateCount(), 0);
}

TEST_F(LoadTest, KeywordInTheLastFieldsGivesNoEvents) {
    for (const char* text : {"x\tSTART\t\n\tS\t0\n", "x\tSTART\n\tS\t0\n", "START\nS\t0\nT\t1\n"}) {
        CSTTable table("T", nullptr);
        EXPECT_EQ(load(table, text), 0) << text;
        EXPECT_EQ(m_err, "") << text;
        EXPECT_EQ(table.eventCount(), 0) << text;
        EXPECT_GE(table.stateCount(), 1) << text;
    }
}

// Extra cells beyond the header are parsed but never reached.
TEST_F(LoadTest, ExtraCellsAreParsedButNotEvents) {
    CSTTable table("T", nullptr);
    ASSERT_EQ(load(table, "START\t\tA\nS\t0\t0\t7/x\n"), 0);
    EXPECT_EQ(table.eventCount(), 1);
    EXPECT_EQ(table.nextState(0, 0), 0);
    EXPECT_EQ(table.nextState(1, 0), -1);
    EXPECT_EQ(table.cellActions(1, 0), nullptr);

    CSTTable bad("T", nullptr);
    EXPECT_EQ(load(bad, "START\t\tA\nS\t0\t0\tx\n"), -1);
    EXPECT_EQ(m_err, "format error (x). first string is not number.\nRecord[0]: field number is 1\n");
}

}  // namespace
