#include "pelk-table/cli/mermaid_command.h"

#include "pelk-table/cli/exit_status.h"
#include "pelk-table/views/mermaid_view.h"

int CMermaidCommand::render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                            std::string& message) const {
    VIEW_OPTIONS_ options;
    if (!m_draw.resolve(model, options, message))
        return kExitUsage;
    view = CMermaidView::write(model, findings, options);
    return kExitClean;
}

void CMermaidCommand::addOptions(CLI::App& command) {
    m_draw.add(command, "mermaid");
}
