#ifndef PELK_TABLE_HTML_HTML_PAGE_H
#define PELK_TABLE_HTML_HTML_PAGE_H

#include <map>
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

/// The diagram of a page: Graphviz's SVG and the DOT id of each state's
/// node, or, where there is none, the reason.
struct PAGE_DIAGRAM_ {
    std::string svg;                   ///< empty for no diagram
    std::vector<std::string> nodeIds;  ///< per state; an edge's SVG title is "tail->head"
    std::string note;                  ///< why there is no diagram, or what it leaves out
    std::vector<std::string> folds;    ///< the transitions drawn once for many states, in words
    /// The cells (state, event) that an edge stands for, by the edge's SVG
    /// title; where an edge is not here, the page takes every cell of its
    /// tail state that leads to its head.
    std::map<std::string, std::vector<std::pair<int, int>>> edgeCells;
};

/// CHtmlPage writes the one self-contained HTML file of a table: the model
/// and its findings as JSON, the diagram's SVG, and the page's own style and
/// script, which the build embeds from page_template.html, page.css and
/// page.js beside this file. The script does everything else in the browser.
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
