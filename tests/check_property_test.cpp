// The promise of check: whenever `pelk-table check -aC -nNAME` finds no
// error in a table, the C that `pelk -aC` generates from it compiles under
// gcc -std=c89 -pedantic-errors -Werror=overflow, with an include file that
// declares every action. Seeded random tables with edge numbers, names and
// sizes; check runs in this process, pelk once per table that passes, and
// gcc once per batch of machines.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

const int kTables = 500;
const int kBatch = 60;

// Next states around every limit: the states, one byte, 32 bits; with the
// markers and text that is no number.
std::string randomNext(std::mt19937& random, int states, bool edge) {
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    switch (edge ? below(8) : 8) {
    case 0:
        return "-";
    case 1:
        return "*";
    case 2:
        return std::to_string(states);
    case 3:
        return "255";
    case 4:
        return "256";
    case 5:
        return std::to_string(256 + below(100000));
    case 6:
        return below(2) ? "2147483647" : "2147483648";
    case 7:
        return below(2) ? "-1" : "007";
    default:
        return std::to_string(below(states > 0 ? states : 1));
    }
}

// Names: plain symbols, and now and then a keyword, a leading digit, a
// blank, a name in another case, text outside ASCII or a generated symbol.
std::string randomName(std::mt19937& random, const std::string& stem, int i, bool edge) {
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    switch (edge ? below(6) : 6) {
    case 0:
        return "int";
    case 1:
        return "9" + stem;
    case 2:
        return stem + std::to_string(i) + " ";
    case 3:
        return "Z\xc3\xbcrich";
    case 4:
        return "main";
    case 5:
        return stem == "A" ? "init_Mfsm" : stem + "0";
    default:
        return stem + std::to_string(i);
    }
}

std::string randomTable(std::mt19937& random) {
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Half the tables are plain; in the others one name or cell in odds
    // is at an edge.
    const int odds = below(2) ? 0 : 4 + below(60);
    const auto edge = [&below, odds]() { return odds > 0 && below(odds) == 0; };
    const int sizes[] = {1, 1, 2, 3, 5, 8, 0};
    int states = sizes[below(odds ? 7 : 6)];
    int events = sizes[below(odds ? 7 : 6)];
    if (below(40) == 0)
        states = 250 + below(10);
    if (below(40) == 0)
        events = 126 + below(4);
    std::string tsv = below(8) == 0 ? "a title\n" : "";
    tsv += "START\t";
    for (int e = 0; e < events; ++e)
        tsv += "\t" + randomName(random, "E", e, edge());
    tsv += "\n";
    for (int s = 0; s < states; ++s) {
        tsv += randomName(random, "S", s, edge()) + "\t" + std::to_string(s);
        for (int e = 0; e < events; ++e) {
            std::string cell = randomNext(random, states, edge());
            const int actions = below(4);
            for (int a = 0; a < actions; ++a)
                cell += (a == 0 ? "/" : ",") +
                        (below(5) == 0 ? std::string("-") : randomName(random, "A", below(6), edge()));
            tsv += "\t" + cell;
        }
        tsv += "\n";
    }
    return tsv;
}

// "void NAME( void );" for every action the table calls.
std::string actionDeclarations(const CSTTable& table) {
    std::set<std::string> actions;
    for (int s = 0; s < table.stateCount(); ++s) {
        for (int e = 0; e < table.eventCount(); ++e) {
            for (const std::string& action : *table.cellActions(e, s)) {
                if (!table.isNopAction(action))
                    actions.insert(action);
            }
        }
    }
    std::string text;
    for (const std::string& action : actions)
        text += "void " + action + "( void );\n";
    return text;
}

TEST(CheckPromise, WhatCheckPassesCompiles) {
    const fs::path dir = makeScratchDirectory("check_promise");
    std::mt19937 random(20261208);
    CHECK_OPTIONS_ options;
    options.target = CTargets::byName("C");
    options.machineNameGiven = true;

    std::vector<std::string> batch;
    int passed = 0;
    const auto compile = [&dir, &batch]() {
        if (batch.empty())
            return;
        std::vector<std::string> gcc = {"gcc", "-std=c89", "-pedantic-errors", "-Werror=overflow", "-c"};
        gcc.insert(gcc.end(), batch.begin(), batch.end());
        const ProcessResult build = runProcess(gcc, dir);
        EXPECT_EQ(build.status, 0) << build.err;
        batch.clear();
    };
    for (int t = 0; t < kTables; ++t) {
        // Each machine its own name, so that a batch compiles apart.
        const std::string name = "M" + std::to_string(t);
        const std::string tsv = randomTable(random);
        const std::string file = name + ".tsv";
        writeFile(dir / file, tsv);
        CTableModel model((dir / file).string(), name);
        ASSERT_TRUE(model.load());
        if (CChecker::hasErrors(CChecker::run(model, options)))
            continue;
        ASSERT_FALSE(model.hasFormatErrors()) << tsv;
        ++passed;
        writeFile(dir / (name + "act.h"), actionDeclarations(model.table()));
        const ProcessResult pelk = runProcess(pelkWith({"-n" + name, "-i" + name + "act.h", "-aC", file}), dir);
        ASSERT_EQ(pelk.status, 0) << tsv << pelk.err;
        batch.push_back(name + "fsm.c");
        if (static_cast<int>(batch.size()) == kBatch)
            compile();
        if (HasFailure())
            break;
    }
    compile();
    RecordProperty("passed", passed);
    // The tables are drawn so that many pass, and many do not.
    EXPECT_GT(passed, kTables / 3);
    EXPECT_LT(passed, kTables * 9 / 10);
    if (!HasFailure())
        fs::remove_all(dir);
}

}  // namespace
