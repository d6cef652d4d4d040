#include "codegen/asm_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ios>
#include <memory>
#include <string>

#include "codegen/asm96/f_code.h"
#include "codegen/generated_file_test.h"
#include "codegen/ra78k0/n_code.h"
#include "table/st_table.h"

namespace fs = std::filesystem;

namespace {

// A generator of an assembler target whose head is made of the target's
// own line writers, given operands that no table produces, and which puts
// the include stream into brokenInclude before the include phase.
template <class Target>
class CProbeCode : public Target {
public:
    explicit CProbeCode(std::ios::iostate brokenInclude)
        : Target(nullptr),
          m_brokenInclude(brokenInclude) {}

    int writeSourceHead() override {
        this->writeCodeSegment("M", "");
        this->writeDataSegment("", "x");
        this->writeDataDefinition("big", 300, "");
        this->writeIncludeDirective("");
        this->writeIncludeDirective("a b.inc");
        return 0;
    }
    int writeSourceBody() override { return 0; }
    int writeSourceTail() override {
        this->includeStream.setstate(m_brokenInclude);
        return Target::writeSourceTail();
    }

private:
    std::ios::iostate m_brokenInclude;
};

struct AsmTarget {
    const char* name;
    std::unique_ptr<CCode> (*probe)(std::ios::iostate brokenInclude);
    const char* head;  // what CProbeCode's head writes
};

template <class Target>
std::unique_ptr<CCode> makeProbe(std::ios::iostate brokenInclude) {
    return std::make_unique<CProbeCode<Target>>(brokenInclude);
}

void PrintTo(const AsmTarget& target, std::ostream* out) {
    *out << target.name;
}

// Attributes, labels and file names are written as given, also when empty.
const AsmTarget kAsmTargets[] = {
    {"NRA78K0", &makeProbe<CNCode>, "cs_Mfsm\tcseg\t\nds_fsm\tdseg\tx\nbig:\tds\t300\t; \n\t$include( a b.inc ) \n"},
    {"FASM96", &makeProbe<CFCode>, "cs_Mfsm\tcseg\t\nds_fsm\tdseg\tx\nbig:\trb\t300\t; \n\t&include a b.inc\n"},
};

class AsmTargetTest : public GeneratedFileTest, public ::testing::WithParamInterface<AsmTarget> {};

TEST_P(AsmTargetTest, WritesItsLinesAsGiven) {
    CSTTable table("Lamp", nullptr);
    fillLamp(table);
    EXPECT_EQ(GetParam().probe(std::ios::goodbit)->generate(&table), 0);
    EXPECT_EQ(readStamped("Lampfsm.asm"), std::string(GetParam().head) + "\tend\n\n; generated YYYY/MM/DD hh:mm:ss\n");
}

TEST_P(AsmTargetTest, FailsWithoutWritingIntoABrokenIncludeStream) {
    for (std::ios::iostate state : {std::ios::failbit, std::ios::badbit}) {
        CSTTable table("Lamp", nullptr);
        fillLamp(table);
        testing::internal::CaptureStderr();
        EXPECT_EQ(GetParam().probe(state)->generate(&table), -1) << state;
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(fs::file_size("Lampfsm.inc"), 0u) << state;
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, AsmTargetTest, ::testing::ValuesIn(kAsmTargets),
                         [](const ::testing::TestParamInfo<AsmTarget>& info) { return std::string(info.param.name); });

}  // namespace
