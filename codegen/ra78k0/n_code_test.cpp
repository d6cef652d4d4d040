#include "codegen/ra78k0/n_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ios>
#include <string>

#include "codegen/generated_file_test.h"
#include "table/st_table.h"

namespace fs = std::filesystem;

namespace {

// Puts the include stream into the given state before the include phase.
class CBreakingCNCode : public CNCode {
public:
    explicit CBreakingCNCode(std::ios::iostate state)
        : CNCode(nullptr),
          m_state(state) {}
    int writeSourceTail() override {
        includeStream.setstate(m_state);
        return CNCode::writeSourceTail();
    }

private:
    std::ios::iostate m_state;
};

using NCodeTest = GeneratedFileTest;

// The expectations are the hand-checked listings of the golden cases.
TEST_F(NCodeTest, WritesTheLampWithAndWithoutContextFile) {
    const struct {
        const char* context;
        const char* goldenCase;
    } cases[] = {
        {"lampact.inc", "asm_lamp_nra78k0"},
        {nullptr, "asm_lamp_noctx_nra78k0"},
    };
    for (const auto& c : cases) {
        CSTTable table("Lamp", c.context);
        fillLamp(table);
        CNCode code(nullptr);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(readStamped("Lampfsm.asm"), read(goldenFile(c.goldenCase, "Lampfsm.asm"))) << c.goldenCase;
        EXPECT_EQ(readStamped("Lampfsm.inc"), read(goldenFile(c.goldenCase, "Lampfsm.inc"))) << c.goldenCase;
    }
}

TEST_F(NCodeTest, FailsWithoutWritingIntoABrokenIncludeStream) {
    for (std::ios::iostate state : {std::ios::failbit, std::ios::badbit}) {
        CSTTable table("Lamp", nullptr);
        fillLamp(table);
        CBreakingCNCode code(state);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), -1) << state;
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(fs::file_size("Lampfsm.inc"), 0u) << state;
    }
}

}  // namespace
