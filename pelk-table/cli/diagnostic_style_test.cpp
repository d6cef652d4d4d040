#include "pelk-table/cli/diagnostic_style.h"

#include <gtest/gtest.h>

namespace {

TEST(DiagnosticStyleTest, FollowsTheOptionThenNoColorAndTermThenTheTerminal) {
    const struct {
        const char* option;
        const char* noColor;  // null: unset
        const char* term;     // null: unset
        bool terminal;
        bool colour;
    } cases[] = {
        {"auto", nullptr, nullptr, true, true},    {"auto", nullptr, nullptr, false, false},
        {"auto", "1", nullptr, true, false},       {"auto", "", nullptr, true, true},
        {"auto", nullptr, "dumb", true, false},    {"auto", nullptr, "xterm", true, true},
        {"always", "1", "dumb", false, true},      {"never", nullptr, nullptr, true, false},
        {"always", nullptr, nullptr, false, true},
    };
    for (const auto& c : cases) {
        CDiagnosticStyle::Colour choice;
        ASSERT_TRUE(CDiagnosticStyle::parse(c.option, choice)) << c.option;
        EXPECT_EQ(c.colour, CDiagnosticStyle::decide(choice, c.noColor, c.term, c.terminal))
            << c.option << " NO_COLOR=" << (c.noColor ? c.noColor : "(unset)")
            << " TERM=" << (c.term ? c.term : "(unset)") << " terminal=" << c.terminal;
    }
    CDiagnosticStyle::Colour choice = CDiagnosticStyle::kNever;
    EXPECT_FALSE(CDiagnosticStyle::parse("yes", choice));
    EXPECT_FALSE(CDiagnosticStyle::parse("", choice));
    EXPECT_EQ(CDiagnosticStyle::kNever, choice);
}

TEST(DiagnosticStyleTest, TakesItsOptionsTheLastOfEachWinning) {
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> kept;
        bool caret;
        bool colour;  // on a stream that is no terminal
        const char* message;
    } cases[] = {
        {{"check", "-fdiagnostics-color", "t.tsv"}, {"check", "t.tsv"}, true, true, ""},
        {{"-fdiagnostics-color=always", "-fno-diagnostics-color"}, {}, true, false, ""},
        {{"-fno-diagnostics-show-caret", "x", "-fdiagnostics-show-caret"}, {"x"}, true, false, ""},
        {{"-fno-diagnostics-show-caret"}, {}, false, false, ""},
        {{"-fdiagnostics-color=sometimes"},
         {},
         true,
         false,
         "unknown colour choice 'sometimes' in -fdiagnostics-color=sometimes (auto, always or never)"},
        {{"-fdiagnostics-colour"}, {"-fdiagnostics-colour"}, true, false, ""},  // left to the parser
    };
    for (const auto& c : cases) {
        CDiagnosticStyle style;
        std::vector<std::string> args = c.args;
        std::string message;
        EXPECT_EQ(style.takeOptions(args, message), std::string(c.message).empty()) << c.args.front();
        EXPECT_EQ(message, c.message);
        if (!message.empty())
            continue;
        EXPECT_EQ(args, c.kept);
        EXPECT_EQ(style.textStyle().caret, c.caret) << c.args.front();
        // A file is no terminal: auto colours nothing there.
        EXPECT_EQ(style.colours(-1), c.colour) << c.args.front();
    }
}

}  // namespace
