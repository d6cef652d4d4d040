// The one reading of the table format, fed with records written here: the
// cell grammar, and the problems the reader reports and reads past.
#include "table/table_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/st_table.h"
#include "tests/support/memory_records.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

// Keeps every problem; goes on after each unless told to stop.
class Recorder : public CTableListener {
public:
    explicit Recorder(bool goOn = true)
        : m_goOn(goOn) {}
    bool report(const TABLE_PROBLEM_& problem) override {
        problems.push_back(problem);
        return m_goOn;
    }
    std::vector<TABLE_PROBLEM_> problems;

private:
    bool m_goOn;
};

struct CellCase {
    const char* text;
    int nextState;  // of an accepted cell
    std::vector<std::string> actions;
    int problem;  // -1: accepted; else the TABLE_PROBLEM_ kind
};

void PrintTo(const CellCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class CellTest : public ::testing::TestWithParam<CellCase> {};

// The cell stands for event 3 of state 0, in field 5 of record 1.
TEST_P(CellTest, GivesTheCellOrItsProblem) {
    const CellCase& c = GetParam();
    CMemoryRecords records(Records{{"START", "", "a", "b", "c", "d"}, {"S", "0", "0", "0", "0", c.text}});
    Recorder recorder;
    CSTTable table("T", nullptr);
    const int result = CTableReader(records, recorder).readRecords(table);
    ASSERT_EQ(table.stateCount(), 1);
    if (c.problem < 0) {
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(recorder.problems.empty());
        EXPECT_EQ(table.nextState(3, 0), c.nextState);
        EXPECT_EQ(*table.cellActions(3, 0), c.actions);
        return;
    }
    EXPECT_EQ(result, 1);
    ASSERT_EQ(recorder.problems.size(), 1u);
    const TABLE_PROBLEM_& problem = recorder.problems[0];
    EXPECT_EQ(problem.kind, c.problem);
    EXPECT_EQ(problem.text, c.text);
    EXPECT_EQ(problem.record, 1);
    EXPECT_EQ(problem.field, 5);
    EXPECT_EQ(problem.state, 0);
    EXPECT_EQ(problem.event, 3);
    // Read past: the bad cell is no transition.
    EXPECT_EQ(table.nextState(3, 0), -1);
    EXPECT_TRUE(table.cellActions(3, 0)->empty());
}

const int kEmpty = TABLE_PROBLEM_::kCellEmpty;
const int kNotNumber = TABLE_PROBLEM_::kCellNotNumber;
const int kTooLarge = TABLE_PROBLEM_::kCellNumberTooLarge;

const CellCase kCells[] = {
    {"2", 2, {}, -1},
    {"-", -1, {}, -1},
    {"*", -1, {}, -1},
    {"-/-", -1, {"-"}, -1},
    {"*/*,-", -1, {"*", "-"}, -1},
    {"1/a,,b,", 1, {"a", "b"}, -1},
    {"1/a/b", 1, {"a/b"}, -1},
    {"1 / a b", 1, {"ab"}, -1},
    {" 0 / MotorClose , Beep", 0, {"MotorClose", "Beep"}, -1},
    {"\t1\r\n/\va\f", 1, {"a"}, -1},
    {"1/", 1, {}, -1},
    {"1/,,", 1, {}, -1},
    {"007/x", 7, {"x"}, -1},
    {"99", 99, {}, -1},
    {"2147483647", 2147483647, {}, -1},
    {"0000000000000000000001", 1, {}, -1},
    {"/a", 0, {}, kEmpty},
    {" / a", 0, {}, kEmpty},
    {"   ", 0, {}, kEmpty},
    {"", 0, {}, kEmpty},
    {"+1/a", 0, {}, kNotNumber},
    {"-1", 0, {}, kNotNumber},
    {"x/Beep", 0, {}, kNotNumber},
    {"--/a", 0, {}, kNotNumber},
    {"1a", 0, {}, kNotNumber},
    {"nop", 0, {}, kNotNumber},
    // Too large for a state number: rejected, never wrapped round.
    {"2147483648", 0, {}, kTooLarge},
    {"4294967297/a", 0, {}, kTooLarge},
    {"99999999999999999999999", 0, {}, kTooLarge},
};

INSTANTIATE_TEST_SUITE_P(Cells, CellTest, ::testing::ValuesIn(kCells));

// The first state record after a header (key column 1, two events), whose
// field count all later records must match: its one structural problem.
struct ShapeCase {
    std::vector<std::string> record;
    int problem;       // -1: none; else the TABLE_PROBLEM_ kind
    int expected;      // the field count it should have had
    const char* name;  // the state's name as read
};

void PrintTo(const ShapeCase& c, std::ostream* out) {
    *out << c.record.size() << " fields";
}

class ShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, ReportsTheRecordsShapeAndReadsWhatItHolds) {
    const ShapeCase& c = GetParam();
    CMemoryRecords records(Records{{"note"}, {"", "START", "", "A", "B"}, c.record});
    Recorder recorder;
    CSTTable table("T", nullptr);
    EXPECT_EQ(CTableReader(records, recorder).readRecords(table), c.problem < 0 ? 0 : 1);
    if (c.problem < 0) {
        EXPECT_TRUE(recorder.problems.empty());
    } else {
        ASSERT_EQ(recorder.problems.size(), 1u);
        EXPECT_EQ(recorder.problems[0].kind, c.problem);
        EXPECT_EQ(recorder.problems[0].record, 2);
        EXPECT_EQ(recorder.problems[0].state, 0);
        EXPECT_EQ(recorder.problems[0].count, static_cast<int>(c.record.size()));
        EXPECT_EQ(recorder.problems[0].expected, c.expected);
    }
    // The state is kept, and the cells it lacks are no transition.
    ASSERT_EQ(table.stateCount(), 1);
    EXPECT_EQ(table.stateName(0), c.name);
    EXPECT_EQ(table.nextState(1, 0), -1);
}

