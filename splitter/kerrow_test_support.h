// Helpers of the splitter tests: files to split and the records they gave.
#ifndef KERROW_TEST_SUPPORT_H
#define KERROW_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Kerrow.h"

using Records = std::vector<std::vector<std::string>>;

// Writes content to a file of the test's temporary directory; returns its path.
inline std::string writeFile(const std::string& name, const std::string& content) {
    std::string path = ::testing::TempDir() + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << path;
    if (f) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return path;
}

// The stored records as the iteration hands them out, checked against the
// record nodes and the record count on the way.
inline Records storedRecords() {
    Records records;
    const KERROW_RECORD* node = GetTsvRecordTop();
    int count = 0;
    char** fields = nullptr;
    for (int r = GetFirstTsvRecord(&count, &fields); r == 0; r = GetNextTsvRecord(&count, &fields)) {
        EXPECT_NE(node, nullptr);
        if (!node)
            break;
        EXPECT_EQ(count, node->fieldCount);
        EXPECT_GE(count, 1);
        std::vector<std::string> record;
        const KERROW_FIELD* f = node->fields;
        for (int i = 0; i < count; ++i) {
            EXPECT_NE(fields[i], nullptr);
            EXPECT_NE(f, nullptr);
            if (!fields[i] || !f)
                break;
            EXPECT_EQ(fields[i], f->text);
            record.emplace_back(fields[i]);
            f = f->next;
        }
        EXPECT_EQ(f, nullptr);
        records.push_back(record);
        node = node->next;
    }
    EXPECT_EQ(node, nullptr);
    EXPECT_EQ(static_cast<int>(records.size()), GetTsvRecordCount());
    return records;
}

#endif
