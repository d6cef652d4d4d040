#ifndef PELK_TESTS_SUPPORT_PLANTED_TABLE_H
#define PELK_TESTS_SUPPORT_PLANTED_TABLE_H

#include <random>
#include <string>
#include <vector>

/// A table of random cells with groups planted in it, from seed: sets of
/// states (runs or scattered, some inside others, some crossing) given one
/// outcome for one event, which may also be a cell without transition or a
/// next state past the last; around them empty cells, no-operation markers,
/// internal transitions and transitions drawn from a few actions, so that
/// states share outcomes by chance too.
inline std::string plantedTable(unsigned seed) {
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int stateCount = 3 + below(28), eventCount = 1 + below(8);
    std::vector<std::vector<std::string>> cells(static_cast<size_t>(stateCount),
                                                std::vector<std::string>(static_cast<size_t>(eventCount)));
    for (auto& row : cells) {
        for (std::string& cell : row) {
            const int kind = below(12);
            const std::string action = "A" + std::to_string(below(3));
            cell = kind < 4    ? "-"
                   : kind < 5  ? "*/-"
                   : kind < 7  ? "-/" + action
                   : kind < 11 ? std::to_string(below(stateCount)) + "/" + action + (kind == 10 ? ",-" : "")
                               : std::to_string(stateCount + below(2));
        }
    }
    for (int planted = 1 + below(4); planted > 0; --planted) {
        const int size = 3 + below(stateCount - 2), first = below(stateCount - size + 1);
        const int event = below(eventCount), kind = below(6);
        const std::string outcome = kind == 0   ? "-/P" + std::to_string(planted)
                                    : kind == 1 ? std::to_string(stateCount) + "/P"
                                                : std::to_string(below(stateCount)) + "/P" + std::to_string(planted);
        for (int s = first; s < first + size; ++s) {
            if (kind != 2 || below(3) != 0)
                cells[static_cast<size_t>(s)][static_cast<size_t>(event)] = outcome;
        }
    }
    std::string text = "START\t";
    for (int e = 0; e < eventCount; ++e)
        text += "\tE" + std::to_string(e);
    text += "\n";
    for (int s = 0; s < stateCount; ++s) {
        text += "S" + std::to_string(s) + "\t" + std::to_string(s);
        for (const std::string& cell : cells[static_cast<size_t>(s)])
            text += "\t" + cell;
        text += "\n";
    }
    return text;
}

#endif
