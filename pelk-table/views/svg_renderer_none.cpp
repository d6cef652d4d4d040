// CSvgRenderer without the Graphviz library: CMake chose this stand-in
// because pkg-config did not find libgvc.
#include "pelk-table/views/svg_renderer.h"

bool CSvgRenderer::available() {
    return false;
}

bool CSvgRenderer::render(const std::string&, std::string& svg, std::string& messages) {
    svg.clear();
    messages = "SVG is not built in: this pelk-table was built without the Graphviz library (libgvc)\n";
    return false;
}
