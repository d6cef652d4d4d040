#ifndef PELK_TABLE_CLI_MERMAID_COMMAND_H
#define PELK_TABLE_CLI_MERMAID_COMMAND_H

#include "pelk-table/cli/draw_options.h"
#include "pelk-table/cli/view_command.h"

/// CMermaidCommand is `pelk-table mermaid`: the table drawn as a Mermaid
/// stateDiagram-v2.
class CMermaidCommand : public CViewCommand {
public:
    CMermaidCommand()
        : CViewCommand("mermaid", "draw the state machine of a table as a Mermaid state diagram") {}

private:
    void addOptions(CLI::App& command) override;
    int render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
               std::string& message) const override;

    CDrawOptions m_draw;
};

#endif
