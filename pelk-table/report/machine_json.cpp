#include "pelk-table/report/machine_json.h"

#include "table/st_table.h"

nlohmann::ordered_json CMachineJson::state(const CSTTable& table, int s) {
    nlohmann::ordered_json json;
    json["number"] = s;
    if (s >= 0 && s < table.stateCount())
        json["name"] = table.stateName(s);
    else
        json["name"] = nullptr;
    return json;
}

nlohmann::ordered_json CMachineJson::event(const CSTTable& table, int e) {
    return nlohmann::ordered_json{{"number", e}, {"name", table.eventName(e)}};
}
