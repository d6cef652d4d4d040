#include <gtest/gtest.h>

#include <string>

#include "Kerrow.h"
#include "kerrow_internal.h"
#include "kerrow_test_support.h"

namespace {

class KerrowTest : public ::testing::Test {
protected:
    void TearDown() override {
        FreeAllRecords();
        kerrow_set_read_size(0);
    }
};

// --- accepted inputs, fed with every read size ---

struct Accepted {
    const char* name;
    std::string input;
    Records records;
};

const Accepted kAccepted[] = {
    {"two_fields", "a\tb\n", {{"a", "b"}}},
    {"tab_only", "\t\n", {{"", ""}}},
    {"empty_line", "\n", {{""}}},
    {"crlf", "a\tb\r\n", {{"a", "b"}}},
    {"lone_cr_dropped", "a\r\r\n", {{"a"}}},
    {"quoted_fields", "\"a\"\t\"b c\"\n", {{"a", "b c"}}},
    {"tab_in_quotes_dropped", "\"a\t\"\n", {{"a"}}},
    {"spaces_kept", " a \t b\n", {{" a ", " b"}}},
    {"empty_fields_everywhere", "\ta\t\tb\t\n", {{"", "a", "", "b", ""}}},
    {"three_records",
     "START\te1\te2\nS0\t0\tS1/f\nS1\t1\t-\n",
     {{"START", "e1", "e2"}, {"S0", "0", "S1/f"}, {"S1", "1", "-"}}},
    {"empty_lines_between", "a\n\nb\r\n\r\n", {{"a"}, {""}, {"b"}, {""}}},
    {"quote_ends_field_run", "ab\"\"\n", {{"ab"}}},
    {"quote_starts_field", "\"\"ab\n", {{"ab"}}},
    {"cr_at_end_of_file_before_lf", "a\r\n", {{"a"}}},
    {"cr_in_quotes_dropped", "\"a\r\"\n", {{"a"}}},
    {"field_of_255", std::string(255, 'x') + "\ty\n", {{std::string(255, 'x'), "y"}}},
    {"high_bytes", "\xe4\xf6\xfc\t\xff\n", {{"\xe4\xf6\xfc", "\xff"}}},
};

const std::size_t kReadSizes[] = {1, 2, 3, 0 /* default */};

TEST_F(KerrowTest, AcceptedInputsGiveTheirRecordsWithEveryReadSize) {
    for (const Accepted& c : kAccepted) {
        for (std::size_t size : kReadSizes) {
            SCOPED_TRACE(std::string(c.name) + " read size " + std::to_string(size));
            kerrow_set_read_size(size);
            std::string path = writeFile(c.name, c.input);
            ASSERT_EQ(Kerrow(path.c_str()), 0) << GetErrorMessage();
            EXPECT_EQ(storedRecords(), c.records);
            FreeAllRecords();
        }
    }
}

TEST_F(KerrowTest, QuotedLineFeedGoesToStandardOutputAndCountsTheLine) {
    for (std::size_t size : kReadSizes) {
        SCOPED_TRACE(size);
        kerrow_set_read_size(size);
        // The record is fine; a third line then fails, reporting line 3.
        std::string path = writeFile("quoted_lf", "\"\na\"\nab\"cd\"\n");
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(Kerrow(path.c_str()), -1);
        std::fflush(stdout);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "\n");
        EXPECT_EQ(std::string(GetErrorMessage()), path + ":3: syntax error. \"cd\" is invalid.");
        EXPECT_EQ(storedRecords(), (Records{{"a"}}));
    }
}

// --- refused inputs: result -1 and the exact message ---

struct Refused {
    const char* name;
    std::string input;
    const char* message;  // after "<path>:"
    Records kept;         // records closed before the failure
};