const int kTooFew = TABLE_PROBLEM_::kTooFewForState;
const int kFewerCells = TABLE_PROBLEM_::kFewerCellsThanEvents;

const ShapeCase kShapes[] = {
    {{"", "S0", "0", "0", "-"}, -1, 0, "S0"},
    // Too short for a state: no number (and none read past the end), no
    // name, or not even the key column.
    {{"", "S0"}, kTooFew, 3, "S0"},
    {{""}, kTooFew, 3, ""},
    {{"", "S0", "0", "0"}, kFewerCells, 5, "S0"},
    {{"", "S0", "0"}, kFewerCells, 5, "S0"},
};

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeTest, ::testing::ValuesIn(kShapes));

TEST(IsNumber, AcceptsOnlyNonEmptyDigitStrings) {
    for (const char* yes : {"0", "0123456789"})
        EXPECT_TRUE(CTableReader::isNumber(yes)) << yes;
    for (const char* no : {"", "+1", "-1", " 1", "1 ", "1a", "\xd9\xa1"})
        EXPECT_FALSE(CTableReader::isNumber(no)) << no;
    EXPECT_FALSE(CTableReader::isNumber(nullptr));
}

// Every problem of a table, in file order, each read past; the layout says
// where the header and the states are.
TEST(TableReader, ReadsPastEveryProblem) {
    CMemoryRecords records(Records{
        {"title"},
        {"", "START", "", "A", "B"},
        {"", "S0", "0", "1", "-"},
        {"", "S1", "5", "x", "0"},  // wrong number, bad cell
        {"", "S2", "2", "0"},       // a field short
        {""},                       // an empty line
    });
    Recorder recorder;
    CSTTable table("T", nullptr);
    CTableReader reader(records, recorder);
    EXPECT_EQ(reader.readRecords(table), 1);
    std::vector<std::pair<int, int>> seen;  // kind, record
    for (const TABLE_PROBLEM_& problem : recorder.problems)
        seen.emplace_back(problem.kind, problem.record);
    const std::vector<std::pair<int, int>> expected = {
        {TABLE_PROBLEM_::kStateNumber, 3},
        {TABLE_PROBLEM_::kCellNotNumber, 3},
        {TABLE_PROBLEM_::kFieldCountDiffers, 4},
        {TABLE_PROBLEM_::kFieldCountDiffers, 5},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(table.stateCount(), 4);
    EXPECT_EQ(table.nextState(0, 2), 0);
    EXPECT_EQ(table.nextState(1, 2), -1);  // the missing cell
    EXPECT_EQ(reader.layout().headerRecord, 1);
    EXPECT_EQ(reader.layout().keyColumn, 1);
    EXPECT_EQ(reader.layout().stateRecords, (std::vector<int>{2, 3, 4, 5}));
}

TEST(TableReader, StopsWhereTheListenerSays) {
    CMemoryRecords records(Records{{"START", "", "A"}, {"S0", "1", "x"}, {"S1", "1"}});
    Recorder recorder(false);
    CSTTable table("T", nullptr);
    EXPECT_EQ(CTableReader(records, recorder).readRecords(table), 1);
    ASSERT_EQ(recorder.problems.size(), 1u);
    EXPECT_EQ(recorder.problems[0].kind, TABLE_PROBLEM_::kStateNumber);
    EXPECT_EQ(table.stateCount(), 0);
}

TEST(TableReader, ReportsAMissingHeader) {
    CMemoryRecords records(Records{{"\xEF\xBB\xBFSTART", "", "A"}, {"S0", "0", "0"}});
    Recorder recorder;
    CSTTable table("T", nullptr);
    CTableReader reader(records, recorder);
    EXPECT_EQ(reader.readRecords(table), 1);
    ASSERT_EQ(recorder.problems.size(), 1u);
    EXPECT_EQ(recorder.problems[0].kind, TABLE_PROBLEM_::kNoHeader);
    EXPECT_EQ(reader.layout().headerRecord, -1);
}

}  // namespace
