// The conformance test catches faults: for tables from the lamp to a
// generated 40 x 40, single faults are put into the machine, each at a cell
// of a state that can be reached, and the test that pelk-table wrote for the
// unchanged table must fail on every one of them, and pass on the
// unchanged machine. The faults come from a mutated table (a different next
// state; an action dropped, added, replaced or moved) or, for a vector table
// entry that points at another cell's routine, from an edit of the
// generated file. A mutant that behaves exactly as the original, judged by
// the model from that cell's state, is left out and counted. The mutants
// are drawn with a fixed seed, so every run tries the same ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "pelk-table/model/table_model.h"
#include "pelk-table/run/machine_run.h"
#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

// A table as rows of cells, written back as TSV in one plain layout.
struct GRID_ {
    std::vector<std::string> events;
    std::vector<std::string> states;
    std::vector<std::vector<int>> next;                          // [state][event], -1: none
    std::vector<std::vector<std::vector<std::string>>> actions;  // no-op markers kept
};

GRID_ gridOf(const CSTTable& table) {
    GRID_ grid;
    grid.events = CMachineRun::eventNames(table);
    grid.states = CMachineRun::stateNames(table);
    for (int s = 0; s < table.stateCount(); ++s) {
        grid.next.emplace_back();
        grid.actions.emplace_back();
        for (int e = 0; e < table.eventCount(); ++e) {
            grid.next.back().push_back(table.nextState(e, s));
            grid.actions.back().push_back(*table.cellActions(e, s));
        }
    }
    return grid;
}

std::string tsvOf(const GRID_& grid) {
    std::string tsv = "START\t";
    for (const std::string& event : grid.events)
        tsv += "\t" + event;
    tsv += "\n";
    for (size_t s = 0; s < grid.states.size(); ++s) {
        tsv += grid.states[s] + "\t" + std::to_string(s);
        for (size_t e = 0; e < grid.events.size(); ++e) {
            const int next = grid.next[s][e];
            tsv += "\t" + (next < 0 ? std::string("-") : std::to_string(next));
            const std::vector<std::string>& actions = grid.actions[s][e];
            for (size_t i = 0; i < actions.size(); ++i)
                tsv += (i ? "," : "/") + actions[i];
        }
        tsv += "\n";
    }
    return tsv;
}

// 40 states, 40 events, seeded: most cells go somewhere, many call one to
// three of twelve actions, some call a no-op marker.
std::string generatedTable() {
    std::mt19937 random(4040);
    std::string tsv = "START\t";
    for (int e = 0; e < 40; ++e)
        tsv += "\tEv" + std::to_string(e);
    tsv += "\n";
    for (int s = 0; s < 40; ++s) {
        tsv += "St" + std::to_string(s) + "\t" + std::to_string(s);
        for (int e = 0; e < 40; ++e) {
            const unsigned roll = random() % 10;
            tsv += "\t" + (roll < 3 ? std::string("-") : std::to_string(random() % 40));
            const unsigned count = random() % 4;
            for (unsigned i = 0; i < count; ++i)
                tsv += (i ? "," : "/") + (random() % 9 == 0 ? std::string("-") : "Act" + std::to_string(random() % 12));
        }
        tsv += "\n";
    }
    return tsv;
}

struct Subject {
    const char* label;
    const char* name;
    std::string tsv;
    int mutants;
};

void PrintTo(const Subject& subject, std::ostream* out) {
    *out << subject.label;
}

enum Kind { kNextState, kDrop, kAdd, kReplace, kMove, kVectorSwap, kKinds };
const char* const kKindNames[] = {"next state",      "action dropped", "action added",
                                  "action replaced", "action moved",   "vector entry swapped"};

// The real actions of a cell's list, by their places in it.
std::vector<size_t> realActions(const std::vector<std::string>& actions) {
    std::vector<size_t> places;
    for (size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] != "-" && actions[i] != "*")
            places.push_back(i);
    }
    return places;
}

bool sameStep(const RUN_STEP_& a, const RUN_STEP_& b) {
    return a.next == b.next && a.actions == b.actions;
}

