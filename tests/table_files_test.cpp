// Table files as the real pelk meets them with the real splitter library:
// every way a table is rejected, with its messages in order, and the tables
// that are accepted though they look odd.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

struct TableCase {
    const char* name;
    std::string table;  // written to table.tsv
    std::string err;    // standard error; exit status 0 when empty, else 1
    const char* path;   // the table argument
};

void PrintTo(const TableCase& c, std::ostream* out) {
    *out << c.name;
}

class TableFileTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableFileTest, IsAcceptedOrRejectedWithItsMessages) {
    const TableCase& c = GetParam();
    const fs::path scratch = makeScratchDirectory("table");
    writeFile(scratch / "table.tsv", c.table);

    ProcessResult result = runProcess(pelkWith({"-nT", c.path}), scratch);
    if (expectCrLf())
        crLfToLf(result.err, true);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.out, "");
    const bool accepted = c.err.empty();
    EXPECT_EQ(result.status, accepted ? 0 : 1);
    EXPECT_EQ(fs::exists(scratch / "Tfsm.asm"), accepted);
    EXPECT_EQ(fs::exists(scratch / "Tfsm.inc"), accepted);
    fs::remove_all(scratch);
}

const char kTsv[] = "table.tsv";
const std::string kKeyword = "not found KeyWord\"START\"\n";
const std::string kHeader = "START\t\tA\tB\n";  // key column 0, events A and B

