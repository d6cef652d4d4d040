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
class CBreakingNCode : public CNCode {
public:
    explicit CBreakingNCode(std::ios::iostate state) : CNCode(nullptr), m_state(state) {}
    int writeSourceTail() override {
        includeStream.setstate(m_state);
        return CNCode::writeSourceTail();
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

using NCodeTest = GeneratedFileTest;

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

// Everything after the include directive and its empty line.
const char kLampSourceRest[] =
    "\tpublic\tinit_Lampfsm\n"
    "\tpublic\tLampfsm\n"
    "\tpublic\tget_Lampstate\n"
    "\n"
    "ds_Lampfsm\tdseg\tsaddr\n"
    "Lampstate:\tds\t1\t; internal state\n"
    "\n"
    "cs_Lampfsm\tcseg\tunitp\n"
    "stt_Lamp:\t; PUSH, TICK\n"
    "\tdw\tLamp_on0at0, Lamp_on1at0\t; OFF\n"
    "\tdw\tLamp_on0at1, Lamp_on1at1\t; ON\n"
    "\n"
    "init_Lampfsm:\n"
    "\tmov\tLampstate,#0\n"
    "\tret\n"
    "\n"
    "Lampfsm:\n"
    "\txch\ta,x\n"
    "\tmov\ta,Lampstate\n"
    "\txch\ta,x\n"
    "\tclr1\tcy\n"
    "\trolc\ta,1\n"
    "\tmov\tb,a\n"
    "\tmov\ta,#4\t; #4 is offset of one-state.\n"
    "\tmulu\tx\n"
    "\tmovw\thl,ax\n"
    "\tmov\ta,l\n"
    "\tadd\ta,b\n"
    "\tmov\tl,a\n"
    "\tmov\ta,h\n"
    "\taddc\ta,#0\n"
    "\tmov\th,a\n"
    "\tmov\ta,l\n"
    "\tmov\tx,a\n"
    "\tmov\ta,h\n"
    "\taddw\tax,#stt_Lamp\n"
    "\tmovw\thl,ax\n"
    "\tmov\ta,[hl]\n"
    "\tmov\tx,a\n"
    "\tmov\ta,[hl+1]\n"
    "\t; alternative subroutine call\n"
    "\tbr\tax\n"
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
    "\tcall\t!LampOn\n"
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
    "\tcall\t!LampOff\n"
    "\tret\n"
    "\n"
    "; state : ON\n"
    "; event : TICK\n"
    "; next state :\n"
    "Lamp_on1at1:\n"
    "\t; not transit\n"
    "\tret\n"
    "\n"
    "\tend\n"
    "\n"
    "; generated YYYY/MM/DD hh:mm:ss\n";

TEST_F(NCodeTest, WritesTheLampWithAndWithoutContextFile) {
    const struct {
        const char* context;
        std::string head;
    } cases[] = {
        {"lampact.inc", "\tname\tn_Lampfsm\n\n\t$include( lampact.inc ) \n\n"},
        {nullptr, "\tname\tn_Lampfsm\n\n\n"},
    };
    for (const auto& c : cases) {
        CSTTable table("Lamp", c.context);
        fillLamp(table);
        CNCode code(nullptr);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(readStamped("Lampfsm.asm"), c.head + kLampSourceRest);
        EXPECT_EQ(readStamped("Lampfsm.inc"), kLampInclude);
    }
}

TEST_F(NCodeTest, FailsWithoutWritingIntoABrokenIncludeStream) {
    for (std::ios::iostate state : {std::ios::failbit, std::ios::badbit}) {
        CSTTable table("Lamp", nullptr);
        fillLamp(table);
        CBreakingNCode code(state);
        testing::internal::CaptureStderr();
        EXPECT_EQ(code.generate(&table), -1) << state;
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(fs::file_size("Lampfsm.inc"), 0u) << state;
    }
}

}  // namespace
