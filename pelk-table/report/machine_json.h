#ifndef PELK_TABLE_REPORT_MACHINE_JSON_H
#define PELK_TABLE_REPORT_MACHINE_JSON_H

#include <nlohmann/json.hpp>

class CSTTable;

/// CMachineJson writes a table's states and events as the JSON forms of
/// run and test name them: {"number": 3, "name": "IDLE"}, the name null for
/// a state past the last.
class CMachineJson {
public:
    static nlohmann::ordered_json state(const CSTTable& table, int s);
    static nlohmann::ordered_json event(const CSTTable& table, int e);
};

#endif
