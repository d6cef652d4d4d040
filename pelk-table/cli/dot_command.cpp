#include "pelk-table/cli/dot_command.h"

#include "pelk-table/cli/exit_status.h"
#include "pelk-table/views/dot_view.h"
#include "pelk-table/views/svg_renderer.h"

void CDotCommand::addOptions(CLI::App& command) {
    command
        .add_option("--format", m_format,
                    std::string("dot (default) or svg, rendered by the Graphviz library") +
                        (CSvgRenderer::available() ? "" : " (not built in)"))
        ->check(CLI::IsMember({"dot", "svg"}))
        ->type_name("FORMAT");
    m_draw.add(command, "dot");
}

bool CDotCommand::ready(std::string& message) const {
    if (m_format != "svg" || CSvgRenderer::available())
        return true;
    message =
        "--format=svg is not built in: this pelk-table was built without the Graphviz library (libgvc).\n"
        "Write DOT and render it with Graphviz's dot program: pelk-table dot TABLE | dot -Tsvg";
    return false;
}

int CDotCommand::render(const CTableModel& model, const std::vector<FINDING_>& findings, std::string& view,
                        std::string& message) const {
    VIEW_OPTIONS_ options;
    if (!m_draw.resolve(model, options, message))
        return kExitUsage;
    // The graph is cut down to CMachineGraph's limits before Graphviz lays
    // it out, which keeps the layout within a second or so.
    view = CDotView::write(model, findings, options);
    if (m_format != "svg")
        return kExitClean;
    const std::string dot = view;
    return CSvgRenderer::render(dot, view, message) ? kExitClean : kExitFindings;
}
