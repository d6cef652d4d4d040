// Splits a large generated TSV file and reports throughput and peak memory,
// beside `wc -l` on the same file.
// Usage: splitter_bench [file] [records] [fields]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Kerrow.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// CPU time (user and system) of this process so far, in seconds.
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Resident set high-water mark of this process, in kB.
long peakRssKb() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    long kb = -1;
    if (f) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld", &kb) == 1)
                break;
        std::fclose(f);
    }
    if (kb < 0) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        kb = usage.ru_maxrss;
    }
    return kb;
}

// records lines of fields tab-separated fields of 9 to 11 letters each.
long long writeTable(const std::string& path, long records, int fields) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return -1;
    unsigned state = 12345;
    std::string line;
    long long bytes = 0;
    for (long r = 0; r < records; ++r) {
        line.clear();
        for (int i = 0; i < fields; ++i) {
            state = state * 1103515245u + 12345u;
            int length = 9 + static_cast<int>((state >> 16) % 3);
            for (int c = 0; c < length; ++c) {
                state = state * 1103515245u + 12345u;
                line += static_cast<char>('a' + (state >> 16) % 26);
            }
            line += i + 1 < fields ? '\t' : '\n';
        }
        std::fwrite(line.data(), 1, line.size(), f);
        bytes += static_cast<long long>(line.size());
    }
    return std::fclose(f) == 0 ? bytes : -1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : "/tmp/splitter_bench.tsv";
    long records = argc > 2 ? std::atol(argv[2]) : 1000000;
    int fields = argc > 3 ? std::atoi(argv[3]) : 10;

    long long bytes = writeTable(path, records, fields);
    if (bytes <= 0) {
        std::fprintf(stderr, "can't write %s\n", path.c_str());
        return 1;
    }
    double mb = static_cast<double>(bytes) / 1e6;
    std::printf("file: %s, %ld records of %d fields, %.1f MB\n", path.c_str(), records, fields, mb);

    Clock::time_point start = Clock::now();
    std::string command = "wc -l < '" + path + "'";
    std::FILE* wc = popen(command.c_str(), "r");
    long lines = -1;
    if (wc) {
        if (std::fscanf(wc, "%ld", &lines) != 1)
            lines = -1;
        pclose(wc);
    }
    double wcSeconds = secondsSince(start);
    std::printf("wc -l:  %ld lines in %.3f s, %.0f MB/s\n", lines, wcSeconds, mb / wcSeconds);

    long rssBefore = peakRssKb();
    double cpuStart = cpuSeconds();
    start = Clock::now();
    int result = Kerrow(path.c_str());
    double splitSeconds = secondsSince(start);
    double splitCpu = cpuSeconds() - cpuStart;
    if (result != 0) {
        std::fprintf(stderr, "split failed: %s\n", GetErrorMessage());
        return 1;
    }
    long peak = peakRssKb();
    std::printf("split:  %d records in %.3f s, %.0f MB/s (CPU %.3f s, %.0f MB/s per CPU second)\n", GetTsvRecordCount(),
                splitSeconds, mb / splitSeconds, splitCpu, mb / splitCpu);

    start = Clock::now();
    long long handedOut = 0;
    int count = 0;
    char** array = nullptr;
    for (int r = GetFirstTsvRecord(&count, &array); r == 0; r = GetNextTsvRecord(&count, &array))
        handedOut += count;
    double iterateSeconds = secondsSince(start);
    std::printf("iterate: %lld fields in %.3f s\n", handedOut, iterateSeconds);

    std::printf("peak RSS: %.1f MB (%.1f MB before the split), %.2f x file size\n", peak / 1024.0, rssBefore / 1024.0,
                peak * 1024.0 / static_cast<double>(bytes));
    FreeAllRecords();
    std::remove(path.c_str());
    return 0;
}
