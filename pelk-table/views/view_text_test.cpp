// The escapes of the views, one row per reason: the characters that each
// form reads as syntax, and names that no table can carry (a double quote)
// but a file name or a later caller can.
#include <gtest/gtest.h>

#include <string>

#include "pelk-table/views/dot_view.h"
#include "pelk-table/views/markdown_view.h"
#include "pelk-table/views/mermaid_view.h"
#include "pelk-table/views/view_text.h"

namespace {

struct Row {
    std::string (*escape)(const std::string&);
    std::string in;
    std::string out;
};

class ViewEscapeTest : public ::testing::TestWithParam<Row> {};

TEST_P(ViewEscapeTest, Escapes) {
    EXPECT_EQ(GetParam().escape(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ViewEscapeTest,
    ::testing::Values(
        // Names as they are shown: UTF-8 passes, what is not becomes U+FFFD,
        // control characters become blanks.
        Row{CViewText::clean, "Z\xC3\xBCrich", "Z\xC3\xBCrich"},
        Row{CViewText::clean,
            "a\xFF"
            "b\xC3",
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD"},
        Row{CViewText::clean, "\xC0\xAF\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        Row{CViewText::clean, "a\tb\nc\x7F", "a b c "}, Row{CViewText::fileName, "../tables/lamp.tsv", "lamp.tsv"},
        Row{CViewText::fileName, "C:\\tables\\lamp.tsv", "lamp.tsv"},
        // DOT IDs: bare where DOT takes them so, else quoted.
        Row{CDotView::id, "OFF", "OFF"}, Row{CDotView::id, "_x9", "_x9"},
        Row{CDotView::id, "Z\xC3\xBCrich", "Z\xC3\xBCrich"}, Row{CDotView::id, "9lives", "\"9lives\""},
        Row{CDotView::id, "Node", "\"Node\""}, Row{CDotView::id, "lamp off", "\"lamp off\""},
        Row{CDotView::id, "", "\"\""}, Row{CDotView::id, "say \"hi\" \\o/", "\"say \\\"hi\\\" \\\\o/\""},
        Row{CDotView::quoted, "<go>|x", "\"<go>|x\""},
        // Graphviz decodes entities in labels and tooltips, and reads a
        // tooltip through one more level of backslashes.
        Row{CDotView::escaped, "&amp; a\\Nb", "&amp;amp; a\\\\Nb"},
        Row{CDotView::tooltipEscaped, "&lt;\"x\\G\"", "&amp;lt;\\\"x\\\\\\\\G\\\""},
        Row{CDotView::recordEscaped, "&copy;|", "&amp;copy;\\|"}, Row{CDotView::id, "a&b", "\"a&b\""},
        Row{CDotView::recordEscaped, "{<a|b>} \"\\", "\\{\\<a\\|b\\>\\} \\\"\\\\"},
        // Mermaid: entity codes for what it reads as syntax or HTML.
        Row{CMermaidView::escaped, "a \"b\" <c> & d", "a #quot;b#quot; #lt;c#gt; #amp; d"},
        Row{CMermaidView::escaped, "#1; 50% `x`", "#35;1#59; 50#37; #96;x#96;"},
        Row{CMermaidView::escaped, "A|B : {x}", "A|B : {x}"},
        // Markdown: backslashes for its syntax, entities for HTML.
        Row{CMarkdownView::escaped, "A|B *x* _y_ `z`", "A\\|B \\*x\\* \\_y\\_ \\`z\\`"},
        Row{CMarkdownView::escaped, "<b> & [l](u) ~~s~~ \\", "&lt;b&gt; &amp; \\[l\\](u) \\~\\~s\\~\\~ \\\\"},
        Row{CMarkdownView::escaped, "say \"hi\"", "say \"hi\""}));

}  // namespace
