#include "allocation.h"

#include <gtest/gtest.h>

#include <string>

#include "Kerrow.h"
#include "kerrow_internal.h"
#include "kerrow_test_support.h"

namespace {

const char kTable[] = "START\tE0\tE1\nS0\t0\tS1/a,b\t-\n\nS1\t1\t*\t\"S0\"\n";
const Records kTableRecords = {{"START", "E0", "E1"}, {"S0", "0", "S1/a,b", "-"}, {""}, {"S1", "1", "*", "S0"}};

class AllocationTest : public ::testing::Test {
protected:
    void TearDown() override {
        kerrow_fail_allocation(0);
        kerrow_set_read_size(0);
        FreeAllRecords();
    }
};

TEST_F(AllocationTest, ArmedAllocationFailsOnceThenAllSucceed) {
    kerrow_fail_allocation(2);
    void* first = kerrow_malloc(8);
    void* second = kerrow_malloc(8);
    void* third = kerrow_malloc(8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    EXPECT_EQ(kerrow_allocation_count(), 3);
    kerrow_free(first);
    kerrow_free(third);
}

// Fails each allocation of a split in turn: the split either gives every
// record or fails with the memory message, and nothing leaks or crashes.
TEST_F(AllocationTest, EveryFailingAllocationOfASplitIsReported) {
    std::string path = writeFile("alloc_table", kTable);
    for (std::size_t readSize : {std::size_t{1}, std::size_t{0}}) {
        kerrow_set_read_size(readSize);
        kerrow_fail_allocation(0);
        ASSERT_EQ(Kerrow(path.c_str()), 0);
        long total = kerrow_allocation_count();
        ASSERT_GT(total, 10);
        FreeAllRecords();
        for (long n = 1; n <= total + 1; ++n) {
            SCOPED_TRACE("failing allocation " + std::to_string(n));
            kerrow_fail_allocation(n);
            int result = Kerrow(path.c_str());
            kerrow_fail_allocation(0);
            if (n > total) {
                EXPECT_EQ(result, 0);
            } else {
                EXPECT_EQ(result, -1);
                std::string message = GetErrorMessage();
                EXPECT_TRUE(message == "memory allocation error.  push_field()" ||
                            message == "memory allocation error.  push_record()")
                    << message;
            }
            Records got = storedRecords();
            if (result == 0) {
                EXPECT_EQ(got, kTableRecords);
            } else {
                ASSERT_LE(got.size(), kTableRecords.size());
                EXPECT_EQ(got, Records(kTableRecords.begin(), kTableRecords.begin() + got.size()));
            }
            FreeAllRecords();
        }
    }
}

TEST_F(AllocationTest, FailingHandOutKeepsTheCursor) {
    std::string path = writeFile("alloc_handout", kTable);
    ASSERT_EQ(Kerrow(path.c_str()), 0);
    int count = 0;
    char** fields = nullptr;
    kerrow_fail_allocation(1);
    EXPECT_EQ(GetFirstTsvRecord(&count, &fields), -1);
    EXPECT_STREQ(GetErrorMessage(), "memory allocation error. get_first_record()");
    ASSERT_EQ(GetFirstTsvRecord(&count, &fields), 0);
    EXPECT_STREQ(fields[0], "START");
    char** firstArray = fields;
    kerrow_fail_allocation(1);
    EXPECT_EQ(GetNextTsvRecord(&count, &fields), -1);
    EXPECT_STREQ(GetErrorMessage(), "memory allocation error. get_first_record()");
    EXPECT_EQ(fields, firstArray);  // the earlier array is still handed out
    EXPECT_STREQ(fields[0], "START");
    ASSERT_EQ(GetNextTsvRecord(&count, &fields), 0);
    EXPECT_STREQ(fields[0], "S0");
    EXPECT_EQ(count, 4);
}

}  // namespace
