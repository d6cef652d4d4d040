#ifndef PELK_TABLE_VIEWS_SVG_RENDERER_H
#define PELK_TABLE_VIEWS_SVG_RENDERER_H

#include <string>

/// CSvgRenderer lays out DOT text with the Graphviz library (cgraph and
/// gvc) and renders it as SVG, in the process. pelk-table is built with it
/// when CMake finds Graphviz (pkg-config libgvc); otherwise a stand-in is
/// built whose render always fails with a message that says so.
class CSvgRenderer {
public:
    /// True when this build has the Graphviz library.
    static bool available();

    /// Renders dot as SVG into svg. False, with messages set, when the DOT
    /// text is not accepted or Graphviz is missing. On success messages
    /// holds Graphviz's warnings, if any. Not thread-safe: Graphviz keeps
    /// global state.
    static bool render(const std::string& dot, std::string& svg, std::string& messages);
};

#endif
