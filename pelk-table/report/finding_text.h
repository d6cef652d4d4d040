#ifndef PELK_TABLE_REPORT_FINDING_TEXT_H
#define PELK_TABLE_REPORT_FINDING_TEXT_H

#include <string>

#include "pelk-table/check/finding.h"

/// CFindingText words the messages of findings: the pattern of the message
/// list with each argument written by its kind. Every form that shows a
/// finding's text to a person takes it from here; nothing reads it back.
class CFindingText {
public:
    /// The message's sentence.
    static std::string message(const MESSAGE_& message);
    /// text followed by " (cell C3)" when place names a cell of a text file;
    /// a workbook's place already names its cell, and text stays as it is.
    static std::string withCell(const std::string& text, const PLACE_& place);
    /// name in single quotes; control bytes and bytes that are not UTF-8
    /// written as escapes.
    static std::string quoted(const std::string& name);
};

#endif
