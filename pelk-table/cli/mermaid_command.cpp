#include "pelk-table/cli/mermaid_command.h"

#include "pelk-table/views/mermaid_view.h"

bool CMermaidCommand::render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                             std::string& message) const {
    VIEW_OPTIONS_ options;
    if (!m_draw.resolve(model, options, message))
        return false;
    view = CMermaidView::write(model, findings, options);
    return true;
}

void CMermaidCommand::addOptions(CLI::App& command) {
    m_draw.add(command, "mermaid");
}
