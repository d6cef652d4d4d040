// CSvgRenderer with the Graphviz library; chosen by CMake when pkg-config
// finds libgvc.
#include "pelk-table/views/svg_renderer.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

namespace {

// Graphviz reports its errors and warnings through one global function.
std::string* g_messages = nullptr;

int collect(char* message) {
    if (g_messages)
        *g_messages += message;
    return 0;
}

// One Graphviz context for the life of the process. Graphviz 2.43's text
// layout plug-in (pango) keeps the name of the last font it measured, a
// string that the context owns, and compares the next font with it: after
// gvFreeContext, a second drawing in the same process read freed memory.
GVC_t* context() {
    static GVC_t* const kContext = gvContext();
    return kContext;
}

}  // namespace

bool CSvgRenderer::available() {
    return true;
}

bool CSvgRenderer::render(const std::string& dot, std::string& svg, std::string& messages) {
    svg.clear();
    messages.clear();
    g_messages = &messages;
    const agusererrf previous = agseterrf(collect);
    GVC_t* const gvc = context();
    bool rendered = false;
    if (Agraph_t* graph = agmemread(dot.c_str())) {
        if (gvLayout(gvc, graph, "dot") == 0) {
            char* data = nullptr;
            unsigned int length = 0;
            if (gvRenderData(gvc, graph, "svg", &data, &length) == 0 && data) {
                svg.assign(data, length);
                rendered = true;
            }
            gvFreeRenderData(data);
            gvFreeLayout(gvc, graph);
        }
        agclose(graph);
    }
    agseterrf(previous);
    g_messages = nullptr;
    if (!rendered && messages.empty())
        messages = "Graphviz could not render the graph\n";
    return rendered;
}
