// pelk-table test: how fast it writes the conformance test, and how short
// its tour is.
//
// Speed: on the generated tables of pelk_bench, up to 256 states x 128
// events with three actions per cell, the wall time of `pelk-table test`
// (C and JSON) beside `pelk -aC` on the same table. Goal: the C test of the
// largest table within twice pelk's time.
//
// Length: for every table in examples/ (and the generated ones), the steps
// of the tour against a lower bound on the shortest walk that tests every
// cell that can be reached. The bound lets init cost nothing (it is a free
// edge from every state, and from "past the last state", to state 0): then
// the shortest covering walk is exactly the cells plus the cheapest way to
// balance every state's ins and outs, a transportation problem whose costs
// are the shortest distances (with a free init first where that is
// shorter), solved here by successive shortest paths. Goal: every tour
// within 1.1 times its bound.
//
// The graph comes from the tour itself (--format=json), after checking that
// it covers every event of every state it visits: all cells of the states
// that can be reached.
//
// Usage: conformance_bench <pelk-table> <pelk> [repetitions]
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench_support.h"

namespace fs = std::filesystem;

namespace {

double medianMs(const std::vector<std::string>& command, const fs::path& dir, int repetitions, int& status) {
    std::vector<double> walls;
    for (int r = -1; r < repetitions; ++r) {
        const RUN_ run = runTimed(command, dir, dir / "out");
        status = run.status;
        if (status != 0)
            return 0;
        if (r >= 0)
            walls.push_back(run.wallMs);
    }
    std::sort(walls.begin(), walls.end());
    return walls[walls.size() / 2];
}

struct BOUND_ {
    long cells = 0;
    long steps = 0;
    long bound = 0;
    bool complete = true;  ///< every visited state has every event tested
};

// The lower bound of a tour given as pelk-table test's JSON.
BOUND_ boundOf(const nlohmann::json& tour) {
    BOUND_ result;
    std::map<std::pair<int, int>, int> cells;  // (state, event) -> next; -1: past the last state
    int events = 0;
    for (const auto& test : tour["tests"]) {
        for (const auto& step : test["steps"]) {
            const auto& next = step["expect"]["state"];
            cells[{step["state"]["number"].get<int>(), step["event"]["number"].get<int>()}] =
                next["name"].is_null() ? -1 : next["number"].get<int>();
            events = std::max(events, step["event"]["number"].get<int>() + 1);
            ++result.steps;
        }
    }
    result.cells = static_cast<long>(cells.size());
    std::set<int> states;
    for (const auto& cell : cells)
        states.insert(cell.first.first);
    result.complete = result.cells == static_cast<long>(states.size()) * events;
    if (states.empty())
        return result;
    // Nodes: the states, then one for "past the last state".
    const int count = *states.rbegin() + 2;
    const int past = count - 1;
    std::vector<std::vector<int>> out(static_cast<size_t>(count));
    std::vector<long> balance(static_cast<size_t>(count), 0);  // ins minus outs
    for (const auto& cell : cells) {
        const int from = cell.first.first;
        const int to = cell.second < 0 ? past : cell.second;
        if (to == from)
            continue;
        --balance[static_cast<size_t>(from)];
        ++balance[static_cast<size_t>(to)];
        if (to != past)
            out[static_cast<size_t>(from)].push_back(to);
    }
    const auto distances = [&](int from) {
        std::vector<long> d(static_cast<size_t>(count), LONG_MAX / 4);
        std::vector<int> queue{from};
        d[static_cast<size_t>(from)] = 0;
        for (size_t head = 0; head < queue.size(); ++head) {
            for (int to : out[static_cast<size_t>(queue[head])]) {
                if (d[static_cast<size_t>(to)] > d[static_cast<size_t>(queue[head])] + 1) {
                    d[static_cast<size_t>(to)] = d[static_cast<size_t>(queue[head])] + 1;
                    queue.push_back(to);
                }
            }
        }
        return d;
    };
    const std::vector<long> fromStart = distances(0);
    // A state with more ins than outs must be left once more for each; one
    // with more outs than ins must be entered once more for each.
    std::vector<int> surplus, deficit;
    for (int v = 0; v < count; ++v) {
        if (balance[static_cast<size_t>(v)] > 0)
            surplus.push_back(v);
        else if (balance[static_cast<size_t>(v)] < 0)
            deficit.push_back(v);
    }
    std::vector<std::vector<long>> cost(surplus.size(), std::vector<long>(deficit.size()));
    for (size_t i = 0; i < surplus.size(); ++i) {
        const std::vector<long> d = surplus[i] == past ? fromStart : distances(surplus[i]);
        for (size_t j = 0; j < deficit.size(); ++j)
            cost[i][j] = std::min(d[static_cast<size_t>(deficit[j])], fromStart[static_cast<size_t>(deficit[j])]);
    }
    // Successive shortest paths on source -> surplus -> deficit -> sink.
    const size_t s = surplus.size(), t = deficit.size();
    std::vector<long> supply(s), demand(t);
    for (size_t i = 0; i < s; ++i)
        supply[i] = balance[static_cast<size_t>(surplus[i])];
    for (size_t j = 0; j < t; ++j)
        demand[j] = -balance[static_cast<size_t>(deficit[j])];
    std::vector<std::vector<long>> flow(s, std::vector<long>(t, 0));
    long extra = 0;
    for (;;) {
        // Bellman-Ford over the residual graph: nodes 0..s-1 surplus,
        // s..s+t-1 deficit, from a virtual source to a virtual sink.
        const long infinity = LONG_MAX / 4;
        std::vector<long> d(s + t, infinity);
        std::vector<long> parent(s + t, -1);
        for (size_t i = 0; i < s; ++i) {
            if (supply[i] > 0)
                d[i] = 0;
        }
        for (bool changed = true; changed;) {
            changed = false;
            for (size_t i = 0; i < s; ++i) {
                for (size_t j = 0; j < t; ++j) {
                    if (d[i] < infinity && d[i] + cost[i][j] < d[s + j]) {
                        d[s + j] = d[i] + cost[i][j];
                        parent[s + j] = static_cast<long>(i);
                        changed = true;
                    }
                    if (flow[i][j] > 0 && d[s + j] < infinity && d[s + j] - cost[i][j] < d[i]) {
                        d[i] = d[s + j] - cost[i][j];
                        parent[i] = static_cast<long>(s + j);
                        changed = true;
                    }
                }
            }
        }
        size_t best = t;
        for (size_t j = 0; j < t; ++j) {
            if (demand[j] > 0 && d[s + j] < infinity && (best == t || d[s + j] < d[s + best]))
                best = j;
        }
        if (best == t)
            break;
        // Walk back to a source, finding how much the path can carry.
        long amount = demand[best];
        size_t at = s + best;
        while (parent[at] >= 0) {
            const size_t from = static_cast<size_t>(parent[at]);
            if (at < s)
                amount = std::min(amount, flow[at][from - s]);
            at = from;
        }
        amount = std::min(amount, supply[at]);
        supply[at] -= amount;
        demand[best] -= amount;
        at = s + best;
        while (parent[at] >= 0) {
            const size_t from = static_cast<size_t>(parent[at]);
            if (at >= s)
                flow[from][at - s] += amount;
            else
                flow[at][from - s] -= amount;
            at = from;
        }
        extra += amount * d[s + best];
    }
    result.bound = result.cells + extra;
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: conformance_bench <pelk-table> <pelk> [repetitions]\n");
        return 2;
    }
    const std::string pelkTable = fs::absolute(argv[1]).string();
    const std::string pelk = fs::absolute(argv[2]).string();
    const int repetitions = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const fs::path root = fs::temp_directory_path() / ("conformance_bench_" + std::to_string(::getpid()));
    const fs::path work = root / "work";
    fs::create_directories(work);

