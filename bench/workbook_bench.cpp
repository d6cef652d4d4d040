// Reading a table from a workbook beside reading it from TSV: pelk-table
// check on the largest table pelk takes (256 states x 128 events, three
// actions per cell) as .tsv, .xlsx and .ods, and pelk-table export of the
// workbooks. The workbooks are made from the TSV by
// scripts/bench-workbook.sh.
//
// Usage: workbook_bench <pelk-table> <dir> [repetitions]
// dir holds t256x128.tsv and, when made, t256x128.xlsx and t256x128.ods.
// Each case runs once untimed, then <repetitions> times (default 7); the
// median wall time and the largest peak resident set are printed, and the
// ratio of each workbook's check to the TSV's.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"

namespace fs = std::filesystem;

namespace {

struct RESULT_ {
    double medianMs;
    long peakKiB;
    bool ok;
};

RESULT_ measure(const std::vector<std::string>& command, const fs::path& dir, int repetitions) {
    std::vector<double> walls;
    RESULT_ result{0, 0, true};
    for (int r = -1; r < repetitions; ++r) {
        const RUN_ run = runTimed(command, dir);
        if (run.status != 0 && command[1] != "check") {
            result.ok = false;
            return result;
        }
        if (r < 0)
            continue;
        walls.push_back(run.wallMs);
        result.peakKiB = std::max(result.peakKiB, run.peakKiB);
    }
    std::sort(walls.begin(), walls.end());
    result.medianMs = walls[walls.size() / 2];
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: workbook_bench <pelk-table> <dir> [repetitions]\n");
        return 2;
    }
    const std::string tool = fs::absolute(argv[1]).string();
    const fs::path dir = argv[2];
    const int repetitions = argc > 3 ? std::atoi(argv[3]) : 7;
    const Size size{256, 128};
    const fs::path tsv = dir / "t256x128.tsv";
    if (!fs::exists(tsv))
        writeTable(tsv, size);

    std::printf("%-28s %10s %10s %8s\n", "case (256 x 128)", "median ms", "peak KiB", "ratio");
    const RESULT_ base = measure({tool, "check", tsv.string()}, dir, repetitions);
    std::printf("%-28s %10.1f %10ld %8s\n", "check .tsv", base.medianMs, base.peakKiB, "1.00");
    for (const char* kind : {"xlsx", "ods"}) {
        const fs::path book = dir / (std::string("t256x128.") + kind);
        if (!fs::exists(book))
            continue;
        const RESULT_ check = measure({tool, "check", book.string()}, dir, repetitions);
        std::printf("%-28s %10.1f %10ld %8.2f\n", (std::string("check .") + kind).c_str(), check.medianMs,
                    check.peakKiB, check.medianMs / base.medianMs);
        const RESULT_ exported = measure({tool, "export", book.string()}, dir, repetitions);
        if (!exported.ok) {
            std::printf("%-28s failed\n", (std::string("export .") + kind).c_str());
            continue;
        }
        std::printf("%-28s %10.1f %10ld %8.2f\n", (std::string("export .") + kind).c_str(), exported.medianMs,
                    exported.peakKiB, exported.medianMs / base.medianMs);
    }
    return 0;
}
