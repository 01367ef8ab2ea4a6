#include "calc_fixture.h"

#include <gtest/gtest.h>

using namespace calc;

struct CreditRow {
    const char *name;
    std::int16_t spellCount;
    const char *s1, *s2, *s3;
    std::int16_t credit;
};

class CreditTable : public CalcFixture, public ::testing::TestWithParam<CreditRow> {};

TEST_P(CreditTable, CreditAndImprovesLeft)
{
    const CreditRow &row = GetParam();
    setPercents(row.s1, row.s2, row.s3);
    state.spellCount = row.spellCount;
    const Result r = result();
    EXPECT_EQ(r.working().back().figure, -row.credit);
    EXPECT_EQ(r.improvesLeft, 199 - row.credit);
    EXPECT_EQ(r.number, std::to_string(199 - row.credit));
}

const CreditRow kCreditTableRows[] = {
    CreditRow{"StartUp", 3, "1", "1", "1", 3},
    CreditRow{"ThreeSpells", 3, "30", "40", "50", 120},
    CreditRow{"ThreeSpellsNegative", 3, "-10", "5", "-20", -25},
    CreditRow{"ThreeSpellsAboveHundred", 3, "150", "150", "150", 450},
    CreditRow{"OneSpellCountsThrice_BoxesXNotRead", 1, "100", "X", "X", 300},
    CreditRow{"OneSpellLargest", 1, "10922", "X", "X", 32766},
    CreditRow{"OneSpellNegative", 1, "-10000", "X", "X", -30000},
    CreditRow{"TwoSpellsOnlySecondWeighted", 2, "100", "100", "X", 250},
    CreditRow{"TwoSpells_0_1", 2, "0", "1", "X", 2},
    CreditRow{"TwoSpells_1_1", 2, "1", "1", "X", 2},
    CreditRow{"TwoSpells_0_3", 2, "0", "3", "X", 4},
    CreditRow{"TwoSpells_0_5", 2, "0", "5", "X", 8},
    CreditRow{"TwoSpells_40_33", 2, "40", "33", "X", 90},
    CreditRow{"TwoSpells_41_33", 2, "41", "33", "X", 90},
    CreditRow{"TwoSpells_Minus1_Minus1", 2, "-1", "-1", "X", -2},
    CreditRow{"TwoSpellsLargeHalfToEven", 2, "32765", "1", "X", 32766},
    CreditRow{"TwoSpells_1_Minus3_HalfToEvenIsMinusFour", 2, "1", "-3", "X", -4},
    CreditRow{"ThreeSpellsLeaveTheMostTheNumberHolds", 3, "-32568", "0", "0", -32568},
    CreditRow{"BeforeLoadNoCount_OnlySpell1Read", 0, "7", "X", "X", 0},
};
INSTANTIATE_TEST_SUITE_P(SpellCredit, CreditTable, ::testing::ValuesIn(kCreditTableRows), RowName{});
