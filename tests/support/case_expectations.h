#ifndef PELK_TESTS_SUPPORT_CASE_EXPECTATIONS_H
#define PELK_TESTS_SUPPORT_CASE_EXPECTATIONS_H

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/golden.h"
#include "tests/support/process.h"

/// Compares what a case's command did with the files status, stdout and
/// stderr in expected, or writes them there under PELK_UPDATE_GOLDEN.
inline void expectCaseResult(const std::filesystem::path& expected, const ProcessResult& result) {
    if (updatingGolden()) {
        std::filesystem::create_directories(expected);
        writeFile(expected / "status", std::to_string(result.status) + "\n");
        writeFile(expected / "stdout", result.out);
        writeFile(expected / "stderr", result.err);
    }
    ASSERT_TRUE(std::filesystem::exists(expected / "status")) << "no expectations; run with PELK_UPDATE_GOLDEN=1";
    EXPECT_EQ(std::to_string(result.status) + "\n", readFile(expected / "status"));
    EXPECT_EQ(result.out, readFile(expected / "stdout"));
    EXPECT_EQ(result.err, readFile(expected / "stderr"));
}

#endif
