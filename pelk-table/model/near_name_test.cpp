#include "pelk-table/model/near_name.h"

#include <gtest/gtest.h>

namespace {

TEST(NearName, FindsTheNameMeant) {
    const std::vector<std::string> names = {"check", "run", "dot", "mermaid", "markdown", "html", "ON ", "PUSH"};
    const struct {
        std::string text;
        std::string near;
    } cases[] = {
        {"chek", "check"},        // a letter missing
        {"Check", "check"},       // case
        {"PUHS", "PUSH"},         // two letters swapped
        {"push", "PUSH"},         // case beats distance
        {"ON", "ON "},            // a blank at the end
        {"  PUSH", "PUSH"},       // blanks in front
        {"markdwn", "markdown"},  // one of two near names, the nearer
        {"check", ""},            // the name itself needs no suggestion
        {"lint", ""},             // nothing near
        {"x", ""},                // one letter from nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(CNearName::find(c.text, names), c.near) << c.text;
    EXPECT_EQ(CNearName::suggestion("ON", names), "; did you mean 'ON ' (with its blanks)?");
    EXPECT_EQ(CNearName::suggestion("lint", names), "");
}

}  // namespace
