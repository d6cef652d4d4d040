// Wall time and peak memory of pelk-table's views (dot, mermaid, markdown)
// and of check, beside pelk generating C, on the generated tables of
// pelk_bench: up to 256 states x 127 events, three actions per cell. In these
// tables every state goes to 127 others, so the whole machine would have
// 32512 labelled edges; the views cut every drawing down to their size rule
// (60 states, 150 edges) before any layout, so SVG is measured up to the
// largest too, as is the neighbourhood of a state (--state). Then the example
// tables of real size (examples/uart.tsv, 15 states, and examples/menu.tsv,
// 40 states) in every view and as the page (html, Graphviz layout included).
// Goals: every view of the largest table within 1 s, notes included; the
// 40-state page within 2 s.
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
        {"dot svg", {"dot", "-aC", "--format=svg"}, false, 256},
        {"dot state", {"dot", "-aC", "--state", "ST1", "--depth", "2"}, false, 256},
        {"mermaid", {"mermaid", "-aC"}, false, 256},
        {"markdown", {"markdown", "-aC"}, false, 256},
    };

    const fs::path root = fs::temp_directory_path() / ("views_bench_" + std::to_string(::getpid()));
    fs::create_directories(root);

    std::printf("%-10s %9s %7s %10s %10s %12s %10s\n", "run", "states x", "cells", "wall ms", "peak KiB", "us per cell",
                "output KiB");
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

    const Case examples[] = {
        {"dot", {"dot", "-aC"}, false, 0},
        {"dot svg", {"dot", "-aC", "--format=svg"}, false, 0},
        {"mermaid", {"mermaid", "-aC"}, false, 0},
        {"markdown", {"markdown", "-aC"}, false, 0},
        {"html", {"html", "-aC", "-o", "page.html"}, false, 0},
    };
    for (const char* example : {"uart", "menu"}) {
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
