#include "table/ascii_text.h"

#include <gtest/gtest.h>

namespace {

// Only a to z change case: bytes of other alphabets and encodings (UTF-8,
// Latin-1) and the punctuation next to the letters stay as they are.
TEST(AsciiText, ChangesTheCaseOfAsciiLettersOnly) {
    EXPECT_EQ(CAsciiText::upperCase("my_Lamp2"), "MY_LAMP2");
    EXPECT_EQ(CAsciiText::upperCase("z\xc3\xa9t\xe4{a}`@"), "Z\xc3\xa9T\xe4{A}`@");
    EXPECT_EQ(CAsciiText::upperCase(""), "");

    EXPECT_TRUE(CAsciiText::equalsIgnoreCase("", ""));
    EXPECT_TRUE(CAsciiText::equalsIgnoreCase("fcc907s", "FCC907S"));
    EXPECT_FALSE(CAsciiText::equalsIgnoreCase("C", "CC"));
    EXPECT_FALSE(CAsciiText::equalsIgnoreCase("[", "{"));
    EXPECT_FALSE(CAsciiText::equalsIgnoreCase("\xe4", "\xc4"));
}

}  // namespace
