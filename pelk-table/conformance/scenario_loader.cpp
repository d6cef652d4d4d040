#include "pelk-table/conformance/scenario_loader.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "pelk-table/model/near_name.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/run/machine_run.h"
#include "pelk-table/run/scenario_file.h"
#include "table/table_reader.h"

bool CScenarioLoader::read(std::istream& in, const std::string& path, const CSTTable& table, std::vector<int>& events,
                           std::string& error) {
    events.clear();
    int line = 0;
    int state = 0;
    int from = 0;
    std::string text;
    while (CScenarioFile::nextEvent(in, line, text)) {
        const std::string place = path + ":" + std::to_string(line) + ": ";
        if (events.empty() && table.stateCount() == 0) {
            error = place + "the table has no states: its machine cannot take an event";
            return false;
        }
        if (state >= table.stateCount()) {
            // The machine could not take this event: it would call past its
            // vector table.
            error = place + "no further event: " + CMachineRun::stopSentence(table, from, events.back(), state);
            return false;
        }
        const int event = CTableRules::findEvent(table, text);
        if (event < 0) {
            if (CTableReader::isNumber(text.c_str()))
                error = place + "event number " + text + " is out of range: the table has " +
                        (table.eventCount() ? "events 0 to " + std::to_string(table.eventCount() - 1) : "no events");
            else
                error = place + "the table has no event '" + text + "'" +
                        CNearName::suggestion(text, CMachineRun::eventNames(table));
            return false;
        }
        events.push_back(event);
        from = state;
        state = CMachineRun::step(table, state, event).next;
    }
    return true;
}

bool CScenarioLoader::load(const std::string& path, const CSTTable& table, std::vector<int>& events,
                           std::string& error) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open '" + path + "'" + (errno ? std::string(": ") + std::strerror(errno) : std::string());
        return false;
    }
    return read(in, path, table, events, error);
}
