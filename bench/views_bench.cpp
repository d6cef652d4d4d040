// Wall time and peak memory of pelk-table's views (dot, mermaid, markdown)
// and of check, beside pelk generating C, on the generated tables of
// pelk_bench: up to 256 states x 127 events, three actions per cell. In these
// tables every state goes to 127 others, so the whole machine would have
// 32512 labelled edges; the views cut every drawing down to their size rule
// (60 states, 150 edges) before any layout, so SVG is measured up to the
// largest too, as is the neighbourhood of a state (--state). Then the example
// tables of real size (examples/uart.tsv and frame.tsv, 15 states, and
// examples/menu.tsv and pages.tsv, 40 states) in every view and as the page
// (html, Graphviz layout included).
// Goals: every view of the largest table within 1 s, notes included; the
// 40-state page within 2 s.
//
// Grouping (CStateGroups, the class itself, linked in) is timed in-process on
// the largest table, where no outcome is shared, and on two tables of the
// same size where the last 32 events are shared in blocks of eight states:
// "blocks", where the blocks of all events are the same, and "crossing",
// where they are shifted by event, so that the candidates cross. Goal: at
// most half of dot's time on the largest table. dot and its SVG with
// --no-group show what grouping adds to a whole run.
//
// Usage: views_bench <pelk-table> <pelk> [repetitions]
// Each case runs once untimed, then <repetitions> times (default 5); the
// median wall time, the largest peak resident set and the size of the
// output are printed.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "pelk-table/views/state_groups.h"

namespace fs = std::filesystem;

