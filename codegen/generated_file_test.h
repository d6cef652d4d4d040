#ifndef PELK_CODEGEN_GENERATED_FILE_TEST_H
#define PELK_CODEGEN_GENERATED_FILE_TEST_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

/// GeneratedFileTest runs each test in a scratch directory of its own and
/// reads the files a generator wrote there.
class GeneratedFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        m_scratch = std::filesystem::temp_directory_path() /
                    ("pelk_generated_" + std::to_string(::getpid()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_scratch);
        std::filesystem::create_directories(m_scratch);
        std::filesystem::current_path(m_scratch);
    }
    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_scratch);
    }

    /// The file's text with every "dddd/dd/dd dd:dd:dd" replaced by
    /// "YYYY/MM/DD hh:mm:ss".
    static std::string readStamped(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream stream;
        stream << in.rdbuf();
        std::string text = stream.str();
        static const char kForm[] = "dddd/dd/dd dd:dd:dd";
        static const char kPlaceholder[] = "YYYY/MM/DD hh:mm:ss";
        const size_t length = sizeof kForm - 1;
        for (size_t at = 0; at + length <= text.size(); ++at) {
            size_t i = 0;
            while (i < length && (kForm[i] == 'd' ? std::isdigit(static_cast<unsigned char>(text[at + i])) != 0
                                                  : text[at + i] == kForm[i]))
                ++i;
            if (i == length)
                text.replace(at, length, kPlaceholder);
        }
        return text;
    }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_scratch;
};

#endif
