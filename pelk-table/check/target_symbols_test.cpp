#include "pelk-table/check/target_symbols.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "codegen/code.h"
#include "codegen/targets.h"
#include "pelk-table/model/table_model.h"
#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

// The words of text: runs of the bytes a symbol of any target can hold.
std::set<std::string> wordsOf(const std::string& text) {
    std::set<std::string> words;
    std::string word;
    for (char c : text + " ") {
        const bool symbolByte = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '_' || c == '?' || c == '@';
        if (symbolByte) {
            word += c;
        } else if (!word.empty()) {
            words.insert(word);
            word.clear();
        }
    }
    return words;
}

// Three events, then twelve: cell routine numbers of one and two digits,
// cells calling several actions.
std::string twelveEventTable() {
    std::string tsv = "START\t";
    for (int e = 0; e < 12; ++e)
        tsv += "\tEv" + std::to_string(e);
    tsv += "\n";
    for (int s = 0; s < 3; ++s) {
        tsv += "St" + std::to_string(s) + "\t" + std::to_string(s);
        for (int e = 0; e < 12; ++e)
            tsv += "\t" + std::to_string((s + e) % 3) + "/Act" + std::to_string(e) + ",-,Act" + std::to_string(s);
        tsv += "\n";
    }
    return tsv;
}

// Each table is generated for every target; the symbols that the collision
// check says the code defines must all stand in the generated files, and
// every word of the files built from the machine name must be one of them
// (or a name the table itself gives).
TEST(TargetSymbols, GeneratedSymbolsAreTheOnesTheGeneratorsWrite) {
    const fs::path dir = makeScratchDirectory("target_symbols");
    fs::copy_file(examplesDirectory() / "lamp.tsv", dir / "lamp.tsv");
    fs::copy_file(examplesDirectory() / "door.tsv", dir / "door.tsv");
    writeFile(dir / "panel.tsv", twelveEventTable());
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    const struct {
        const char* file;
        const char* machine;
    } tables[] = {{"lamp.tsv", "Lamp"}, {"door.tsv", "Door"}, {"panel.tsv", "Pa"}};
    for (const auto& [file, machine] : tables) {
        CTableModel model(file, machine);
        ASSERT_TRUE(model.load()) << file;
        ASSERT_FALSE(model.hasFormatErrors()) << file;
        const CSTTable& table = model.table();
        std::set<std::string> tableNames;
        for (int s = 0; s < table.stateCount(); ++s) {
            tableNames.insert(table.stateName(s));
            for (int e = 0; e < table.eventCount(); ++e) {
                tableNames.insert(table.eventName(e));
                for (const std::string& action : *table.cellActions(e, s))
                    tableNames.insert(action);
            }
        }
        for (int i = 0; i < CTargets::count(); ++i) {
            const TARGET_& target = CTargets::at(i);
            const std::string what = std::string(file) + " for " + target.name;
            std::unique_ptr<CCode> code = target.create();
            ASSERT_EQ(code->generate(&table), 0) << what;
            const std::string base = std::string(machine) + "fsm";
            const std::set<std::string> words =
                wordsOf(readFile(base + target.sourceExtension) + readFile(base + target.includeExtension));

            const CTargetSymbols symbols(target, machine);
            std::set<std::string> claimed;
            for (const GENERATED_SYMBOL_& each : symbols.generatedSymbols(table.stateCount(), table.eventCount())) {
                claimed.insert(each.symbol);
                EXPECT_EQ(words.count(each.symbol), 1u) << what << ": " << each.what << " " << each.symbol;
                EXPECT_EQ(symbols.generatedSymbol(each.symbol, table.stateCount(), table.eventCount()),
                          each.what + " " + each.symbol)
                    << what;
            }
            for (const std::string& word : words) {
                if (word.find(machine) != std::string::npos && word != machine && tableNames.count(word) == 0) {
                    EXPECT_EQ(claimed.count(word), 1u) << what << ": " << word << " is not known as generated";
                }
            }
        }
    }
    fs::current_path(previous);
    fs::remove_all(dir);
}

}  // namespace

namespace {

// A character a reader cannot see is named by its code point; other text
// outside ASCII is said so.
TEST(TargetSymbols, NamesTheInvisibleCharacter) {
    const CTargetSymbols symbols(*CTargets::byName("C"), "Door");
    const struct {
        const char* symbol;
        const char* why;
    } kCases[] = {
        {"MotorOpen\xC2\xA0", "holds the invisible character U+00A0 (a no-break space) at its end"},
        {"\xE2\x80\x8BMotor", "holds the invisible character U+200B (a zero-width space) at its start"},
        {"Mo\xE2\x80\xAFtor", "holds the invisible character U+202F (a narrow no-break space),"},
        {"caf\xC3\xA9", "holds text outside ASCII,"},
    };
    for (const auto& c : kCases)
        EXPECT_NE(symbols.whyInvalid(c.symbol).find(c.why), std::string::npos) << symbols.whyInvalid(c.symbol);
}

}  // namespace
