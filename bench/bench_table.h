// The tables the benchmarks run on.
#ifndef PELK_BENCH_BENCH_TABLE_H
#define PELK_BENCH_BENCH_TABLE_H

#include <filesystem>
#include <fstream>

struct Size {
    int states;
    int events;
};

/// Writes a table of size to path: START in column 0; state i goes to
/// (i + e + 1) mod states on event e and calls three actions.
inline void writeTable(const std::filesystem::path& path, const Size& size) {
    std::ofstream out(path, std::ios::binary);
    out << "START\t";
    for (int e = 0; e < size.events; ++e)
        out << "\tEV" << e;
    out << '\n';
    for (int s = 0; s < size.states; ++s) {
        out << "ST" << s << '\t' << s;
        for (int e = 0; e < size.events; ++e)
            out << '\t' << (s + e + 1) % size.states << "/On" << e << ",Log" << s << ",Tick";
        out << '\n';
    }
}

#endif