    std::printf("%-9s %9s %9s %12s %12s %12s %8s\n", "table", "cells", "pelk ms", "test C ms", "test JSON ms",
                "C output KiB", "C/pelk");
    std::vector<fs::path> tables;
    for (const Size& size : {Size{16, 16}, Size{64, 64}, Size{256, 128}}) {
        const std::string shape = std::to_string(size.states) + "x" + std::to_string(size.events);
        const fs::path table = root / ("t" + shape + ".tsv");
        writeTable(table, size);
        tables.push_back(table);
        const std::string relative = table.lexically_relative(work).string();
        int status = 0;
        const double pelkMs = medianMs({pelk, "-aC", "-nBench", relative}, work, repetitions, status);
        const double cMs = medianMs({pelkTable, "test", "-aC", "-nBench", relative}, work, repetitions, status);
        const auto cSize = fs::exists(work / "out") ? fs::file_size(work / "out") / 1024 : 0;
        const double jsonMs =
            medianMs({pelkTable, "test", "-aC", "-nBench", "--format=json", relative}, work, repetitions, status);
        if (status != 0) {
            std::printf("%-9s exit status %d\n", shape.c_str(), status);
            continue;
        }
        std::printf("%-9s %9d %9.1f %12.1f %12.1f %12ju %8.2f\n", shape.c_str(), size.states * size.events, pelkMs, cMs,
                    jsonMs, static_cast<uintmax_t>(cSize), cMs / pelkMs);
    }

    std::printf("\n%-14s %7s %7s %12s %8s %8s\n", "tour", "cells", "steps", "lower bound", "ratio", "inits");
    for (const auto& entry : fs::directory_iterator(PELK_EXAMPLES_DIR)) {
        if (entry.path().extension() == ".tsv")
            tables.push_back(entry.path());
    }
    std::sort(tables.begin(), tables.end());
    for (const fs::path& table : tables) {
        const RUN_ run =
            runTimed({pelkTable, "test", "-aC", "-nBench", "--format=json", table.string()}, work, work / "tour.json");
        if (run.status != 0) {
            std::printf("%-14s exit status %d\n", table.stem().string().c_str(), run.status);
            continue;
        }
        std::ifstream in(work / "tour.json");
        const nlohmann::json tour = nlohmann::json::parse(in);
        const BOUND_ bound = boundOf(tour);
        std::printf("%-14s %7ld %7ld %12ld %8.3f %8ld%s\n", table.stem().string().c_str(), bound.cells, bound.steps,
                    bound.bound,
                    bound.bound ? static_cast<double>(bound.steps) / static_cast<double>(bound.bound) : 1.0,
                    tour["summary"]["inits"].get<long>(), bound.complete ? "" : "  (cells missing!)");
    }
    fs::remove_all(root);
    return 0;
}