const Refused kRefused[] = {
    {"two_runs_quoted", "x\ny\nab\"cd\"\n", "3: syntax error. \"cd\" is invalid.", {{"x"}, {"y"}}},
    {"two_runs_cr", "a\rb\n", "1: syntax error. \"b\" is invalid.", {}},
    {"no_line_end", "a\tb", "1: syntax error. \"\" is invalid.", {}},
    {"empty_file", "", "1: syntax error. \"\" is invalid.", {}},
    {"last_line_open", "a\nb", "2: syntax error. \"\" is invalid.", {{"a"}}},
    {"unbalanced_quote_over_tab", "\"a\tb\n", "1: syntax error. \"b\" is invalid.", {}},
    {"unbalanced_quote_over_line", "\"a\nb\n", "2: syntax error. \"b\" is invalid.", {}},
    {"unbalanced_quote_at_end", "\"a\n", "2: syntax error. \"\" is invalid.", {}},
    {"field_of_256", "ok\n" + std::string(256, 'x') + "\n", "2: field is too long. (max 255 characters)", {{"ok"}}},
    {"field_of_9000", std::string(9000, 'x') + "\n", "1: field is too long. (max 255 characters)", {}},
    {"quoted_field_too_long", "\"" + std::string(300, 'q') + "\"\n", "1: field is too long. (max 255 characters)", {}},
    {"nul_in_field", std::string("a\nb\0c\n", 6), "2: NUL character in the file.", {{"a"}}},
    {"nul_alone", std::string("\0\n", 2), "1: NUL character in the file.", {}},
    {"nul_in_quotes", std::string("\"\0\"\n", 4), "1: NUL character in the file.", {}},
};

TEST_F(KerrowTest, RefusedInputsFailWithTheirMessageWithEveryReadSize) {
    for (const Refused& c : kRefused) {
        for (std::size_t size : kReadSizes) {
            SCOPED_TRACE(std::string(c.name) + " read size " + std::to_string(size));
            kerrow_set_read_size(size);
            std::string path = writeFile(c.name, c.input);
            ::testing::internal::CaptureStdout();
            EXPECT_EQ(Kerrow(path.c_str()), -1);
            ::testing::internal::GetCapturedStdout();
            EXPECT_EQ(std::string(GetErrorMessage()), path + ":" + c.message);
            EXPECT_EQ(storedRecords(), c.kept);
            FreeAllRecords();
        }
    }
}

TEST_F(KerrowTest, MissingFileLeavesTheStoreUntouched) {
    std::string path = writeFile("present", "a\tb\n");
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    std::string missing = ::testing::TempDir() + "no/such/file.txt";
    EXPECT_EQ(Kerrow(missing.c_str()), -1);
    EXPECT_EQ(std::string(GetErrorMessage()), "can't open file " + missing);
    EXPECT_EQ(storedRecords(), (Records{{"a", "b"}}));
}

TEST_F(KerrowTest, ReadErrorFailsTheSplit) {
    // A directory opens for reading on Linux but cannot be read.
    std::string dir = ::testing::TempDir();
    int result = Kerrow(dir.c_str());
    EXPECT_EQ(result, -1);
    std::string message = GetErrorMessage();
    EXPECT_TRUE(message == dir + ":1: can't read file." || message == "can't open file " + dir) << message;
}

TEST_F(KerrowTest, LongMessagesAreCutToTheBuffer) {
    std::string longPath = ::testing::TempDir() + std::string(200, 'p') + "/" + std::string(200, 'q');
    EXPECT_EQ(Kerrow(longPath.c_str()), -1);
    EXPECT_EQ(std::string(GetErrorMessage()), ("can't open file " + longPath).substr(0, 255));

    std::string path = writeFile(std::string(150, 'n'), "a" + std::string(3, '"') + std::string(200, 'z') + "\n");
    EXPECT_EQ(Kerrow(path.c_str()), -1);
    std::string full = path + ":1: syntax error. \"" + std::string(200, 'z') + "\" is invalid.";
    EXPECT_EQ(std::string(GetErrorMessage()), full.substr(0, 255));
}

TEST_F(KerrowTest, NullPathIsAnUnopenableFile) {
    EXPECT_EQ(Kerrow(nullptr), -1);
    EXPECT_EQ(std::string(GetErrorMessage()), "can't open file ");
}

TEST_F(KerrowTest, IterationBeforeAnySplitAndAfterFreeFindsNoRecord) {
    int count = -7;
    char** fields = reinterpret_cast<char**>(&count);
    EXPECT_EQ(GetFirstTsvRecord(&count, &fields), 1);
    EXPECT_EQ(GetNextTsvRecord(&count, &fields), 1);
    EXPECT_EQ(count, -7);
    EXPECT_EQ(fields, reinterpret_cast<char**>(&count));
    EXPECT_EQ(GetTsvRecordCount(), 0);
    EXPECT_EQ(GetTsvRecordTop(), nullptr);

    std::string path = writeFile("one", "a\n");
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    FreeAllRecords();
    EXPECT_EQ(GetFirstTsvRecord(&count, &fields), 1);
    EXPECT_EQ(GetNextTsvRecord(&count, &fields), 1);
    EXPECT_EQ(GetTsvRecordCount(), 0);
    EXPECT_EQ(GetTsvRecordTop(), nullptr);
}

