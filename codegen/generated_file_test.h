#ifndef PELK_CODEGEN_GENERATED_FILE_TEST_H
#define PELK_CODEGEN_GENERATED_FILE_TEST_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "table/st_table.h"
#include "tests/support/lamp_table.h"
#include "tests/support/paths.h"
#include "tests/support/process.h"
#include "tests/support/stamp.h"

/// GeneratedFileTest runs each test in a scratch directory of its own and
/// reads the files a generator wrote there.
class GeneratedFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        m_scratch = makeScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::current_path(m_scratch);
    }
    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_scratch);
    }

    /// The file's whole text.
    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream stream;
        stream << in.rdbuf();
        return stream.str();
    }

    /// The file's text with every generation stamp replaced by
    /// "YYYY/MM/DD hh:mm:ss".
    static std::string readStamped(const std::filesystem::path& path) {
        std::string text = read(path);
        for (std::string::size_type at = 0; at < text.size(); ++at) {
            if (isStampAt(text, at))
                text.replace(at, kStampLength, "YYYY/MM/DD hh:mm:ss");
        }
        return text;
    }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_scratch;
};

#endif
