#ifndef PELK_TABLE_CLI_DRAW_OPTIONS_H
#define PELK_TABLE_CLI_DRAW_OPTIONS_H

#include <string>

#include <CLI/CLI.hpp>

#include "pelk-table/views/machine_graph.h"

class CTableModel;

/// CDrawOptions holds what the drawing views (dot, mermaid, markdown) take
/// beside the table: --no-fold, --no-group, and --state NAME with --depth N for the
/// neighbourhood of one state.
class CDrawOptions {
public:
    /// Adds --no-fold, --no-group, --state and --depth to command; view names the
    /// subcommand in the hint of a drawing cut down to size.
    void add(CLI::App& command, const char* view);

    /// The options for model; false, with message set, when --state names
    /// no state of it (a usage fault).
    bool resolve(const CTableModel& model, VIEW_OPTIONS_& options, std::string& message) const;

private:
    std::string m_view;
    bool m_noFold = false;
    bool m_noGroup = false;
    std::string m_state;
    int m_depth = 1;
};

#endif
