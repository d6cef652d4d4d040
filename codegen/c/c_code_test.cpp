#include "codegen/c/c_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "codegen/c/cf_code.h"
#include "codegen/generated_file_test.h"
#include "table/st_table.h"

namespace fs = std::filesystem;

namespace {

ONE_STATE_ state(const std::string& name, std::vector<CELL_> cells) {
    for (size_t e = 0; e < cells.size(); ++e)
        cells[e].eventIndex = static_cast<int32_t>(e);
    return {name, cells};
}

class CCodeTest : public GeneratedFileTest {
protected:
    // Generates with the given target; the two files, stamps normalised.
    template <class Target>
    static std::pair<std::string, std::string> generate(const CSTTable& table) {
        Target code(nullptr);
        EXPECT_EQ(code.generate(&table), 0);
        const std::string base = table.machineName() + "fsm";
        return {readStamped(base + ".c"), readStamped(base + ".h")};
    }
};

TEST_F(CCodeTest, WritesTheLampExample) {
    CSTTable table("Lamp", "lampact.h");
    fillLamp(table);
    const auto files = generate<CCCode>(table);
    EXPECT_EQ(files.first, read(goldenFile("c_lamp", "Lampfsm.c")));
    EXPECT_EQ(files.second, read(goldenFile("c_lamp", "Lampfsm.h")));
}

TEST_F(CCodeTest, FarVariantChangesOnlyThePointerType) {
    CSTTable table("Lamp", "lampact.h");
    fillLamp(table);
    const auto files = generate<CCFCode>(table);
    EXPECT_EQ(files.first, read(goldenFile("c_lamp_fcc907s", "Lampfsm.c")));
    EXPECT_EQ(files.second, read(goldenFile("c_lamp_fcc907s", "Lampfsm.h")));

    const auto plain = generate<CCCode>(table);
    std::istringstream far(files.first), ansi(plain.first);
    int differing = 0;
    for (std::string a, b; std::getline(far, a) && std::getline(ansi, b);) {
        if (a != b) {
            ++differing;
            EXPECT_EQ(a, "typedef void ( * __far pfn_drv )( void );");
        }
    }
    EXPECT_EQ(differing, 1);
    EXPECT_EQ(files.second, plain.second);
}

// Pieces of the output that depend on the shape of the table.
TEST_F(CCodeTest, FollowsTheShapeOfTheTable) {
    struct Case {
        const char* what;
        int states, events;
        const char* context;
        std::vector<std::string> sourcePieces;
        std::vector<std::string> headerPieces;
    };
    const Case cases[] = {
        {"no context file", 1, 1, nullptr, {"/**/\n\n/* prototype declaration */\n"}, {}},
        {"empty context file", 1, 1, "", {"/**/\n\n/* prototype declaration */\n"}, {}},
        {"one state, one event",
         1,
         1,
         "m.h",
         {"const pfn_drv stt_M[] = { /* E0 */\n\tM_on0at0\t/* S0 */\n};\n",
          "\t( *stt_M[ Mstate * 1/* event count */ + uc_event ] )();\n"},
         {"/* State Definition */\n#define\tS0\t0\n\n/* Event Definition */\n#define\tE0\t0\n\n\n#endif"}},
        {"one state, three events",
         1,
         3,
         "m.h",
         {"/* E0, E1, E2 */\n\tM_on0at0, M_on1at0, M_on2at0\t/* S0 */\n};\n"},
         {}},
        {"twelve events",
         3,
         12,
         "m.h",
         {"\t( *stt_M[ Mstate * 12/* event count */ + uc_event ] )();\n", "static void M_on10at2( void ) ;\n",
          "M_on10at2, M_on11at2\t/* S2 */\n};\n", "M_on10at1, M_on11at1, \t/* S1 */\n",
          "/* state : S2\n/* event : E10\n"},
         {"#define\tE11\t11\n\n\n#endif"}},
        {"no state records",
         0,
         2,
         "m.h",
         {"/* ..static function */\n\n/* static variable(s) */\n",
          "/* vector table */\ntypedef void ( * pfn_drv )( void );\nconst pfn_drv stt_M[] = { /* E0, E1 */\n};\n\n"
          "/* initialization function */\n",
          "unsigned char get_Mstate( void ) {\n\treturn Mstate;\n}\n\n/* generated YYYY/MM/DD hh:mm:ss */\n"},
         {"/* State Definition */\n\n/* Event Definition */\n"}},
    };
    for (const Case& c : cases) {
        CSTTable table("M", c.context);
        for (int e = 0; e < c.events; ++e)
            table.appendEvent("E" + std::to_string(e));
        for (int s = 0; s < c.states; ++s) {
            std::vector<CELL_> cells(static_cast<size_t>(c.events), CELL_{0, -1, {}});
            table.appendState(state("S" + std::to_string(s), cells));
        }
        const auto files = generate<CCCode>(table);
        for (const std::string& piece : c.sourcePieces)
            EXPECT_NE(files.first.find(piece), std::string::npos) << c.what << ": " << piece << "\n" << files.first;
        for (const std::string& piece : c.headerPieces)
            EXPECT_NE(files.second.find(piece), std::string::npos) << c.what << ": " << piece << "\n" << files.second;
        const bool withContext = c.context && *c.context;
        EXPECT_EQ(files.first.find("/**/\n#include \"m.h\"\n\n") != std::string::npos, withContext) << c.what;
        EXPECT_EQ(files.first.find("#include") != std::string::npos, withContext) << c.what;
    }
}

TEST_F(CCodeTest, WritesEachKindOfCell) {
    CSTTable table("M", nullptr);
    table.appendEvent("GO");
    table.appendEvent("STAY");
    table.appendEvent("FAR");
    table.appendState(state("Idle", {{0, 0, {"a", "*", "b", "-"}}, {0, -1, {}}, {0, 7, {"c"}}}));
    const std::string source = generate<CCCode>(table).first;
    EXPECT_NE(source.find("/* state : Idle\n/* event : GO\n/* next state : Idle\n/**/\n"
                          "static void M_on0at0( void ) {\n\tMstate = 0;\n\ta();\n\t/* nop */\n\tb();\n"
                          "\t/* nop */\n\treturn;\n}\n\n"),
              std::string::npos)
        << source;
    EXPECT_NE(source.find("/* state : Idle\n/* event : STAY\n/* next state : \n/**/\n"
                          "static void M_on1at0( void ) {\n\t/* not transit */\n\treturn;\n}\n\n"),
              std::string::npos)
        << source;
    // A next state beyond the last one is written as it stands.
    EXPECT_NE(source.find("/* next state : \n/**/\nstatic void M_on2at0( void ) {\n\tMstate = 7;\n\tc();\n"),
              std::string::npos)
        << source;
}

TEST_F(CCodeTest, CapitalisesOnlyAsciiLettersInTheHeader) {
    EXPECT_EQ(CCCode::upperCase("my_Lamp2"), "MY_LAMP2");
    EXPECT_EQ(CCCode::upperCase("z\xc3\xa9t\xe4{a}`@"), "Z\xc3\xa9T\xe4{A}`@");
    EXPECT_EQ(CCCode::upperCase(""), "");

    CSTTable table("my_Lamp2", nullptr);
    table.appendEvent("go\xc3\xa9");
    table.appendState(state("Idle", {{0, -1, {}}}));
    const auto files = generate<CCCode>(table);
    EXPECT_NE(files.second.find("#ifndef\t__MY_LAMP2FSM_H__\n#define\t__MY_LAMP2FSM_H__\n\n"
                                "extern void init_my_Lamp2fsm( void );\n"
                                "extern void my_Lamp2fsm( unsigned char uc_event );\n"
                                "extern unsigned char get_my_Lamp2state( void );\n"),
              std::string::npos)
        << files.second;
    EXPECT_NE(files.second.find("#define\tIDLE\t0\n"), std::string::npos);
    EXPECT_NE(files.second.find("#define\tGO\xc3\xa9\t0\n"), std::string::npos);
    EXPECT_NE(files.second.find("#endif\t/* __MY_LAMP2FSM_H__ */\n/* generated "), std::string::npos);
    EXPECT_NE(files.first.find("/* state : Idle\n/* event : go\xc3\xa9\n"), std::string::npos);
}

}  // namespace
