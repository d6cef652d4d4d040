// The table file split in this process: the records and places it keeps,
// and every way a split can fail, each with the record it belongs to and
// its place.
#include "table/table_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/process.h"
#include "tsv_scanner.h"

namespace {

using SPLIT_ERROR_ = CTableFile::SPLIT_ERROR_;
using Records = std::vector<std::vector<std::string>>;
// kind, record, line, column, text
using Error = std::tuple<int, int, int, int, std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    bool read;  // split() reads it to the end
    std::vector<Error> errors;
    Records records;
    std::vector<int> broken;  // the records marked broken
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<Error> errorsOf(const CTableFile& file) {
    std::vector<Error> errors;
    for (const SPLIT_ERROR_& error : file.errors())
        errors.emplace_back(error.kind, error.record, error.line, error.column, error.text);
    return errors;
}

Records recordsOf(const CTableFile& file) {
    Records records;
    for (const CTableFile::RECORD_& record : file.records()) {
        records.emplace_back();
        for (const CTableFile::FIELD_& field : record.fields)
            records.back().push_back(field.text);
    }
    return records;
}

std::vector<int> brokenOf(const CTableFile& file) {
    std::vector<int> broken;
    for (std::size_t i = 0; i < file.records().size(); ++i) {
        if (file.records()[i].broken)
            broken.push_back(static_cast<int>(i));
    }
    return broken;
}

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, KeepsTheRecordsAndSaysWhereItFailed) {
    const SplitCase& c = GetParam();
    CTableFile file;
    EXPECT_EQ(file.split(c.text), c.read);
    EXPECT_EQ(errorsOf(file), c.errors);
    EXPECT_EQ(recordsOf(file), c.records);
    EXPECT_EQ(brokenOf(file), c.broken);
}

const std::size_t kLongest = CTsvScanner::kValueSize - 1;

const SplitCase kSplits[] = {
    {"Table", "START\t\tGO\nIDLE\t0\t0/run\n", true, {}, {{"START", "", "GO"}, {"IDLE", "0", "0/run"}}, {}},
    {"QuotesAndCrLf", "\"a b\"\t\"\"\r\n", true, {}, {{"a b", ""}}, {}},
    {"LongestField", "A\t" + std::string(kLongest, 'x') + "\n", true, {}, {{"A", std::string(kLongest, 'x')}}, {}},
    {"EmptyFile", "", false, {Error{SPLIT_ERROR_::kEmptyFile, -1, 1, 1, ""}}, {}, {}},
    // A field one byte too long is refused where it begins; what was read
    // of its record stays, marked.
    {"FieldTooLong",
     "START\tA\nS\t" + std::string(kLongest + 1, 'x') + "\n",
     false,
     {Error{SPLIT_ERROR_::kFieldTooLong, 1, 2, 3, ""}},
     {{"START", "A"}, {"S"}},
     {1}},
    {"NulCharacter",
     std::string("START\tA\nS\tx\0y\n", 14),
     false,
     {Error{SPLIT_ERROR_::kNulCharacter, 1, 2, 4, ""}},
     {{"START", "A"}, {"S"}},
     {1}},
    {"NulAtTheStart", std::string("\0", 1), false, {Error{SPLIT_ERROR_::kNulCharacter, 0, 1, 1, ""}}, {}, {}},
    // Two runs of text in one field: the record is kept as far as it was
    // read, and the split reads on.
    {"SyntaxError", "a\tb\"c\"\nd\n", true, {Error{SPLIT_ERROR_::kSyntax, 0, 1, 5, "c"}}, {{"a"}, {"d"}}, {0}},
    {"MissingLineEnd",
     "START\tA\nS\t0",
     true,
     {Error{SPLIT_ERROR_::kMissingLineEnd, 1, 2, 4, ""}},
     {{"START", "A"}, {"S"}},
     {1}},
};

INSTANTIATE_TEST_SUITE_P(Splits, SplitTest, ::testing::ValuesIn(kSplits),
                         [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

// A record placed so that each of its bytes in turn falls on the boundary
// of the scanner's reads: the split gives the same fields at the same places
// as it does for a short text.
TEST(TableFileReads, AcrossTheScannersReadSize) {
    const std::string record = "\"q u\"\tfield\t\r\n";
    for (std::size_t before = CTsvScanner::kDefaultReadSize - record.size(); before <= CTsvScanner::kDefaultReadSize;
         ++before) {
        // Lines of filler of ten bytes each, then the rest of the gap in one.
        std::string text;
        const std::size_t lines = before / 10;
        for (std::size_t i = 1; i < lines; ++i)
            text += "123456789\n";
        text += std::string(before - text.size() - 1, 'z') + "\n";
        ASSERT_EQ(text.size(), before);
        text += record;
        CTableFile file;
        ASSERT_TRUE(file.split(text)) << before;
        ASSERT_EQ(file.records().size(), lines + 1) << before;
        const CTableFile::RECORD_& last = file.records().back();
        ASSERT_EQ(last.fields.size(), 3u) << before;
        const int line = static_cast<int>(lines + 1);
        const std::vector<std::tuple<std::string, int, int>> expected = {
            {"q u", line, 1}, {"field", line, 7}, {"", line, 13}};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(std::make_tuple(last.fields[i].text, last.fields[i].line, last.fields[i].column), expected[i])
                << "byte " << before << ", field " << i;
        }
        EXPECT_FALSE(last.broken) << before;
    }
}

// read() of what is no readable file: nothing to open, and a directory,
// which opens but cannot be read.
TEST(TableFileReads, SaysWhenTheFileCannotBeRead) {
    const std::filesystem::path scratch = makeScratchDirectory("table-file");
    const struct {
        std::filesystem::path path;
        int kind;
    } cases[] = {
        {scratch / "missing.tsv", SPLIT_ERROR_::kCannotOpen},
        {scratch, SPLIT_ERROR_::kReadError},
    };
    for (const auto& c : cases) {
        CTableFile file;
        EXPECT_FALSE(file.read(c.path.string())) << c.path;
        EXPECT_EQ(errorsOf(file), (std::vector<Error>{Error{c.kind, -1, 0, 0, ""}})) << c.path;
        EXPECT_TRUE(file.records().empty()) << c.path;
    }
    // A file reads as the same bytes split in memory, and a second read
    // forgets the first.
    const std::filesystem::path table = scratch / "table.tsv";
    writeFile(table, "a\tb\r\n");
    CTableFile file;
    EXPECT_FALSE(file.read((scratch / "missing.tsv").string()));
    EXPECT_TRUE(file.read(table.string()));
    EXPECT_TRUE(file.errors().empty());
    EXPECT_EQ(recordsOf(file), (Records{{"a", "b"}}));
    std::filesystem::remove_all(scratch);
}

}  // namespace
