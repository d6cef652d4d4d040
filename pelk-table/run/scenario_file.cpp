#include "pelk-table/run/scenario_file.h"

bool CScenarioFile::nextEvent(std::istream& in, int& line, std::string& event) {
    const char* blanks = " \t\r\n";
    std::string text;
    while (std::getline(in, text)) {
        ++line;
        const size_t first = text.find_first_not_of(blanks);
        if (first == std::string::npos || text[first] == '#')
            continue;
        event = text.substr(first, text.find_last_not_of(blanks) - first + 1);
        return true;
    }
    return false;
}
