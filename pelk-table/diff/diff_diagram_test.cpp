#include "pelk-table/diff/diff_diagram.h"
#include "pelk-table/views/mermaid_view.h"

#include <gtest/gtest.h>

#include "pelk-table/diff/table_diff.h"
#include "table/st_table.h"

namespace {

// A ring of states: state s goes to s + 1 on event 0 and calls `action`.
void fillRing(CSTTable& table, int states, const std::string& prefix, const std::string& action) {
    table.appendEvent("GO");
    for (int s = 0; s < states; ++s)
        table.appendState({prefix + std::to_string(s), {{0, (s + 1) % states, {action}}}});
}

TEST(DiffDiagramTest, ADiagramPastWhatCodeHostsDrawIsANote) {
    const struct {
        int states;
        size_t nameLength;
        const char* noteHas;  // null: a diagram
    } cases[] = {
        {4, 4, nullptr},
        {120, 4, nullptr},
        {120, 400, "characters"},  // 240 transitions, but long names
        {600, 4, "600 transitions"},
    };
    for (const auto& c : cases) {
        CSTTable before("M", nullptr), after("M", nullptr);
        const std::string prefix(c.nameLength, 'S');
        fillRing(before, c.states, prefix, "Old");
        fillRing(after, c.states, prefix, "New");
        TABLE_DIFF_ cells;
        cells.oldToNewState.resize(static_cast<size_t>(c.states));
        cells.newToOldState.resize(static_cast<size_t>(c.states));
        for (int s = 0; s < c.states; ++s) {
            cells.oldToNewState[static_cast<size_t>(s)] = cells.newToOldState[static_cast<size_t>(s)] = s;
            CELL_CHANGE_ change{CELL_CHANGE_::kChanged,
                                before.stateName(s),
                                "GO",
                                s,
                                0,
                                s,
                                0,
                                "",
                                "",
                                CTableDiff::meaning(before, s, 0),
                                CTableDiff::meaning(after, s, 0)};
            cells.cells.push_back(change);
        }
        std::string note;
        const std::string text = CDiffDiagram::write(cells, before, after, note);
        if (!c.noteHas) {
            EXPECT_EQ(0u, text.find("stateDiagram-v2\n")) << c.states;
            EXPECT_LE(text.size(), CMermaidView::kMaxText);
            EXPECT_NE(std::string::npos, text.find("--> s1 : + GO / New (was GO / Old)")) << text;
            EXPECT_EQ("", note);
        } else {
            EXPECT_EQ("", text);
            EXPECT_NE(std::string::npos, note.find(c.noteHas)) << note;
        }
    }
}

}  // namespace
