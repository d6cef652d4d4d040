#include "pelk-table/cli/dot_command.h"

#include "pelk-table/views/dot_view.h"
#include "pelk-table/views/svg_renderer.h"

void CDotCommand::addOptions(CLI::App& command) {
    command
        .add_option("--format", m_format,
                    std::string("dot (default) or svg, rendered by the Graphviz library") +
                        (CSvgRenderer::available() ? "" : " (not built in)"))
        ->check(CLI::IsMember({"dot", "svg"}))
        ->type_name("FORMAT");
}

bool CDotCommand::ready(std::string& message) const {
    if (m_format != "svg" || CSvgRenderer::available())
        return true;
    message =
        "--format=svg is not built in: this pelk-table was built without the Graphviz library (libgvc).\n"
        "Write DOT and render it with Graphviz's dot program: pelk-table dot TABLE | dot -Tsvg";
    return false;
}

bool CDotCommand::render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                         std::string& message) const {
    view = CDotView::write(model, findings);
    if (m_format != "svg")
        return true;
    const std::string dot = view;
    return CSvgRenderer::render(dot, view, message);
}
