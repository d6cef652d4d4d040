#ifndef PELK_TABLE_CLI_MARKDOWN_COMMAND_H
#define PELK_TABLE_CLI_MARKDOWN_COMMAND_H

#include "pelk-table/cli/draw_options.h"
#include "pelk-table/cli/view_command.h"

/// CMarkdownCommand is `pelk-table markdown`: a review document of the
/// table, to commit beside it.
class CMarkdownCommand : public CViewCommand {
public:
    CMarkdownCommand()
        : CViewCommand("markdown", "document a table in Markdown: matrix, states, events, actions, diagram, findings") {
    }

private:
    void addOptions(CLI::App& command) override;
    int render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
               std::string& message) const override;

    CDrawOptions m_draw;
};

#endif
