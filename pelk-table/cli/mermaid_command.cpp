#include "pelk-table/cli/mermaid_command.h"

#include "pelk-table/views/mermaid_view.h"

bool CMermaidCommand::render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                             std::string& message) const {
    (void)message;
    view = CMermaidView::write(model, findings);
    return true;
}
