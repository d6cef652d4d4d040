#include "pelk-table/cli/markdown_command.h"

#include "pelk-table/cli/exit_status.h"
#include "pelk-table/views/markdown_view.h"

int CMarkdownCommand::render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                             std::string& message) const {
    VIEW_OPTIONS_ options;
    if (!m_draw.resolve(model, options, message))
        return kExitUsage;
    view = CMarkdownView::write(model, findings, options);
    return kExitClean;
}

void CMarkdownCommand::addOptions(CLI::App& command) {
    m_draw.add(command, "markdown");
}