TEST_F(KerrowTest, NodesAndHandedOutRecordsAgree) {
    std::string path = writeFile("three", "START\tA\tB\nS0\t0\nS1\t1\t\n");
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    EXPECT_EQ(GetTsvRecordCount(), 3);
    const KERROW_RECORD* top = GetTsvRecordTop();
    ASSERT_NE(top, nullptr);
    int count = 0;
    char** fields = nullptr;
    ASSERT_EQ(GetFirstTsvRecord(&count, &fields), 0);
    EXPECT_EQ(count, top->fieldCount);
    EXPECT_EQ(count, 3);
    EXPECT_STREQ(top->fields->text, "START");
    EXPECT_STREQ(top->fields->next->text, "A");
    EXPECT_STREQ(top->fields->next->next->text, "B");
    EXPECT_EQ(top->fields->next->next->next, nullptr);
    EXPECT_EQ(top->next->fieldCount, 2);
    EXPECT_EQ(top->next->next->fieldCount, 3);
    EXPECT_STREQ(top->next->next->fields->next->next->text, "");
    EXPECT_EQ(top->next->next->next, nullptr);
}

TEST_F(KerrowTest, LastArrayStaysValidAfterTheEndAndTextsUntilFree) {
    std::string path = writeFile("two", "a\tb\nc\t\n");
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    int count = 0;
    char** first = nullptr;
    ASSERT_EQ(GetFirstTsvRecord(&count, &first), 0);
    const char* kept = first[0];
    char** second = nullptr;
    ASSERT_EQ(GetNextTsvRecord(&count, &second), 0);
    char** untouched = second;
    EXPECT_EQ(GetNextTsvRecord(&count, &untouched), 1);
    EXPECT_EQ(untouched, second);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(second[0], "c");
    EXPECT_STREQ(second[1], "");  // an empty field is "", never null
    EXPECT_STREQ(kept, "a");
    // A fresh iteration starts over.
    ASSERT_EQ(GetFirstTsvRecord(&count, &first), 0);
    EXPECT_STREQ(first[1], "b");
}

TEST_F(KerrowTest, SecondSplitReplacesTheFirstAndStartsOnLineOne) {
    kerrow_set_read_size(2);
    std::string open = writeFile("open_quote", "a\n\"b\n");  // ends inside quotes
    EXPECT_EQ(Kerrow(open.c_str()), -1);
    std::string path = writeFile("second", "x\ny\"z\"\n");
    EXPECT_EQ(Kerrow(path.c_str()), -1);
    EXPECT_EQ(std::string(GetErrorMessage()), path + ":2: syntax error. \"z\" is invalid.");
    EXPECT_EQ(storedRecords(), (Records{{"x"}}));
    std::string good = writeFile("good", "p\tq\n");
    ASSERT_EQ(Kerrow(good.c_str()), 0);
    EXPECT_EQ(storedRecords(), (Records{{"p", "q"}}));
}

TEST_F(KerrowTest, MessageOutlivesALaterSuccess) {
    EXPECT_EQ(Kerrow("/nonexistent/kerrow"), -1);
    std::string path = writeFile("fine", "a\n");
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    EXPECT_STREQ(GetErrorMessage(), "can't open file /nonexistent/kerrow");
}

TEST_F(KerrowTest, VersionIsOneDotZero) {
    EXPECT_STREQ(GetKerrowVersion(), "1.0");
    std::string path = writeFile("v", "a\n");
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    EXPECT_STREQ(GetKerrowVersion(), "1.0");
}

TEST_F(KerrowTest, ManyRecordsKeepFileOrder) {
    std::string content;
    Records expected;
    for (int i = 0; i < 5000; ++i) {
        content += "r" + std::to_string(i) + "\t" + std::to_string(i % 7) + "\n";
        expected.push_back({"r" + std::to_string(i), std::to_string(i % 7)});
    }
    std::string path = writeFile("many", content);
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    EXPECT_EQ(storedRecords(), expected);
}

}  // namespace
