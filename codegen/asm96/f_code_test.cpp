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
class CBreakingFCode : public CFCode {
public:
    explicit CBreakingFCode(std::ios::iostate state) : CFCode(nullptr), m_state(state) {}
    int writeSourceTail() override {
        includeStream.setstate(m_state);
        return CFCode::writeSourceTail();
    }

private:
    std::ios::iostate m_state;
};

// The lamp: PUSH toggles OFF and ON, TICK does nothing.
void fillLamp(CSTTable& table) {
    table.appendEvent("PUSH");
    table.appendEvent("TICK");
    table.appendState({"OFF", {{0, 1, {"LampOn"}}, {1, -1, {"-"}}}});
    table.appendState({"ON", {{0, 0, {"LampOff"}}, {1, -1, {}}}});
}

using FCodeTest = GeneratedFileTest;

const char kLampInclude[] =
    "\textrn\tinit_Lampfsm\n"
    "\textrn\tLampfsm\n"
    "\textrn\tget_Lampstate\n"
    "\n"
    "; State Definition\n"
    "OFF\tequ\t0\n"
    "ON\tequ\t1\n"
    "\n"
    "; Event Definition\n"
    "PUSH\tequ\t0\n"
    "TICK\tequ\t1\n"
    "\n"
    "\n"
    "; generated YYYY/MM/DD hh:mm:ss\n";

// Up to and including the code segment line.
const char kLampSourceHead[] =
    "\tname\tn_Lampfsm\n"
    "\n"
    "\tpublic\tinit_Lampfsm\n"
    "\tpublic\tLampfsm\n"
    "\tpublic\tget_Lampstate\n"
    "\n"
    "ds_Lampfsm\tdseg\tpublic\n"
    "Lampstate:\trb\t1\t; internal state\n"
    "ds_Lampfsm\tends\n"
    "\n"
    "cs_Lampfsm\tcseg\tpublic\n";

// From the empty line after the include directive to the end.
const char kLampSourceRest[] =
    "\n"
    "stt_Lamp:\t; PUSH, TICK\n"
    "\tdw\tLamp_on0at0, Lamp_on1at0\t; OFF\n"
    "\tdw\tLamp_on0at1, Lamp_on1at1\t; ON\n"
    "\n"
    "init_Lampfsm:\n"
    "\tmov\ta,#0\n"
    "\tmov\tLampstate,a\n"
    "\tret\n"
    "\n"
    "Lampfsm:\n"
    "\tmovw\ta,#0\n"
    "\txch\ta,t\n"
    "\tclrc\n"
    "\trolc\ta\n"
    "\tswap\n"
    "\trolc\ta\n"
    "\tswap\n"
    "\tpushw\ta\n"
    "\tmov\ta,Lampstate\n"
    "\tmov\ta,#4\t; #4 is offset of one-state.\n"
    "\tmulu\ta\n"
    "\txchw\ta,t\n"
    "\tpopw\ta\n"
    "\tclrc\n"
    "\taddcw\ta\n"
    "\tmovw\ta,#stt_Lamp\n"
    "\tclrc\n"
    "\taddcw\ta\n"
    "\tmovw\tep,a\n"
    "\tmovw\ta,@ep\n"
    "\t; alternative subroutine call\n"
    "\tjmp\t@a\n"
    "\n"
    "get_Lampstate:\n"
    "\tmov\ta,Lampstate\n"
    "\tret\n"
    "\n"
    "; state : OFF\n"
    "; event : PUSH\n"
    "; next state : ON\n"
    "Lamp_on0at0:\n"
    "\tmov\ta,#1\n"
    "\tmov\tLampstate,a\n"
    "\tcall\tLampOn\n"
    "\tret\n"
    "\n"
    "; state : OFF\n"
    "; event : TICK\n"
    "; next state :\n"
    "Lamp_on1at0:\n"
    "\t; not transit\n"
    "\t; nop\n"
    "\tret\n"
    "\n"
    "; state : ON\n"
    "; event : PUSH\n"
    "; next state : OFF\n"
    "Lamp_on0at1:\n"
    "\tmov\ta,#0\n"
    "\tmov\tLampstate,a\n"
    "\tcall\tLampOff\n"
    "\tret\n"
    "\n"
    "; state : ON\n"
    "; event : TICK\n"
    "; next state :\n"
    "Lamp_on1at1:\n"
    "\t; not transit\n"
    "\tret\n"
    "\n"
    "cs_Lampfsm\tends\n"
    "\tend\n"
    "\n"
    "; generated YYYY/MM/DD hh:mm:ss\n";

TEST_F(FCodeTest, WritesTheLampWithAndWithoutContextFile) {
    const struct {
        const char* context;
        std::string directive;
    } cases[] = {
        {"lampact.inc", "\t&include lampact.inc\n"},
        {nullptr, ""},
    };
    for (const auto& c : cases) {
        CSTTable table("Lamp", c.context);
        fillLamp(table);
        CFCode code(nullptr);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(readStamped("Lampfsm.asm"), kLampSourceHead + c.directive + kLampSourceRest);
        EXPECT_EQ(readStamped("Lampfsm.inc"), kLampInclude);
    }
}

TEST_F(FCodeTest, FailsWithoutWritingIntoABrokenIncludeStream) {
    for (std::ios::iostate state : {std::ios::failbit, std::ios::badbit}) {
        CSTTable table("Lamp", nullptr);
        fillLamp(table);
        CBreakingFCode code(state);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), -1) << state;
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(fs::file_size("Lampfsm.inc"), 0u) << state;
    }
}

}  // namespace
