#include "pelk-table/workbook/volatile_formulas.h"

#include <gtest/gtest.h>

namespace {

TEST(VolatileFormulas, KnowsTheVolatileCalls) {
    EXPECT_TRUE(CVolatileFormulas::callsVolatile("TODAY()"));
    EXPECT_TRUE(CVolatileFormulas::callsVolatile("\"x\"&TEXT(now (),\"yyyy\")"));
    EXPECT_TRUE(CVolatileFormulas::callsVolatile("_xlfn.RANDARRAY(2)"));
    EXPECT_TRUE(CVolatileFormulas::callsVolatile("OFFSET(B2,0,0)+1"));
    EXPECT_FALSE(CVolatileFormulas::callsVolatile("ROW()-4"));
    EXPECT_FALSE(CVolatileFormulas::callsVolatile("TODAYS(1)+NOWHERE"));
}

// Which cells are uncertain: (formula cells by column of row 1) -> the
// uncertain ones, with and without a volatile call elsewhere in the book.
TEST(VolatileFormulas, FollowsTheReferences) {
    const char* const formulas[] = {
        "TODAY()",          // A1
        "A1+1",             // B1: through A1
        "B1*2",             // C1: through B1
        "1+1",              // D1
        "SUM(A1:A3)",       // E1: a range holding A1
        "Other!A1",         // F1: another sheet
        "IF(Stamp>0,1,2)",  // G1: a volatile name
        "ROW()-1+D1",       // H1
        "SUM(C:C)",         // I1: a whole column holding C1
        "Base+1",           // J1: a name
    };
    for (bool bookVolatile : {false, true}) {
        CVolatileFormulas found;
        found.setBookVolatile(bookVolatile);
        found.addName("Stamp", "NOW()");
        found.addName("Base", "Other!$A$1");
        for (int column = 0; column < 10; ++column)
            found.add(0, column, formulas[column]);
        std::string uncertain;
        for (const auto& cell : found.uncertain())
            uncertain += static_cast<char>('A' + cell.second);
        EXPECT_EQ(uncertain, bookVolatile ? "ABCEFGIJ" : "ABCEGI");
    }
}

// A chain upwards from a volatile cell: followed, or past the rounds the
// reader follows, taken as uncertain whole; never left certain.
TEST(VolatileFormulas, EndsOnALongChain) {
    for (int length : {10, 500}) {
        CVolatileFormulas found;
        found.add(length, 0, "NOW()");
        for (int row = 0; row < length; ++row)
            found.add(row, 0, "A" + std::to_string(row + 2) + "+1");
        found.add(0, 1, "1+1");
        EXPECT_EQ(found.uncertain().size(), static_cast<std::size_t>(length) + 1) << length;
    }
}

TEST(VolatileFormulas, MovesASharedFormula) {
    EXPECT_EQ(CVolatileFormulas::shifted("A1+$B$2+C$3+$D4+\"A1\"+SUM(E5:F6)", 2, 1),
              "B3+$B$2+D$3+$D6+\"A1\"+SUM(F7:G8)");
    EXPECT_EQ(CVolatileFormulas::shifted("ROW()-4", 3, 0), "ROW()-4");
    EXPECT_EQ(CVolatileFormulas::shifted("A1", -1, 0), "#REF!");
}

TEST(VolatileFormulas, ReadsOpenDocumentFormulas) {
    EXPECT_EQ(CVolatileFormulas::fromOpenFormula("of:=[.A1]+[$Other.$B$2]"), "A1+Other!$B$2");
    EXPECT_EQ(CVolatileFormulas::fromOpenFormula("of:=SUM([.A1:.B3])&\"[.C1]\""), "SUM(A1:B3)&\"[.C1]\"");
    EXPECT_EQ(CVolatileFormulas::fromOpenFormula("of:=ROW()-4"), "ROW()-4");
}

}  // namespace
