// The built shared library itself, loaded the way the program loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "Kerrow.h"
#include "kerrow_test_support.h"

namespace {

TEST(KerrowShared, SplitsThroughTheLoadedLibrary) {
    void* lib = dlopen(KERROW_SHARED_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto split = reinterpret_cast<KERROW_SPLIT_FN>(dlsym(lib, "Kerrow"));
    auto first = reinterpret_cast<KERROW_RECORD_FN>(dlsym(lib, "GetFirstTsvRecord"));
    auto next = reinterpret_cast<KERROW_RECORD_FN>(dlsym(lib, "GetNextTsvRecord"));
    auto freeAll = reinterpret_cast<KERROW_FREE_FN>(dlsym(lib, "FreeAllRecords"));
    auto message = reinterpret_cast<KERROW_TEXT_FN>(dlsym(lib, "GetErrorMessage"));
    auto version = reinterpret_cast<KERROW_TEXT_FN>(dlsym(lib, "GetKerrowVersion"));
    ASSERT_TRUE(split && first && next && freeAll && message && version);
    EXPECT_EQ(dlsym(lib, "push_field"), nullptr);

    EXPECT_STREQ(version(), "1.0");
    EXPECT_EQ(split("/nonexistent/table.txt"), -1);
    EXPECT_STREQ(message(), "can't open file /nonexistent/table.txt");

    std::string path = writeFile("shared_table", "START\tE0\nS0\t0\tS0/f\n");
    ASSERT_EQ(split(path.c_str()), 0) << message();
    Records records;
    int count = 0;
    char** fields = nullptr;
    for (int r = first(&count, &fields); r == 0; r = next(&count, &fields))
        records.emplace_back(fields, fields + count);
    EXPECT_EQ(records, (Records{{"START", "E0"}, {"S0", "0", "S0/f"}}));
    freeAll();
    EXPECT_EQ(first(&count, &fields), 1);
    dlclose(lib);
}

}  // namespace
