#ifndef PELK_TABLE_CLI_DOT_COMMAND_H
#define PELK_TABLE_CLI_DOT_COMMAND_H

#include <string>

#include "pelk-table/cli/draw_options.h"
#include "pelk-table/cli/view_command.h"

/// CDotCommand is `pelk-table dot`: the table drawn as Graphviz DOT, or
/// rendered to SVG by the Graphviz library when the build has it.
class CDotCommand : public CViewCommand {
public:
    CDotCommand()
        : CViewCommand("dot", "draw the state machine of a table as a Graphviz graph (DOT or SVG)") {}

private:
    void addOptions(CLI::App& command) override;
    bool ready(std::string& message) const override;
    int render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
               std::string& message) const override;

    std::string m_format = "dot";
    CDrawOptions m_draw;
};

#endif