ProcessResult pelkTable(const std::vector<std::string>& args, const fs::path& dir) {
    std::vector<std::string> command{PELK_TABLE_BINARY};
    command.insert(command.end(), args.begin(), args.end());
    return runProcess(command, dir);
}

class CConformanceMutationTest : public ::testing::TestWithParam<Subject> {};

TEST_P(CConformanceMutationTest, KillsEveryMutantThatChangesBehaviour) {
    const Subject& subject = GetParam();
    const std::string name = subject.name;
    const fs::path dir = makeScratchDirectory(std::string("mutation_") + subject.label);
    writeFile(dir / "source.tsv", subject.tsv);
    CTableModel model((dir / "source.tsv").string(), name);
    ASSERT_TRUE(model.load());
    const CSTTable& table = model.table();
    const GRID_ original = gridOf(table);
    writeFile(dir / "table.tsv", tsvOf(original));

    // The test of the unchanged table, built once; it passes on its machine.
    fs::create_directories(dir / "ctx");
    const ProcessResult written =
        pelkTable({"test", "table.tsv", "-n" + name, "-o", "test.c", "--actions-header", "ctx/" + name + "act.h"}, dir);
    ASSERT_EQ(written.status, 0) << written.err;
    ASSERT_EQ(runProcess({"gcc", "-std=c89", "-c", "test.c", "-o", "test.o"}, dir).status, 0);
    const auto runMachine = [&](const fs::path& where) {
        const ProcessResult built = runProcess({"gcc", "-std=c89", "-w", "-I" + (dir / "ctx").string(), "-o", "machine",
                                                name + "fsm.c", (dir / "test.o").string()},
                                               where);
        EXPECT_EQ(built.status, 0) << built.err;
        return runProcess({"timeout", "60", (where / "machine").string()}, where);
    };
    ASSERT_EQ(runProcess(pelkWith({"-n" + name, "-aC", "-i" + name + "act.h", "table.tsv"}), dir).status, 0);
    const ProcessResult clean = runMachine(dir);
    ASSERT_EQ(clean.status, 0) << clean.out;

    std::vector<std::pair<int, int>> cells;  // of states that can be reached
    {
        std::vector<bool> seen(original.states.size(), false);
        std::vector<int> queue{0};
        seen[0] = true;
        for (size_t head = 0; head < queue.size(); ++head) {
            for (int e = 0; e < table.eventCount(); ++e) {
                cells.emplace_back(queue[head], e);
                const int next = CMachineRun::step(table, queue[head], e).next;
                if (next < table.stateCount() && !seen[static_cast<size_t>(next)]) {
                    seen[static_cast<size_t>(next)] = true;
                    queue.push_back(next);
                }
            }
        }
    }
    std::vector<std::string> names;
    for (const auto& row : original.actions)
        for (const auto& list : row)
            for (size_t place : realActions(list))
                if (std::find(names.begin(), names.end(), list[place]) == names.end())
                    names.push_back(list[place]);

    std::mt19937 random(27);
    int tried = 0, equivalent = 0, killed = 0;
    for (int m = 0; tried < subject.mutants && m < 50 * subject.mutants; ++m) {
        const Kind kind = static_cast<Kind>(m % kKinds);
        const auto [s, e] = cells[random() % cells.size()];
        GRID_ grid = original;
        std::vector<std::string>& actions = grid.actions[static_cast<size_t>(s)][static_cast<size_t>(e)];
        const std::vector<size_t> real = realActions(actions);
        const RUN_STEP_ due = CMachineRun::step(table, s, e);
        RUN_STEP_ done = due;
        std::string what = std::string(kKindNames[kind]) + " at " + original.states[static_cast<size_t>(s)] + " on " +
                           original.events[static_cast<size_t>(e)];
        int swapState = -1, swapEvent = -1;
        if (kind == kNextState) {
            int& next = grid.next[static_cast<size_t>(s)][static_cast<size_t>(e)];
            const int changed = random() % 4 == 0 ? -1 : static_cast<int>(random() % original.states.size());
            if (changed == next)
                continue;
            next = changed;
        } else if (kind == kDrop) {
            if (real.empty())
                continue;
            actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(real[random() % real.size()]));
        } else if (kind == kAdd) {
            if (names.empty())
                continue;
            actions.insert(actions.begin() + static_cast<std::ptrdiff_t>(random() % (actions.size() + 1)),
                           names[random() % names.size()]);
        } else if (kind == kReplace) {
            if (real.empty() || names.size() < 2)
                continue;
            std::string& action = actions[real[random() % real.size()]];
            std::string other = action;
            while (other == action)
                other = names[random() % names.size()];
            action = other;
        } else if (kind == kMove) {
            if (real.empty() || actions.size() < 2)
                continue;
            const size_t from = real[random() % real.size()];
            const std::string moved = actions[from];
            actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(from));
            size_t to = from;
            while (to == from)
                to = random() % (actions.size() + 1);
            actions.insert(actions.begin() + static_cast<std::ptrdiff_t>(to), moved);
        } else {
            std::tie(swapState, swapEvent) = cells[random() % cells.size()];
            if (swapState == s && swapEvent == e)
                continue;
            // The other routine, called in state s: its next state, or s.
            const RUN_STEP_ other = CMachineRun::step(table, swapState, swapEvent);
            done.next = other.transition ? other.next : s;
            done.actions = other.actions;
            what += " (calls " + name + "_on" + std::to_string(swapEvent) + "at" + std::to_string(swapState) + ")";
        }
        ++tried;
        const fs::path mutant = dir / ("mutant" + std::to_string(tried));
        fs::create_directories(mutant);
        if (kind != kVectorSwap) {
            writeFile(mutant / "table.tsv", tsvOf(grid));
            CTableModel mutated((mutant / "table.tsv").string(), name);
            ASSERT_TRUE(mutated.load()) << what;
            done = CMachineRun::step(mutated.table(), s, e);
            ASSERT_EQ(runProcess(pelkWith({"-n" + name, "-aC", "-i" + name + "act.h", "table.tsv"}), mutant).status, 0);
        } else {
            // The entry of cell (s, e) in the vector table, and no other
            // mention of its routine, names the other routine.
            std::string source = readFile(dir / (name + "fsm.c"));
            const size_t vector = source.find("const pfn_drv stt_");
            const std::string routine = name + "_on" + std::to_string(e) + "at" + std::to_string(s);
            size_t at = vector;
            do {
                at = source.find(routine, at + 1);
            } while (at != std::string::npos && std::isdigit(static_cast<unsigned char>(source[at + routine.size()])));
            ASSERT_NE(at, std::string::npos) << what;
            source.replace(at, routine.size(),
                           name + "_on" + std::to_string(swapEvent) + "at" + std::to_string(swapState));
            writeFile(mutant / (name + "fsm.c"), source);
        }
        if (sameStep(due, done)) {
            ++equivalent;
            fs::remove_all(mutant);
            continue;
        }
        const ProcessResult run = runMachine(mutant);
        if (run.status != 0 && run.out.find("\nnot ok ") != std::string::npos)
            ++killed;
        else
            ADD_FAILURE() << "survived: " << what << "\n" << run.out;
        fs::remove_all(mutant);
    }
    std::cout << "mutation " << subject.label << ": " << tried << " mutants tried, " << equivalent
              << " left out as equivalent, " << killed << " killed" << std::endl;
    RecordProperty("tried", tried);
    RecordProperty("equivalent", equivalent);
    RecordProperty("killed", killed);
    EXPECT_EQ(tried, subject.mutants);
    EXPECT_EQ(killed + equivalent, tried);
    fs::remove_all(dir);
}

std::vector<Subject> subjects() {
    return {
        {"lamp", "Lamp", exampleTable("lamp.tsv"), 12},    {"door", "Door", exampleTable("door.tsv"), 12},
        {"uart", "Uart", exampleTable("uart.tsv"), 24},    {"menu", "Menu", exampleTable("menu.tsv"), 24},
        {"generated_40x40", "Grid", generatedTable(), 24},
    };
}

std::string label(const ::testing::TestParamInfo<Subject>& info) {
    return info.param.label;
}

INSTANTIATE_TEST_SUITE_P(Tables, CConformanceMutationTest, ::testing::ValuesIn(subjects()), label);

}  // namespace
