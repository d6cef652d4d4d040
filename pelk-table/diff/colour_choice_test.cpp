#include "pelk-table/diff/colour_choice.h"

#include <gtest/gtest.h>

namespace {

struct COLOUR_CASE_ {
    const char* option;
    const char* noColor;  // null: unset
    bool terminal;
    bool colour;
};

TEST(ColourChoiceTest, FollowsTheOptionThenNoColorThenTheTerminal) {
    const COLOUR_CASE_ cases[] = {
        {"auto", nullptr, true, true},    {"auto", nullptr, false, false}, {"auto", "1", true, false},
        {"auto", "", true, true},         {"always", "1", false, true},    {"never", nullptr, true, false},
        {"always", nullptr, false, true},
    };
    for (const COLOUR_CASE_& c : cases) {
        CColourChoice::Mode mode;
        ASSERT_TRUE(CColourChoice::parse(c.option, mode)) << c.option;
        EXPECT_EQ(c.colour, CColourChoice::decide(mode, c.noColor, c.terminal))
            << c.option << " NO_COLOR=" << (c.noColor ? c.noColor : "(unset)") << " terminal=" << c.terminal;
    }
    CColourChoice::Mode mode = CColourChoice::kNever;
    EXPECT_FALSE(CColourChoice::parse("yes", mode));
    EXPECT_FALSE(CColourChoice::parse("", mode));
    EXPECT_EQ(CColourChoice::kNever, mode);
}

}  // namespace
