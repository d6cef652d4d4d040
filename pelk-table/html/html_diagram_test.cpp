// The diagram of the page: every arrow, state node and box that the model
// names is in Graphviz's SVG under that id, and each arrow carries the cells
// it stands for.
#include "pelk-table/html/html_diagram.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include <gtest/gtest.h>

#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/views/svg_renderer.h"
#include "tests/support/loaded_model.h"

namespace {

// A model read from text, through a file as pelk-table reads it.
struct LOADED_ : CHECKED_MODEL_ {
    explicit LOADED_(const std::string& text)
        : CHECKED_MODEL_(text, "html_diagram") {}
};

// The ids of the SVG's <g> elements of class "node" or "edge".
std::set<std::string> svgIds(const std::string& svg, const std::string& kind) {
    std::set<std::string> ids;
    const std::regex group("<g id=\"([^\"]*)\" class=\"" + kind + "\"");
    for (std::sregex_iterator at(svg.begin(), svg.end(), group), end; at != end; ++at)
        ids.insert(std::regex_replace((*at)[1].str(), std::regex("&#45;"), "-"));
    return ids;
}

TEST(HtmlDiagram, ArrowsCarryTheirCellsUnderTheIdsOfTheSvg) {
    if (!CSvgRenderer::available())
        GTEST_SKIP() << "built without Graphviz";
    // GO goes to A from every state: drawn once, from "any state". A's X
    // goes to 9, past the last state; D's X goes to C.
    LOADED_ loaded("START\t\tGO\tX\nA\t0\t0\t9\nB\t1\t0\t-\nC\t2\t0\t-\nD\t3\t0\t2\n");
    const PAGE_DIAGRAM_ diagram = CHtmlDiagram::draw(loaded.model, loaded.findings);
    ASSERT_FALSE(diagram.svg.empty()) << diagram.note;
    EXPECT_EQ(diagram.nodeIds, (std::vector<std::string>{"node-0", "node-1", "node-2", "node-3"}));

    const struct {
        const char *id, *tail, *head;
        std::vector<std::pair<int, int>> cells;
    } rows[] = {
        {"edge-start", "node-start", "node-0", {}},
        {"edge-0", "node-any", "node-0", {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {"edge-1", "node-0", "node-9", {{0, 1}}},
        {"edge-2", "node-3", "node-2", {{3, 1}}},
    };
    ASSERT_EQ(diagram.edges.size(), std::size(rows));
    const std::set<std::string> edges = svgIds(diagram.svg, "edge");
    const std::set<std::string> nodes = svgIds(diagram.svg, "node");
    for (size_t i = 0; i < std::size(rows); ++i) {
        const PAGE_EDGE_& edge = diagram.edges[i];
        EXPECT_EQ(edge.id, rows[i].id);
        EXPECT_EQ(edge.tail, rows[i].tail) << edge.id;
        EXPECT_EQ(edge.head, rows[i].head) << edge.id;
        EXPECT_EQ(edge.cells, rows[i].cells) << edge.id;
        EXPECT_EQ(edges.count(edge.id), 1u) << edge.id << " is not in the SVG";
        EXPECT_EQ(nodes.count(edge.tail), 1u) << edge.tail << " is not in the SVG";
        EXPECT_EQ(nodes.count(edge.head), 1u) << edge.head << " is not in the SVG";
    }
    EXPECT_EQ(edges.size(), std::size(rows)) << "an arrow of the SVG that the model does not name";
}

TEST(HtmlDiagram, AGroupsArrowsLeaveItsBoxAndStandForEveryStateOfIt) {
    if (!CSvgRenderer::available())
        GTEST_SKIP() << "built without Graphviz";
    // B, C and D time out to A and restart at B on GO; E and F idle.
    LOADED_ loaded(
        "START\t\tGO\tTMO\nA\t0\t1\t-\nB\t1\t1/Restart\t0/Log\nC\t2\t1/Restart\t0/Log\n"
        "D\t3\t1/Restart\t0/Log\nE\t4\t-\t-\nF\t5\t-\t-\n");
    const PAGE_DIAGRAM_ diagram = CHtmlDiagram::draw(loaded.model, loaded.findings);
    ASSERT_FALSE(diagram.svg.empty()) << diagram.note;
    ASSERT_EQ(diagram.boxes.size(), 1u);
    EXPECT_EQ(diagram.boxes[0].id, "box-0");
    EXPECT_EQ(diagram.boxes[0].node, "node-box-0");
    EXPECT_EQ(diagram.boxes[0].states, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(diagram.groups.size(), 1u);
    EXPECT_EQ(diagram.groups[0], "B \u2026 D: B (1), C (2) and D (3) share GO / Restart to B (1); TMO / Log to A (0).");
    EXPECT_EQ(svgIds(diagram.svg, "cluster"), (std::set<std::string>{"box-0"}));
    const std::set<std::string> nodes = svgIds(diagram.svg, "node");
    bool restart = false, timeout = false;
    for (const PAGE_EDGE_& edge : diagram.edges) {
        if (edge.cells == std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {3, 0}}) {
            // Into a state of the box: from its node "any state in B ... D".
            EXPECT_EQ(edge.tail, "node-box-0");
            EXPECT_EQ(edge.head, "node-1");
            EXPECT_EQ(nodes.count("node-box-0"), 1u);
            restart = true;
        }
        if (edge.cells == std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}}) {
            EXPECT_EQ(edge.tail, "box-0");
            EXPECT_EQ(edge.head, "node-0");
            timeout = true;
        }
    }
    EXPECT_TRUE(restart && timeout);
}

}  // namespace
