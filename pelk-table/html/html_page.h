#ifndef PELK_TABLE_HTML_HTML_PAGE_H
#define PELK_TABLE_HTML_HTML_PAGE_H

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pelk-table/check/finding.h"

class CTableModel;

/// What the page tells of the table beside the table itself.
struct PAGE_FACTS_ {
    std::string fileName;     ///< the table's file name, as the header shows it
    std::string machineName;  ///< -n; may be empty
    std::string target;       ///< -a, the target's name
    std::string changes;      ///< the changes since an older table, as JSON; empty for none
};

/// One arrow of the diagram: its SVG element, the elements of the nodes it
/// joins, and the cells (state, event) of the matrix it stands for: one for
/// a plain arrow, all it covers for one drawn once for several states, none
/// for the arrow to the initial state.
struct PAGE_EDGE_ {
    std::string id;
    std::string tail;
    std::string head;
    std::vector<std::pair<int, int>> cells;
};

/// A box of the diagram: a group of states whose shared transitions leave
/// it (CMachineGraph::groups()).
struct PAGE_BOX_ {
    std::string id;           ///< the SVG id of the box (Graphviz's cluster)
    std::string node;         ///< the SVG id of its node "any state in NAME"; empty when it has none
    std::vector<int> states;  ///< the states of the group, ascending (some may not be drawn)
};

/// The diagram of a page: Graphviz's SVG, whose nodes and edges carry the
/// ids named here, or, where there is none, the reason.
struct PAGE_DIAGRAM_ {
    std::string svg;                   ///< empty for no diagram
    std::vector<std::string> nodeIds;  ///< the SVG id of each state's node; empty for a state not drawn
    std::vector<PAGE_EDGE_> edges;     ///< every arrow drawn
    std::vector<PAGE_BOX_> boxes;      ///< every box drawn, an outer box before those inside it
    std::string note;                  ///< why there is no diagram, or what it leaves out
    std::vector<std::string> folds;    ///< the transitions drawn once for many states, in words
    std::vector<std::string> groups;   ///< the groups drawn as boxes, in words
};

/// CHtmlPage writes the one self-contained HTML file of a table: the model
/// and its findings as JSON, the diagram's SVG, and the page's own style and
/// script, which the build embeds from page_template.html, page.css and the
/// page*.js files beside this file. The script does everything else in the
/// browser, taking the table's rules from the JSON: each cell's outcome, the
/// state and event look-up, the labels of states past the last, the cells
/// each arrow stands for.
class CHtmlPage {
public:
    /// model must be loaded; findings are those of CChecker::run on it.
    CHtmlPage(const CTableModel& model, const std::vector<FINDING_>& findings, PAGE_FACTS_ facts,
              PAGE_DIAGRAM_ diagram);

    void write(std::ostream& out) const;

    /// The model as the script reads it, escaped for a <script> element:
    /// no '<', '>' or '&' appears in it.
    std::string modelJson() const;

private:
    const CTableModel& m_model;
    const std::vector<FINDING_>& m_findings;
    PAGE_FACTS_ m_facts;
    PAGE_DIAGRAM_ m_diagram;
};

#endif
