#ifndef PELK_TABLE_CONFORMANCE_SCENARIO_LOADER_H
#define PELK_TABLE_CONFORMANCE_SCENARIO_LOADER_H

#include <istream>
#include <string>
#include <vector>

#include "table/st_table.h"

/// CScenarioLoader reads a scenario file for the conformance test: its
/// events, as `run` reads them, played from state 0 as `run` plays them.
class CScenarioLoader {
public:
    /// The event numbers of the scenario in from a file named path, into
    /// events. False, with error set ("PATH:LINE: ..."), for an event the
    /// table does not have, and for an event after a step past the last
    /// state, which the machine could not take.
    static bool read(std::istream& in, const std::string& path, const CSTTable& table, std::vector<int>& events,
                     std::string& error);
    /// The same, from the file path. False, with error set, also when it
    /// cannot be opened.
    static bool load(const std::string& path, const CSTTable& table, std::vector<int>& events, std::string& error);
};

#endif
