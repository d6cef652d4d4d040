#ifndef PELK_TABLE_VIEWS_MERMAID_VIEW_H
#define PELK_TABLE_VIEWS_MERMAID_VIEW_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"

class CTableModel;

/// CMermaidView draws a table as a Mermaid stateDiagram-v2, which code hosts
/// render inside Markdown. It follows CDotView as far as Mermaid can: the
/// states get the ids s0, s1, ... with their names and numbers as labels,
/// internal transitions are lines of the state's description, next states
/// that do not exist are states of their own (invalid5, ...), and the
/// warnings of check are a style class and a note with the reason.
class CMermaidView {
public:
    static std::string write(const CTableModel& model, const std::vector<FINDING_>& findings);

    /// text with every character that Mermaid reads as syntax or as HTML
    /// written as an entity code (`#quot;`, `#lt;`, `#35;`, ...).
    static std::string escaped(const std::string& text);
};

#endif
