// Wall time and peak memory of pelk-table diff beside check on the same two
// tables: the largest tables pelk takes (256 states x 128 events, three
// actions a cell, as pelk_bench writes them), the second differing from the
// first in 1,000 cells spread over the table (another next state, or the
// actions in another order). diff reads and checks both tables as check
// does and compares them on top; it should take no longer than check on
// both.
//
// Usage: diff_bench <pelk-table> [repetitions]
// Each run is made once untimed, then <repetitions> times (default 5); the
// median wall time and the largest peak resident set are printed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"

namespace fs = std::filesystem;

namespace {

const Size kSize{256, 128};
const int kChangedCells = 1000;

// The table of writeTable with kChangedCells cells changed: every 32nd cell
// in reading order (32768 / 1000 cells apart), alternately to another next
// state and to its actions reordered.
void writeChangedTable(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "START\t";
    for (int e = 0; e < kSize.events; ++e)
        out << "\tEV" << e;
    out << '\n';
    const int cells = kSize.states * kSize.events;
    int changed = 0;
    for (int s = 0; s < kSize.states; ++s) {
        out << "ST" << s << '\t' << s;
        for (int e = 0; e < kSize.events; ++e) {
            const int index = s * kSize.events + e;
            const bool change = changed < kChangedCells && index % (cells / kChangedCells) == 0;
            const int next = (s + e + 1) % kSize.states;
            if (!change)
                out << '\t' << next << "/On" << e << ",Log" << s << ",Tick";
            else if (changed % 2 == 0)
                out << '\t' << (next + 7) % kSize.states << "/On" << e << ",Log" << s << ",Tick";
            else
                out << '\t' << next << "/Tick,On" << e << ",Log" << s;
            changed += change ? 1 : 0;
        }
        out << '\n';
    }
}

struct MEDIAN_ {
    double wallMs = 0;
    long peakKiB = 0;
    int status = 0;
};

MEDIAN_ measure(const std::vector<std::string>& command, const fs::path& dir, int repetitions) {
    std::vector<double> walls;
    MEDIAN_ result;
    for (int r = -1; r < repetitions; ++r) {
        const RUN_ run = runTimed(command, dir);
        result.status = run.status;
        if (r < 0)
            continue;
        walls.push_back(run.wallMs);
        result.peakKiB = std::max(result.peakKiB, run.peakKiB);
    }
    std::sort(walls.begin(), walls.end());
    result.wallMs = walls[walls.size() / 2];
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: diff_bench <pelk-table> [repetitions]\n");
        return 2;
    }
    const std::string pelkTable = fs::absolute(argv[1]).string();
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path root = fs::temp_directory_path() / ("diff_bench_" + std::to_string(::getpid()));
    fs::create_directories(root);
    writeTable(root / "old.tsv", kSize);
    writeChangedTable(root / "new.tsv");

    // The C target: an assembler's row limit would make check report an
    // error on 128 events.
    struct CASE_ {
        const char* name;
        std::vector<std::string> args;
        int status;  // what the run must end with
    };
    const CASE_ cases[] = {
        {"check both", {"check", "-aC", "old.tsv", "new.tsv"}, 0},
        {"diff text", {"diff", "-aC", "old.tsv", "new.tsv"}, 1},
        {"diff json", {"diff", "-aC", "--format=json", "old.tsv", "new.tsv"}, 1},
        {"diff markdown", {"diff", "-aC", "--format=markdown", "old.tsv", "new.tsv"}, 1},
    };
    std::printf("256 x 128 tables, three actions a cell, %d cells changed; median of %d runs\n", kChangedCells,
                repetitions);
    std::printf("%-14s %10s %10s %10s\n", "run", "wall ms", "peak KiB", "vs check");
    double check = 0;
    for (const CASE_& c : cases) {
        std::vector<std::string> command{pelkTable};
        command.insert(command.end(), c.args.begin(), c.args.end());
        const MEDIAN_ m = measure(command, root, repetitions);
        if (m.status != c.status) {
            std::printf("%-14s exit status %d, not %d\n", c.name, m.status, c.status);
            continue;
        }
        if (check == 0)
            check = m.wallMs;
        std::printf("%-14s %10.1f %10ld %9.2fx\n", c.name, m.wallMs, m.peakKiB, m.wallMs / check);
    }
    fs::remove_all(root);
    return 0;
}
