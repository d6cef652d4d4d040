#include "codegen/asm96/f_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ios>
#include <string>

#include "codegen/generated_file_test.h"
#include "table/st_table.h"

namespace fs = std::filesystem;

namespace {

// Puts the include stream into the given state before the include phase.
class CBreakingCFCode : public CFCode {
public:
    explicit CBreakingCFCode(std::ios::iostate state)
        : CFCode(nullptr),
          m_state(state) {}
    int writeSourceTail() override {
        includeStream.setstate(m_state);
        return CFCode::writeSourceTail();
    }

private:
    std::ios::iostate m_state;
};

using FCodeTest = GeneratedFileTest;

// The expectations are the hand-checked listings of the golden cases.
TEST_F(FCodeTest, WritesTheLampWithAndWithoutContextFile) {
    const struct {
        const char* context;
        const char* goldenCase;
    } cases[] = {
        {"lampact.inc", "asm_lamp_fasm96"},
        {nullptr, "asm_lamp_noctx_fasm96"},
    };
    for (const auto& c : cases) {
        CSTTable table("Lamp", c.context);
        fillLamp(table);
        CFCode code(nullptr);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(readStamped("Lampfsm.asm"), read(goldenFile(c.goldenCase, "Lampfsm.asm"))) << c.goldenCase;
        EXPECT_EQ(readStamped("Lampfsm.inc"), read(goldenFile(c.goldenCase, "Lampfsm.inc"))) << c.goldenCase;
    }
}

TEST_F(FCodeTest, FailsWithoutWritingIntoABrokenIncludeStream) {
    for (std::ios::iostate state : {std::ios::failbit, std::ios::badbit}) {
        CSTTable table("Lamp", nullptr);
        fillLamp(table);
        CBreakingCFCode code(state);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), -1) << state;
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(fs::file_size("Lampfsm.inc"), 0u) << state;
    }
}

}  // namespace
