#include "pelk-table/workbook/workbook_input.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "pelk-table/model/table_rules.h"
#include "pelk-table/workbook/general_number.h"
#include "pelk-table/workbook/workbook.h"
#include "pelk-table/workbook/xlsx_reader.h"

namespace {

const std::string kFixtures = PELK_WORKBOOK_FIXTURES;

std::string bytesOf(const std::string& name) {
    std::ifstream in(kFixtures + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The problems as "A1:w B3:e", in row order.
std::string problemsOf(const CWorkbookInput& input) {
    std::string list;
    for (const SHEET_PROBLEM_& problem : input.problems())
        list += (list.empty() ? "" : " ") + CTableRules::cellName(problem.row, problem.column) + ":" +
                (problem.error ? "e" : "w");
    return list;
}

struct SHEET_CASE_ {
    const char* what;
    const char* file;
    const char* sheet;
    const char* text;      // the expected text; null when the read must fail
    const char* problems;  // or, when it fails, a part of the error
    const char* sheetName;
};

const SHEET_CASE_ kSheets[] = {
    // Shared strings with rich runs and phonetic runs, inline strings, the
    // _xHHHH_ escapes, cached formula results (a shared formula too),
    // booleans, General numbers, hidden rows and columns, the sheet found
    // through the relationships (the second tab, stored as sheet1.xml).
    // Outside the table a date, an error value, a quote, a carriage return
    // and a number in "0.00" are written empty, with a warning.
    {"xlsx: the sheet holding START", "features.xlsx", "",
     "\t\tTRUE\t2.5\t\t\n"
     "note\t\t\t\t\t\n"
     "\tSTART\t\tOPEN_REQ\tCLOSE_REQ\t\n"
     "\tCLOSED\t0\t1/MotorOpen\t-\t\n"
     "\tOPENED\t1\t-/-\t0/Motor_x0043_lose,Beep_x0041_\t\n",
     "A1:w B1:w E1:w F1:w A3:w", "Machine"},
    {"xlsx strict namespace", "strict.xlsx", "Machine",
     "\t\tTRUE\t2.5\t\t\n"
     "note\t\t\t\t\t\n"
     "\tSTART\t\tOPEN_REQ\tCLOSE_REQ\t\n"
     "\tCLOSED\t0\t1/MotorOpen\t-\t\n"
     "\tOPENED\t1\t-/-\t0/Motor_x0043_lose,Beep_x0041_\t\n",
     "A1:w B1:w E1:w F1:w A3:w", "Machine"},
    {"xlsx: a sheet by number, without START, a number in text format", "features.xlsx", "1",
     "\t\t\t\t\n\t\tjust notes\tFALSE\t12\n", "", "Notes"},
    {"xlsx: a sheet by name", "features.xlsx", "Notes", "\t\t\t\t\n\t\tjust notes\tFALSE\t12\n", "", "Notes"},
    {"xlsx: no such sheet", "features.xlsx", "3", nullptr, "has no sheet \"3\"; its sheets: 1 \"Notes\", 2 \"Machine\"",
     ""},
    // Every refused kind of cell within the table is an error at its cell;
    // a merge over table cells is a warning.
    {"xlsx: refused cells", "refused.xlsx", "",
     "title\t\t\t\t\t\t\t\t\t\t\t\t\n"
     "\tSTART\t\t\t\t\t\t\t\t\t\t\t\n"
     "\t\t\t\t\t\t\t\t\t\t\t\t\n"
     "\tS\t\t\t\t\t\t\t\t\t\t\t\n",
     "B3:e C3:e D3:e E3:e F3:e G3:e H3:e I3:e J3:e K3:e L3:e M3:e C4:w", "Refused"},
    {"xlsx from a second writer", "lamp.xlsx", "", "START\t\tPUSH\tTICK\nOFF\t0\t1/LampOn\t-/-\nON\t1\t0/LampOff\t-\n",
     "", "Lamp"},
    {"ods written by the spreadsheet", "lamp.ods", "",
     "START\t\tPUSH\tTICK\nOFF\t0\t1/LampOn\t-/-\nON\t1\t0/LampOff\t-\n", "", "Lamp"},
    // text:s, spans, annotations left out, covered cells, repeated rows
    // and columns (16,384 empty ones, a million trailing empty rows), a
    // date, paragraphs and a tab outside the table written empty.
    {"ods: the sheet named", "features.ods", "Machine",
     "Door   controller v 2\tA\tmerged\t\t\t\tx\tx\n"
     "again\t\t\t\t\t\t\t\n"
     "again\t\t\t\t\t\t\t\n"
     "\t\t\t\t\t\t\t\n"
     "\tSTART\t\tPUSH\tTICK\t\t\t\n"
     "\tOFF\t0\t1/LampOn\t-/-\t\t\t\n"
     "\tON\t1\t0/LampOff\t-\t\t\t\n",
     "E1:w F1:w A5:w", "Machine"},
    {"ods: refused cells", "features.ods", "Refused", "START\t\tE\t\t\t\t\t\t\nS\t\t\t\t\t\t\t\tTRUE\n",
     "C1:w B2:e C2:e D2:e E2:e F2:e G2:e H2:e", "Refused"},
    {"ods: two sheets with START", "features.ods", "", nullptr,
     "several sheets hold a \"START\" cell: 2 \"Machine\", 3 \"Refused\"", ""},
    {"two sheets with START", "two-tables.xlsx", "", nullptr,
     "several sheets hold a \"START\" cell: 1 \"One\", 2 \"Two\"", ""},
    {"legacy .xls", "lamp.xls", "", nullptr, "legacy Excel workbook (.xls)", ""},
    {"a DTD", "dtd.xlsx", "", nullptr, "declares a document type (DTD)", ""},
    {"a missing part", "missing-part.xlsx", "", nullptr, "the part xl/worksheets/sheet1.xml is missing", ""},
    {"a broken relationship", "broken-relation.xlsx", "", nullptr,
     "refers to relationship rIdS0, which the workbook does not have", ""},
    {"a ZIP of something else", "not-a-book.zip", "", nullptr, "neither an .xlsx nor an .ods workbook", ""},
    {"an OpenDocument text", "text.odt", "", nullptr,
     "OpenDocument file of type application/vnd.oasis.opendocument.text", ""},
};

class SheetTest : public ::testing::TestWithParam<SHEET_CASE_> {};

TEST_P(SheetTest, GivesTheTextAsShown) {
    if (!CWorkbook::available())
        GTEST_SKIP() << "this build reads no workbooks";
    const SHEET_CASE_& c = GetParam();
    CWorkbookInput input;
    std::string error;
    const bool read = input.convert(bytesOf(c.file), c.sheet, true, error);
    if (!c.text) {
        ASSERT_FALSE(read);
        EXPECT_NE(error.find(c.problems), std::string::npos) << error;
        return;
    }
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(input.text(), c.text);
    EXPECT_EQ(problemsOf(input), c.problems);
    EXPECT_EQ(input.sheetName(), c.sheetName);
}

INSTANTIATE_TEST_SUITE_P(Workbooks, SheetTest, ::testing::ValuesIn(kSheets),
                         [](const ::testing::TestParamInfo<SHEET_CASE_>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// Damaged archives: cut short, a flipped byte in the compressed data (the
// CRC), no bytes at all. Each is an error, never a crash.
TEST(WorkbookDamage, IsAnErrorNeverACrash) {
    if (!CWorkbook::available())
        GTEST_SKIP() << "this build reads no workbooks";
    const std::string good = bytesOf("features.xlsx");
    std::string flipped = good;
    // Inside the compressed data of the table's sheet, just past its local
    // header (the first place its name appears).
    const std::string part = "xl/worksheets/sheet1.xml";
    const std::size_t at = good.find(part) + part.size() + 5;
    ASSERT_LT(at, good.size());
    flipped[at] = static_cast<char>(flipped[at] ^ 0x55);
    const std::string cases[] = {good.substr(0, good.size() / 2), flipped, std::string("PK\x03\x04", 4),
                                 std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(100, '\0')};
    for (const std::string& bytes : cases) {
        CWorkbookInput input;
        std::string error;
        EXPECT_FALSE(input.convert(bytes, "", true, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(WorkbookKind, IsToldByContent) {
    EXPECT_TRUE(CWorkbookInput::isWorkbook(kFixtures + "/lamp.ods"));
    EXPECT_TRUE(CWorkbookInput::isWorkbook(kFixtures + "/lamp.xls"));
    EXPECT_FALSE(CWorkbookInput::isWorkbook(kFixtures + "/make-fixtures.py"));
    EXPECT_FALSE(CWorkbookInput::isWorkbook(kFixtures + "/no-such-file"));
}

struct NUMBER_CASE_ {
    double value;
    const char* text;  // null: refused
};

// The General format's text where it is certain; the rest refused.
const NUMBER_CASE_ kNumbers[] = {
    {0, "0"},
    {-0.0, "0"},
    {2, "2"},
    {-17, "-17"},
    {999999999999999, "999999999999999"},
    {1.5, "1.5"},
    {-0.5, "-0.5"},
    {100.25, "100.25"},
    {0.0001, "0.0001"},
    {0.000123456789012345, "0.000123456789012345"},
    {99999999999999.9, "99999999999999.9"},
    {1.12345678901234, "1.12345678901234"},
    {1e15, nullptr},
    {1e20, nullptr},
    {0.00001, nullptr},
    {0.1 + 0.2, nullptr},
    {1.123456789012345, nullptr},
    {1e14 + 0.5, nullptr},
};

TEST(GeneralNumber, IsWrittenOnlyWhenCertain) {
    for (const NUMBER_CASE_& c : kNumbers) {
        std::string text;
        const bool written = CGeneralNumber::text(c.value, text);
        EXPECT_EQ(written, c.text != nullptr) << c.value;
        if (c.text && written) {
            EXPECT_EQ(text, c.text);
        }
    }
}

TEST(XlsxText, DecodesEscapes) {
    if (!CWorkbook::available())
        GTEST_SKIP() << "this build reads no workbooks";
    EXPECT_EQ(CXlsxReader::unescape("a_x000D_b"), "a\rb");
    EXPECT_EQ(CXlsxReader::unescape("a_x0009_b_x000a_c_x001F_"), "a\tb\nc\x1F");
    EXPECT_EQ(CXlsxReader::unescape("_x005F_x0041_"), "_x0041_");
    EXPECT_EQ(CXlsxReader::unescape("_x005f_"), "_");
    EXPECT_EQ(CXlsxReader::unescape("_xD83D__xDE00_"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(CXlsxReader::unescape("_xFFFF_"), "\xEF\xBF\xBF");
    // What XML can hold stays as written, as the spreadsheet shows it.
    EXPECT_EQ(CXlsxReader::unescape("_x0041_ _x00e9_ _x0020_ _x007F_ _X0041_"),
              "_x0041_ _x00e9_ _x0020_ _x007F_ _X0041_");
    EXPECT_EQ(CXlsxReader::unescape("_x12G4_ _x12"), "_x12G4_ _x12");
}

TEST(XlsxFormat, KnowsItsKind) {
    if (!CWorkbook::available())
        GTEST_SKIP() << "this build reads no workbooks";
    EXPECT_EQ(CXlsxReader::kindOfCode("General"), CXlsxReader::kGeneral);
    EXPECT_EQ(CXlsxReader::kindOfCode("@"), CXlsxReader::kText);
    EXPECT_EQ(CXlsxReader::kindOfCode("0.00"), CXlsxReader::kOtherNumber);
    EXPECT_EQ(CXlsxReader::kindOfCode("yyyy\\-mm\\-dd"), CXlsxReader::kDateFormat);
    EXPECT_EQ(CXlsxReader::kindOfCode("[h]:mm"), CXlsxReader::kDateFormat);
    EXPECT_EQ(CXlsxReader::kindOfCode("\"day\" 0"), CXlsxReader::kOtherNumber);
    EXPECT_EQ(CXlsxReader::kindOfCode("\"x\"@"), CXlsxReader::kTextWithLiterals);
}

TEST(XlsxPath, StaysInThePackage) {
    if (!CWorkbook::available())
        GTEST_SKIP() << "this build reads no workbooks";
    std::string path;
    EXPECT_TRUE(CXlsxReader::resolve("xl/workbook.xml", "worksheets/sheet1.xml", path));
    EXPECT_EQ(path, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(CXlsxReader::resolve("xl/workbook.xml", "/xl/styles.xml", path));
    EXPECT_EQ(path, "xl/styles.xml");
    EXPECT_TRUE(CXlsxReader::resolve("xl/workbook.xml", "../custom/s.xml", path));
    EXPECT_EQ(path, "custom/s.xml");
    EXPECT_FALSE(CXlsxReader::resolve("xl/workbook.xml", "../../etc/passwd", path));
}

}  // namespace
