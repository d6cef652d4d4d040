#ifndef PELK_TABLE_VIEWS_MARKDOWN_VIEW_H
#define PELK_TABLE_VIEWS_MARKDOWN_VIEW_H

#include <string>
#include <vector>

#include "pelk-table/check/finding.h"
#include "pelk-table/views/machine_graph.h"

class CTableModel;

/// CMarkdownView writes a review document of a table, to commit beside it:
/// the transition matrix, the states and events with their numbers, every
/// action with the cells that call it, the Mermaid diagram (the whole
/// machine, or the neighbourhood of a state) with what it folded or left out
/// in words, and the findings of check.
class CMarkdownView {
public:
    static std::string write(const CTableModel& model, const std::vector<FINDING_>& findings,
                             const VIEW_OPTIONS_& options = VIEW_OPTIONS_());

    /// text escaped for Markdown, also inside a table cell: `\`, `|`, `*`,
    /// `_`, backquotes, brackets and `~` get a backslash, `&`, `<` and `>`
    /// become HTML entities.
    static std::string escaped(const std::string& text);
};

#endif