namespace {

struct Measure {
    double wallMs;
    long peakKiB;
    uintmax_t outputKiB;
    int status;
};

// One run in dir, standard output to dir/out, standard error discarded.
Measure runOnce(const std::vector<std::string>& command, const fs::path& dir) {
    const fs::path output = dir / "out";
    const RUN_ run = runTimed(command, dir, output);
    return {run.wallMs, run.peakKiB, fs::exists(output) ? fs::file_size(output) / 1024 : 0, run.status};
}

Measure measure(const std::vector<std::string>& command, const fs::path& work, int repetitions) {
    std::vector<double> walls;
    Measure result{};
    for (int r = -1; r < repetitions; ++r) {
        fs::remove_all(work);
        fs::create_directories(work);
        const Measure m = runOnce(command, work);
        if (m.status != 0)
            return m;
        if (r < 0)
            continue;
        walls.push_back(m.wallMs);
        result.peakKiB = std::max(result.peakKiB, m.peakKiB);
        result.outputKiB = m.outputKiB;
    }
    std::sort(walls.begin(), walls.end());
    result.wallMs = walls[walls.size() / 2];
    return result;
}

struct Case {
    const char* name;
    std::vector<std::string> args;  // after the program; the table follows
    bool pelk;                      // run pelk rather than pelk-table
    int largestStates;              // measured on tables up to this many states
};

// The kinds of table grouping is timed on.
enum SHARING_ { kNoSharing, kBlocks, kCrossing };

// The cell of state s for event e: as writeTable() writes it, but for the
// last 32 events of a table with sharing, which send the eight states of a
// block to one state with one action (blocks shifted by the event when
// crossing).
CELL_OUTCOME_ cellOf(SHARING_ sharing, const Size& size, int s, int e) {
    CELL_OUTCOME_ cell;
    if (sharing == kNoSharing || e < size.events - 32) {
        cell.next = (s + e + 1) % size.states;
        cell.actions = {"On" + std::to_string(e), "Log" + std::to_string(s), "Tick"};
        return cell;
    }
    const int shift = sharing == kCrossing ? e % 8 : 0;
    const int block = (s + shift) / 8;
    cell.next = (block * 8 + e) % size.states;
    cell.actions = {"Block" + std::to_string(e)};
    return cell;
}

void writeSharing(const fs::path& path, SHARING_ sharing, const Size& size) {
    writeTable(path, size, [sharing, &size](int s, int e) {
        const CELL_OUTCOME_ cell = cellOf(sharing, size, s, e);
        std::string text = std::to_string(cell.next);
        for (size_t i = 0; i < cell.actions.size(); ++i)
            text += (i == 0 ? "/" : ",") + cell.actions[i];
        return text;
    });
}

// The median time of finding the groups of a table, in milliseconds, and
// how many it finds.
void timeGrouping(const char* name, SHARING_ sharing, const Size& size, int repetitions) {
    std::vector<CELL_OUTCOME_> cells;
    for (int s = 0; s < size.states; ++s) {
        for (int e = 0; e < size.events; ++e)
            cells.push_back(cellOf(sharing, size, s, e));
    }
    const std::vector<bool> elsewhere(cells.size(), false);
    std::vector<double> walls;
    size_t groups = 0;
    for (int r = -1; r < repetitions; ++r) {
        const auto start = std::chrono::steady_clock::now();
        const CStateGroups found(size.states, size.events, cells, elsewhere);
        const auto end = std::chrono::steady_clock::now();
        groups = found.groups().size();
        if (r >= 0)
            walls.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(walls.begin(), walls.end());
    std::printf("%-10s %9s %7d %10.1f %10s %12.2f %10s  %zu groups\n", name,
                (std::to_string(size.states) + "x" + std::to_string(size.events)).c_str(), size.states * size.events,
                walls[walls.size() / 2], "", 1000.0 * walls[walls.size() / 2] / (size.states * size.events), "",
                groups);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: views_bench <pelk-table> <pelk> [repetitions]\n");
        return 2;
    }
    const std::string pelkTable = fs::absolute(argv[1]).string();
    const std::string pelk = fs::absolute(argv[2]).string();
    const int repetitions = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    const Size sizes[] = {{16, 16}, {64, 64}, {256, 127}};
    // The C target throughout: an assembler's row limit would make check
    // report an error on 128 events.
    const Case cases[] = {
        {"pelk -aC", {"-aC", "-nBench"}, true, 256},
        {"check", {"check", "-aC"}, false, 256},
        {"dot", {"dot", "-aC"}, false, 256},
        {"dot nogrp", {"dot", "-aC", "--no-group"}, false, 256},
        {"dot svg", {"dot", "-aC", "--format=svg"}, false, 256},
        {"dot state", {"dot", "-aC", "--state", "ST1", "--depth", "2"}, false, 256},
        {"mermaid", {"mermaid", "-aC"}, false, 256},
        {"markdown", {"markdown", "-aC"}, false, 256},
    };

    const fs::path root = fs::temp_directory_path() / ("views_bench_" + std::to_string(::getpid()));
    fs::create_directories(root);

    std::printf("%-10s %9s %7s %10s %10s %12s %10s\n", "run", "states x", "cells", "wall ms", "peak KiB", "us per cell",
                "output KiB");
    const Size largest = sizes[sizeof sizes / sizeof sizes[0] - 1];
    timeGrouping("groups", kNoSharing, largest, repetitions);
    timeGrouping("groups blk", kBlocks, largest, repetitions);
    timeGrouping("groups crs", kCrossing, largest, repetitions);
    for (const Case& c : cases) {
        for (const Size& size : sizes) {
            if (size.states > c.largestStates)
                continue;
            const fs::path table =
                root / ("t" + std::to_string(size.states) + "x" + std::to_string(size.events) + ".tsv");
            if (!fs::exists(table))
                writeTable(table, size);
            std::vector<std::string> command{c.pelk ? pelk : pelkTable};
            command.insert(command.end(), c.args.begin(), c.args.end());
            // Relative: pelk reads an argument beginning with '/' as an option.
            command.push_back(fs::absolute(table).lexically_relative(root / "work").string());
            const Measure m = measure(command, root / "work", repetitions);
            const std::string shape = std::to_string(size.states) + "x" + std::to_string(size.events);
            const int cells = size.states * size.events;
            if (m.status != 0) {
                std::printf("%-10s %9s %7d   exit status %d%s\n", c.name, shape.c_str(), cells, m.status,
                            c.args.back() == "--format=svg" ? " (SVG not built in?)" : "");
                continue;
            }
            std::printf("%-10s %9s %7d %10.1f %10ld %12.2f %10ju\n", c.name, shape.c_str(), cells, m.wallMs, m.peakKiB,
                        1000.0 * m.wallMs / cells, m.outputKiB);
        }
    }

    // The whole runs on the tables with sharing.
    for (const SHARING_ sharing : {kBlocks, kCrossing}) {
        const char* kind = sharing == kBlocks ? "blk" : "crs";
        const fs::path table = root / (std::string(kind) + ".tsv");
        writeSharing(table, sharing, largest);
        for (const Case& c :
             {Case{"dot", {"dot", "-aC"}, false, 256}, Case{"dot nogrp", {"dot", "-aC", "--no-group"}, false, 256},
              Case{"mermaid", {"mermaid", "-aC"}, false, 256}, Case{"markdown", {"markdown", "-aC"}, false, 256}}) {
            std::vector<std::string> command{pelkTable};
            command.insert(command.end(), c.args.begin(), c.args.end());
            command.push_back(table.string());
            const Measure m = measure(command, root / "work", repetitions);
            std::printf("%-10s %9s %7d %10.1f %10ld %12s %10ju\n", c.name, kind, largest.states * largest.events,
                        m.status == 0 ? m.wallMs : -1.0, m.peakKiB, "", m.outputKiB);
        }
    }

    const Case examples[] = {
        {"dot", {"dot", "-aC"}, false, 0},
        {"dot svg", {"dot", "-aC", "--format=svg"}, false, 0},
        {"mermaid", {"mermaid", "-aC"}, false, 0},
        {"markdown", {"markdown", "-aC"}, false, 0},
        {"html", {"html", "-aC", "-o", "page.html"}, false, 0},
    };
    for (const char* example : {"uart", "menu", "frame", "pages"}) {
        const fs::path table = fs::path(PELK_EXAMPLES_DIR) / (std::string(example) + ".tsv");
        for (const Case& c : examples) {
            std::vector<std::string> command{pelkTable};
            command.insert(command.end(), c.args.begin(), c.args.end());
            command.push_back(table.string());
            const Measure m = measure(command, root / "work", repetitions);
            if (m.status != 0) {
                std::printf("%-10s %9s   exit status %d\n", c.name, example, m.status);
                continue;
            }
            std::printf("%-10s %9s %7s %10.1f %10ld %12s %10ju\n", c.name, example, "", m.wallMs, m.peakKiB, "",
                        m.outputKiB);
        }
    }
    fs::remove_all(root);
    return 0;
}
