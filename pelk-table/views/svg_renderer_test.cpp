// CSvgRenderer lays out in-process what CDotView writes, without a word from
// Graphviz and without a crash: every golden DOT file of the views, and the
// drawings of generated tables with groups planted in them, whose clusters
// the library of Debian 12 (Graphviz 2.43) frees twice unless they are
// ranked with the rest of the graph (newrank).
#include "pelk-table/views/svg_renderer.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "pelk-table/views/dot_view.h"
#include "tests/support/loaded_model.h"
#include "tests/support/paths.h"
#include "tests/support/planted_table.h"

namespace {

TEST(SvgRenderer, LaysOutEveryDrawingInProcess) {
    if (!CSvgRenderer::available())
        GTEST_SKIP() << "built without the Graphviz library";
    int files = 0;
    const std::filesystem::path golden = goldenDirectory().parent_path() / "golden-views";
    for (const auto& entry : std::filesystem::directory_iterator(golden)) {
        const std::filesystem::path file = entry.path() / "expected" / "view.dot";
        if (!std::filesystem::exists(file))
            continue;
        std::ifstream in(file, std::ios::binary);
        const std::string dot{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::string svg, messages;
        EXPECT_TRUE(CSvgRenderer::render(dot, svg, messages)) << file;
        EXPECT_EQ(messages, "") << file;
        ++files;
    }
    EXPECT_GE(files, 20);
    int clustered = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const LOADED_MODEL_ loaded(plantedTable(seed), "svg");
        const std::string dot = CDotView::write(loaded.model, {});
        clustered += dot.find("subgraph cluster") == std::string::npos ? 0 : 1;
        std::string svg, messages;
        EXPECT_TRUE(CSvgRenderer::render(dot, svg, messages)) << "seed " << seed;
        EXPECT_EQ(messages, "") << "seed " << seed;
    }
    EXPECT_GE(clustered, 40);
}

}  // namespace
