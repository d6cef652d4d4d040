#include "codegen/asm_code_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ios>
#include <string>
#include <vector>

#include "codegen/code.h"
#include "codegen/generated_file_test.h"
#include "table/st_table.h"

namespace fs = std::filesystem;

namespace {

// A target made of the shared blocks alone: the vector table, the cell
// routines, the tail and the include file.
class CSharedBlocksCode : public CCode {
public:
    explicit CSharedBlocksCode(const std::string& callPrefix)
        : CCode(nullptr),
          m_callPrefix(callPrefix) {}

    int writeSourceHead() override { return writer().writeVectorTable(); }
    int writeSourceBody() override { return writer().writeCellRoutines(); }
    int writeSourceTail() override { return writer().writeSourceTail(); }
    int writeIncludeFile() override { return writer().writeIncludeFile(includeStream); }

private:
    CAsmCodeWriter writer() { return CAsmCodeWriter(*this, *table, columnSeparator, "dw", "equ", m_callPrefix); }

    std::string m_callPrefix;
};

using AsmCodeWriterTest = GeneratedFileTest;

const char kTail[] = "\tend\n\n; generated YYYY/MM/DD hh:mm:ss\n";

TEST_F(AsmCodeWriterTest, WritesTheCellsOfEachKind) {
    const struct {
        const char* name;
        int next;
        std::vector<std::string> actions;
        const char* prefix;
        const char* expected;
    } cases[] = {
        {"no transition, no actions",
         -1,
         {},
         "!",
         "; state : S0\n; event : E0\n; next state :\nM_on0at0:\n\t; not transit\n\tret\n\n"},
        {"nop markers keep their place",
         -1,
         {"A", "-", "B", "*"},
         "!",
         "; state : S0\n; event : E0\n; next state :\nM_on0at0:\n\t; not transit\n"
         "\tcall\t!A\n\t; nop\n\tcall\t!B\n\t; nop\n\tret\n\n"},
        {"bare call operand",
         -1,
         {"A"},
         "",
         "; state : S0\n; event : E0\n; next state :\nM_on0at0:\n\t; not transit\n\tcall\tA\n\tret\n\n"},
        {"transition to state 0",
         0,
         {"A"},
         "!",
         "; state : S0\n; event : E0\n; next state : S0\nM_on0at0:\n\tmov\ta,#0\n\tmov\tMstate,a\n"
         "\tcall\t!A\n\tret\n\n"},
        {"next state beyond the last",
         7,
         {},
         "!",
         "; state : S0\n; event : E0\n; next state :\nM_on0at0:\n\tmov\ta,#7\n\tmov\tMstate,a\n\tret\n\n"},
    };
    for (const auto& c : cases) {
        CSTTable table("M", nullptr);
        table.appendEvent("E0");
        table.appendState({"S0", {{0, c.next, c.actions}}});
        CSharedBlocksCode code(c.prefix);
        EXPECT_EQ(code.generate(&table), 0) << c.name;
        EXPECT_EQ(readStamped("Mfsm.asm"), std::string("stt_M:\t; E0\n\tdw\tM_on0at0\t; S0\n\n") + c.expected + kTail)
            << c.name;
    }
}

TEST_F(AsmCodeWriterTest, NumbersInPlainDecimal) {
    CSTTable table("M", nullptr);
    for (int e = 0; e < 12; ++e)
        table.appendEvent("E" + std::to_string(e));
    for (int s = 0; s < 3; ++s) {
        ONE_STATE_ state{"S" + std::to_string(s), {}};
        for (int e = 0; e < 12; ++e)
            state.cells.push_back({e, -1, {}});
        table.appendState(state);
    }
    CSharedBlocksCode code("!");
    EXPECT_EQ(code.generate(&table), 0);
    const std::string source = readStamped("Mfsm.asm");
    EXPECT_NE(source.find("stt_M:\t; E0, E1, E2, E3, E4, E5, E6, E7, E8, E9, E10, E11\n"), std::string::npos);
    EXPECT_NE(source.find("\tdw\tM_on0at2, M_on1at2, M_on2at2, M_on3at2, M_on4at2, M_on5at2, M_on6at2, "
                          "M_on7at2, M_on8at2, M_on9at2, M_on10at2, M_on11at2\t; S2\n\n; state"),
              std::string::npos);
    EXPECT_NE(source.find("; state : S2\n; event : E10\n; next state :\nM_on10at2:\n"), std::string::npos);
    const std::string include = readStamped("Mfsm.inc");
    EXPECT_NE(include.find("S2\tequ\t2\n\n; Event Definition\nE0\tequ\t0\n"), std::string::npos);
    EXPECT_NE(include.find("E11\tequ\t11\n\n\n; generated"), std::string::npos);
}

TEST_F(AsmCodeWriterTest, WritesATableWithoutStates) {
    CSTTable table("M", nullptr);
    table.appendEvent("E0");
    table.appendEvent("E1");
    CSharedBlocksCode code("!");
    EXPECT_EQ(code.generate(&table), 0);
    EXPECT_EQ(readStamped("Mfsm.asm"), std::string("stt_M:\t; E0, E1\n\n") + kTail);
    EXPECT_EQ(readStamped("Mfsm.inc"),
              "\textrn\tinit_Mfsm\n\textrn\tMfsm\n\textrn\tget_Mstate\n\n; State Definition\n\n"
              "; Event Definition\nE0\tequ\t0\nE1\tequ\t1\n\n\n; generated YYYY/MM/DD hh:mm:ss\n");
}

}  // namespace
