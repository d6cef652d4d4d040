// Wall time and peak memory of whole pelk runs, for every target, on
// generated tables from 16 states x 16 events up to the limit of 256 states
// x 128 events, three actions per cell; then, on the largest table, the
// time of pelk-table check beside pelk's own for every target (the check
// should take at most twice as long).
//
// Usage: pelk_bench <pelk> [repetitions]   (pelk-table lies beside pelk)
// Each case runs once untimed, then <repetitions> times (default 5), each in
// a fresh directory; the median wall time and the largest peak resident set
// are printed.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"

namespace fs = std::filesystem;

namespace {

struct Target {
    const char* option;
    const char* name;
};

struct Measure {
    double wallMs;
    long peakKiB;
};

// One run of a program in dir; exits the benchmark when it fails, that is
// exits with a status above highestStatus (pelk-table check exits with 1
// when it found an error, which the largest table has for the assemblers).
Measure runOnce(const std::string& pelk, const std::vector<std::string>& args, const fs::path& dir,
                int highestStatus = 0) {
    std::vector<std::string> command{pelk};
    command.insert(command.end(), args.begin(), args.end());
    const RUN_ run = runTimed(command, dir);
    if (run.status < 0 || run.status > highestStatus) {
        std::fprintf(stderr, "pelk_bench: %s failed in %s\n", pelk.c_str(), dir.c_str());
        std::exit(2);
    }
    return {run.wallMs, run.peakKiB};
}

Measure measure(const std::string& pelk, const Target& target, const fs::path& table, const fs::path& work,
                int repetitions, bool check = false) {
    std::vector<double> walls;
    long peak = 0;
    // The first run, untimed, brings pelk, its library and the table into
    // the caches.
    for (int r = -1; r < repetitions; ++r) {
        fs::remove_all(work);
        fs::create_directories(work);
        const std::string tableArgument = fs::absolute(table).lexically_relative(work).string();
        const Measure m = check ? runOnce(pelk, {"check", target.option, "-nBench", tableArgument}, work, 1)
                                : runOnce(pelk, {target.option, "-nBench", "-iBenchact.h", tableArgument}, work);
        if (r < 0)
            continue;
        walls.push_back(m.wallMs);
        peak = std::max(peak, m.peakKiB);
    }
    std::sort(walls.begin(), walls.end());
    return {walls[walls.size() / 2], peak};
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pelk_bench <pelk> [repetitions]\n");
        return 2;
    }
    const std::string pelk = fs::absolute(argv[1]).string();
    const std::string pelkTable = (fs::absolute(argv[1]).parent_path() / "pelk-table").string();
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const Size sizes[] = {{16, 16}, {32, 32}, {64, 64}, {128, 128}, {256, 128}};
    const Target targets[] = {{"-aNRA78K0", "RA78K0"}, {"-aFASM96", "ASM96"}, {"-aC", "C"}, {"-aFCC907S", "FCC907S"}};

    const fs::path root = fs::temp_directory_path() / ("pelk_bench_" + std::to_string(::getpid()));
    fs::create_directories(root);

    std::printf("%-8s %9s %7s %10s %10s %12s %10s\n", "target", "states x", "cells", "table KiB", "wall ms",
                "us per cell", "peak KiB");
    for (const Target& target : targets) {
        Measure first{}, last{};
        int firstCells = 0, lastCells = 0;
        for (const Size& size : sizes) {
            const fs::path table =
                root / ("t" + std::to_string(size.states) + "x" + std::to_string(size.events) + ".tsv");
            if (!fs::exists(table))
                writeTable(table, size);
            const Measure m = measure(pelk, target, table, root / "work", repetitions);
            const int cells = size.states * size.events;
            const std::string shape = std::to_string(size.states) + "x" + std::to_string(size.events);
            std::printf("%-8s %9s %7d %10ju %10.1f %12.2f %10ld\n", target.name, shape.c_str(), cells,
                        static_cast<uintmax_t>(fs::file_size(table) / 1024), m.wallMs, 1000.0 * m.wallMs / cells,
                        m.peakKiB);
            if (firstCells == 0) {
                first = m;
                firstCells = cells;
            }
            last = m;
            lastCells = cells;
        }
        std::printf("%-8s largest/smallest: cells x%.0f, wall x%.1f, peak memory x%.1f\n\n", target.name,
                    static_cast<double>(lastCells) / firstCells, last.wallMs / first.wallMs,
                    static_cast<double>(last.peakKiB) / first.peakKiB);
    }

    if (!fs::exists(pelkTable)) {
        std::printf("no %s: the check is not measured\n", pelkTable.c_str());
    } else {
        const Size largest = sizes[sizeof sizes / sizeof sizes[0] - 1];
        const std::string shape = std::to_string(largest.states) + "x" + std::to_string(largest.events);
        const fs::path table = root / ("t" + shape + ".tsv");
        std::printf("pelk-table check against pelk on %s, three actions per cell\n", shape.c_str());
        std::printf("%-8s %10s %10s %8s %12s %12s\n", "target", "pelk ms", "check ms", "ratio", "pelk KiB",
                    "check KiB");
        for (const Target& target : targets) {
            const Measure generate = measure(pelk, target, table, root / "work", repetitions);
            const Measure check = measure(pelkTable, target, table, root / "work", repetitions, true);
            std::printf("%-8s %10.1f %10.1f %8.2f %12ld %12ld\n", target.name, generate.wallMs, check.wallMs,
                        check.wallMs / generate.wallMs, generate.peakKiB, check.peakKiB);
        }
    }
    fs::remove_all(root);
    return 0;
}
