#ifndef PELK_TABLE_RUN_SCENARIO_FILE_H
#define PELK_TABLE_RUN_SCENARIO_FILE_H

#include <istream>
#include <string>

/// CScenarioFile reads a scenario as `run` takes it on standard input: one
/// event a line, the blanks around it dropped; blank lines and lines that
/// start with '#' skipped. It reads one line at a time, so that a run can
/// answer each event as it comes.
class CScenarioFile {
public:
    /// The next event of in into event, and its line (from 1) into line,
    /// which counts the lines read so far; false at the end of in.
    static bool nextEvent(std::istream& in, int& line, std::string& event);
};

#endif
