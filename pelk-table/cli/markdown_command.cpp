#include "pelk-table/cli/markdown_command.h"

#include "pelk-table/views/markdown_view.h"

bool CMarkdownCommand::render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                              std::string& message) const {
    (void)message;
    view = CMarkdownView::write(model, findings);
    return true;
}
