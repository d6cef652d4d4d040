#ifndef PELK_TABLE_DIFF_DIFF_DIAGRAM_H
#define PELK_TABLE_DIFF_DIFF_DIAGRAM_H

#include <string>

#include "pelk-table/diff/table_change.h"

class CSTTable;

/// CDiffDiagram draws the states a change touched, with their neighbours in
/// NEW, as a Mermaid stateDiagram-v2: added, changed, renamed and removed
/// states get a style class each; a transition that is new or changed is
/// labelled "+ EVENT / ...", one that went away "− EVENT / ...".
class CDiffDiagram {
public:
    /// The most transitions a code host renders (Mermaid's maxEdges); its
    /// most characters are CMermaidView::kMaxText.
    static constexpr size_t kMaxEdges = 500;

    /// The diagram; empty, with note set, when it would be too large or
    /// when nothing is touched.
    static std::string write(const TABLE_DIFF_& diff, const CSTTable& before, const CSTTable& after, std::string& note);
};

#endif
