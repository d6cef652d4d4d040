#include "pelk-table/html/html_page.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"
#include "tests/support/loaded_model.h"

namespace {

// A model read from text, through a file as pelk-table reads it.
struct LOADED_ : CHECKED_MODEL_ {
    explicit LOADED_(const std::string& text)
        : CHECKED_MODEL_(text, "html_page") {}
};

TEST(HtmlPage, ModelIsJsonThatNoNameCanBreakOutOf) {
    const struct {
        const char* table;
        std::string state0;
    } cases[] = {
        {"START\t\t</script>\n<b>&amp;\t0\t0/<!--\n", "<b>&amp;"},
        // A name that is no UTF-8 must not stop the page.
        {"START\t\tGO\nOFF\xff\t0\t-\n", "OFF\xef\xbf\xbd"},
    };
    for (const auto& c : cases) {
        LOADED_ loaded(c.table);
        const std::string json = CHtmlPage(loaded.model, loaded.findings, {}, {}).modelJson();
        EXPECT_EQ(json.find_first_of("<>&"), std::string::npos) << json;
        const auto model = nlohmann::json::parse(json);
        EXPECT_EQ(model["states"][0], c.state0);
    }
}

TEST(HtmlPage, CellsAreTakenAsRunTakesThemAndFindingsPointAtTheirCells) {
    // IDLE: GO goes to BUSY calling run and not "-"; STOP has no transition.
    // BUSY: GO stays without actions; STOP goes to 5, past the last state.
    LOADED_ loaded("START\t\tGO\tSTOP\nIDLE\t0\t1/run,-\t*/log\nBUSY\t1\t-\t5\n");
    const auto model = nlohmann::json::parse(CHtmlPage(loaded.model, loaded.findings, {}, {}).modelJson());
    EXPECT_EQ(model["actions"], nlohmann::json({"run", "log"}));
    EXPECT_EQ(model["cells"], nlohmann::json::parse("[[1,0],[-1,1],[-1],[5]]"));
    bool pastLast = false;
    for (const auto& finding : model["findings"]) {
        if (finding["check"] == "next-state-range") {
            pastLast = true;
            EXPECT_EQ(finding["state"], 1);
            EXPECT_EQ(finding["event"], 1);
        }
    }
    EXPECT_TRUE(pastLast) << model["findings"];
    // The stop comes with run's own sentence, under the cell's index.
    ASSERT_EQ(model["stops"].size(), 1u) << model["stops"];
    EXPECT_EQ(model["stops"]["3"],
              "BUSY on STOP goes to state 5, past the last state (1): the generated machine stores 5 and its next "
              "event calls through an entry past the end of its vector table");
    EXPECT_EQ(model["missing"], nlohmann::json::array());
}

TEST(HtmlPage, CellsThatTheirRecordsLackAreListed) {
    const struct {
        const char* table;
        const char* missing;
    } cases[] = {
        // BUSY's record ends after GO: its STOP cell is missing, not "no transition".
        {"START\t\tGO\tSTOP\nIDLE\t0\t1\t-\nBUSY\t1\t0\n", "[3]"},
        // A key column further right; a record with no cell at all.
        {"x\tSTART\t\tGO\tSTOP\n\tIDLE\t0\t-\t-\n\tBUSY\t1\n", "[2,3]"},
        {"START\t\tGO\tSTOP\nIDLE\t0\t-\t-\n", "[]"},
    };
    for (const auto& c : cases) {
        LOADED_ loaded(c.table);
        const auto model = nlohmann::json::parse(CHtmlPage(loaded.model, loaded.findings, {}, {}).modelJson());
        EXPECT_EQ(model["missing"], nlohmann::json::parse(c.missing)) << c.table;
    }
}

TEST(HtmlPage, EdgesGoIntoTheModelWithTheirCells) {
    LOADED_ loaded("START\t\tGO\nIDLE\t0\t0\n");
    PAGE_DIAGRAM_ diagram;
    EXPECT_EQ(
        nlohmann::json::parse(CHtmlPage(loaded.model, loaded.findings, {}, diagram).modelJson())["diagram"]["edges"],
        nlohmann::json::array());
    diagram.nodeIds = {"node-0"};
    diagram.edges = {{"edge-start", "node-start", "node-0", {}}, {"edge-0", "node-0", "node-0", {{0, 0}}}};
    diagram.folds = {"GO goes to IDLE from every state."};
    diagram.boxes = {{"box-0", "node-box-0", {0, 2, 3}}, {"box-1", "", {2, 3, 4}}};
    diagram.groups = {"A: ...", "B: ..."};
    const auto model = nlohmann::json::parse(CHtmlPage(loaded.model, loaded.findings, {}, diagram).modelJson());
    EXPECT_EQ(model["diagram"]["nodes"], nlohmann::json({"node-0"}));
    EXPECT_EQ(model["diagram"]["edges"], nlohmann::json::parse(R"([
        {"id": "edge-start", "tail": "node-start", "head": "node-0", "cells": []},
        {"id": "edge-0", "tail": "node-0", "head": "node-0", "cells": [[0, 0]]}])"));
    EXPECT_EQ(model["diagram"]["folds"], nlohmann::json({"GO goes to IDLE from every state."}));
    EXPECT_EQ(model["diagram"]["boxes"], nlohmann::json::parse(R"([
        {"id": "box-0", "node": "node-box-0", "states": [0, 2, 3]},
        {"id": "box-1", "node": "", "states": [2, 3, 4]}])"));
    EXPECT_EQ(model["diagram"]["groups"], nlohmann::json({"A: ...", "B: ..."}));
}

TEST(HtmlPage, LookupsAndLabelsAreTheTableRules) {
    // State "1" is BUSY's name and IDLE's number: the name wins. The second
    // IDLE is found by its number only; a name that is no UTF-8 by its
    // number only. BUSY's GO goes to 7 and 9, past the last state.
    LOADED_ loaded("START\t\tGO\tgo\nIDLE\t0\t-\t-\n1\t1\t7\t9\nIDLE\t2\t-\t-\nX\xff\t3\t-\t-\n");
    const auto model = nlohmann::json::parse(CHtmlPage(loaded.model, loaded.findings, {}, {}).modelJson());
    EXPECT_EQ(model["stateLookup"], nlohmann::json::parse(R"({"IDLE": 0, "0": 0, "1": 1, "2": 2, "3": 3})"));
    EXPECT_EQ(model["eventLookup"], nlohmann::json::parse(R"({"GO": 0, "0": 0, "go": 1, "1": 1})"));
    EXPECT_EQ(model["pastLabels"], nlohmann::json::parse(R"({"7": "#7", "9": "#9"})"));
}

TEST(HtmlPage, PageInlinesTheSvgWithoutItsXmlProlog) {
    LOADED_ loaded("START\t\tGO\nIDLE\t0\t0\n");
    PAGE_DIAGRAM_ diagram;
    diagram.svg = "<?xml version=\"1.0\"?>\n<!DOCTYPE svg>\n<svg id=\"drawn\"></svg>\n";
    std::ostringstream page;
    CHtmlPage(loaded.model, loaded.findings, {}, diagram).write(page);
    const std::string text = page.str();
    EXPECT_NE(text.find("<div id=\"diagram\"><svg id=\"drawn\">"), std::string::npos);
    EXPECT_EQ(text.find("<?xml"), std::string::npos);
    EXPECT_EQ(text.find("{{"), std::string::npos) << "a slot of the template is left";
}

}  // namespace