const TableCase kTables[] = {
    // The split fails: the library's message, its name and its version.
    {"Unopenable", "", "can't open file tbl.txt ( Kerrow.dll 1.0 )\n", "tbl.txt"},
    {"SyntaxError", kHeader + "S\t0\t1\tab\"cd\"\n",
     "table.tsv:2: syntax error. \"cd\" is invalid. ( Kerrow.dll 1.0 )\n", kTsv},
    {"EmptyFile", "", "table.tsv:1: syntax error. \"\" is invalid. ( Kerrow.dll 1.0 )\n", kTsv},

    // The header.
    {"NoKeyword", "a\tb\n\tS\t0\t1\n", kKeyword, kTsv},
    {"KeywordWithBlank", "START \t\tA\n", kKeyword, kTsv},
    {"KeywordInLowerCase", "start\t\tA\n", kKeyword, kTsv},
    {"KeywordInTenthRecord",
     "title\n\n1\t2\t3\t4\t5\t6\t7\na\tb\n\n\nz\n\t\t\t\n\"q\"\tr\n"
     "x\tSTART\t\tA\n\tS0\t0\t1\n\tS1\t1\t0\n",
     "", kTsv},
    {"LeftmostKeyword", "START\tSTART\tA\nSTART\t0\t0\n", "", kTsv},
    {"LaterKeywordIsText", kHeader + "START\t0\t0\t0\nS1\t1\tSTART\t0\n",
     "format error (START). first string is not number.\nRecord[1]: field number is 0\n", kTsv},
    {"HeaderOnly", kHeader, "", kTsv},
    {"KeywordInLastField", "a\tSTART\n\tS\t0\n", "", kTsv},

    // Field counts among the state records.
    {"FieldCountDiffers", "START\t\tA\tB\tC\tD\nS0\t0\t0\t0\t0\t0\nS1\t1\t0\t0\t0\t0\nS2\t2\t0\t0\t0\n",
     "Record[2]: field count is 5 , and different from above field(s) count 6\n", kTsv},
    {"EmptyLineAfterStates", kHeader + "S0\t0\t0\t1\nS1\t1\t1\t0\n\n",
     "Record[2]: field count is 1 , and different from above field(s) count 4\n", kTsv},
    {"MoreFieldsThanHeaderAreCells", kHeader + "S0\t0\t0\t1\t1/extra\n", "", kTsv},
    {"ExtraCellIsStillChecked", kHeader + "S0\t0\t0\t1\t/extra\n",
     "format error. (/extra)\nRecord[0]: field number is 2\n", kTsv},
    // A state without its name or its number.
    {"EmptyLineAfterHeader", "x\tSTART\t\tA\n\n",
     "Record[0]: field count is 1 , and a state record needs at least 3 field(s)\n", kTsv},
    {"StateWithoutNumber", "x\tSTART\n\tS\n",
     "Record[0]: field count is 2 , and a state record needs at least 3 field(s)\n", kTsv},
    // A state with fewer cells than there are events.
    {"FewerCellsThanEvents", "x\tSTART\t\tA\tB\n\tS0\t0\t0\n",
     "Record[0]: field count is 4 , and fewer than header field(s) count 5\n", kTsv},
    {"NoCellsForEvents", kHeader + "S0\t0\n", "Record[0]: field count is 2 , and fewer than header field(s) count 4\n",
     kTsv},

    // State numbers, read like atoi.
    {"StateNumberOutOfPlace", kHeader + "S0\t0\t0\t0\nS1\t1\t0\t0\nS2\t2\t0\t0\nS3\t4\t0\t0\n",
     "invalid state number. record 3\n", kTsv},
    {"StateNumbersLikeAtoi",
     "START\t\tA\nS0\tx\t0\nS1\t 1\t0\nS2\t+2\t0\nS3\t03\t0\nS4\t4a\t0\nS5\t\v\f 5 \t0\nS6\t+06x7\t0\n", "", kTsv},
    {"EmptyStateNumberIsZero", "START\t\tA\nS0\t\t0\n", "", kTsv},
    {"MinusZeroIsZero", "START\t\tA\nS0\t-0\t0\n", "", kTsv},
    {"NegativeStateNumber", "START\t\tA\nS0\t-1\t0\n", "invalid state number. record 0\n", kTsv},
    {"SignWithoutDigits", "START\t\tA\nS0\t0\t0\nS1\t+\t0\n", "invalid state number. record 1\n", kTsv},
    {"StateNumberDoesNotWrap", "START\t\tA\nS0\t4294967296\t0\n", "invalid state number. record 0\n", kTsv},
    {"HugeStateNumberDoesNotWrap", "START\t\tA\nS0\t18446744073709551616\t0\n", "invalid state number. record 0\n",
     kTsv},

    // Cells.
    {"CellBeginsWithSlash", "START\t\tOPEN_REQ\tCLOSE_REQ\nCLOSED\t0\t1\t/Beep\n",
     "format error. (/Beep)\nRecord[0]: field number is 1\n", kTsv},
    {"EmptyCell", kHeader + "S0\t0\t0\t\n", "format error. ()\nRecord[0]: field number is 1\n", kTsv},
    {"BlankCell", kHeader + "S0\t0\t  \t0\n", "format error. (  )\nRecord[0]: field number is 0\n", kTsv},
    {"NextStateNotNumber", kHeader + "S0\t0\t0\t1\nS1\t1\tx/Beep\t0\n",
     "format error (x/Beep). first string is not number.\nRecord[1]: field number is 0\n", kTsv},
    {"SignedNextState", kHeader + "S0\t0\t+1/a\t0\n",
     "format error (+1/a). first string is not number.\nRecord[0]: field number is 0\n", kTsv},
    {"NextStateTooLarge", kHeader + "S0\t0\t0\t2147483648 / a\n",
     "format error (2147483648 / a). first string is not number.\nRecord[0]: field number is 1\n", kTsv},
    {"NextStateBeyondTable", kHeader + "S0\t0\t99\t2147483647/a,,b\n", "", kTsv},
    {"FirstErrorEnds", kHeader + "S0\t0\t/a\tx\nS1\t2\t0\n", "format error. (/a)\nRecord[0]: field number is 0\n",
     kTsv},
};

INSTANTIATE_TEST_SUITE_P(Tables, TableFileTest, ::testing::ValuesIn(kTables),
                         [](const ::testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

// The example tables load and reach the generation run.
TEST(ExampleTables, AreAccepted) {
    const struct {
        const char* file;
        const char* machine;
    } examples[] = {{"lamp.tsv", "Lamp"}, {"door.tsv", "Door"}};
    for (const auto& example : examples) {
        const fs::path scratch = makeScratchDirectory("example");
        fs::copy_file(examplesDirectory() / example.file, scratch / example.file);
        const ProcessResult result = runProcess(pelkWith({std::string("-n") + example.machine, example.file}), scratch);
        EXPECT_EQ(result.err, "") << example.file;
        EXPECT_EQ(result.status, 0) << example.file;
        EXPECT_TRUE(fs::exists(scratch / (std::string(example.machine) + "fsm.asm"))) << example.file;
        EXPECT_TRUE(fs::exists(scratch / (std::string(example.machine) + "fsm.inc"))) << example.file;
        fs::remove_all(scratch);
    }
}

}  // namespace
