#include "calc_fixture.h"

#include <gtest/gtest.h>

#include <optional>

using namespace calc;

struct FailureRow {
    const char *name;
    const char *intellect;
    std::int16_t spellCount;
    const char *s1, *s2, *s3;
    bool overflow; // else a type mismatch
    std::optional<NumberBox> box;
    std::optional<std::string> intellectWritten; // before the failure
};

class FailureTable : public CalcFixture, public ::testing::TestWithParam<FailureRow> {};

// A failing run makes the writes before its failure and no other: the
// displays keep the last result, and the selections are the window's own.
TEST_P(FailureTable, StopsWhereItFailsWithTheWritesBeforeIt)
{
    const FailureRow &row = GetParam();
    select({{School::Faren, 2}, {School::Jala, 1}});
    texts.school = "Faren";
    state.spellCount = row.spellCount;
    setIntellect(row.intellect);
    setPercents(row.s1, row.s2, row.s3);

    const Outcome outcome = run();
    const Failure expected{row.overflow ? Failure::Kind::Overflow : Failure::Kind::TypeMismatch, row.box};
    EXPECT_EQ(outcome.failure, expected);
    EXPECT_EQ(outcome.result, std::nullopt);
    EXPECT_EQ(outcome.intellectText, row.intellectWritten);
}

constexpr auto txtInt = NumberBox::txtInt;
constexpr auto Spell1 = NumberBox::Spell1;
constexpr auto Spell2 = NumberBox::Spell2;
constexpr auto Spell3 = NumberBox::Spell3;
constexpr std::nullopt_t none = std::nullopt;

const FailureRow kFailureTableRows[] = {
    FailureRow{"IntellectEmpty", "", 3, "1", "1", "1", false, txtInt, none},
    FailureRow{"IntellectBlank", "  ", 3, "1", "1", "1", false, txtInt, none},
    FailureRow{"IntellectLetters", "abc", 3, "1", "1", "1", false, txtInt, none},
    FailureRow{"Intellect40000", "40000", 3, "1", "1", "1", true, txtInt, none},
    FailureRow{"IntellectJustBelowRange", "-32769", 3, "1", "1", "1", true, txtInt, none},
    FailureRow{"Spell1Letters", "20", 3, "x", "1", "1", false, Spell1, none},
    FailureRow{"Spell1EmptyOneSpell", "20", 1, "", "X", "X", false, Spell1, none},
    FailureRow{"Spell1OutOfRange", "20", 3, "-32769", "1", "1", true, Spell1, none},
    FailureRow{"ClampedIntellectStaysWritten", "-3", 3, "?", "1", "1", false, Spell1, "1"},
    FailureRow{"OneSpellTripleOverflows", "20", 1, "10923", "X", "X", true, none, none},
    FailureRow{"OneSpellNegativeTripleOverflows", "20", 1, "-10923", "X", "X", true, none, none},
    FailureRow{"TwoSpellsSecondIsX", "20", 2, "5", "X", "X", false, Spell2, none},
    FailureRow{"TwoSpellsSecondOutOfRange", "20", 2, "5", "40000", "X", true, Spell2, none},
    FailureRow{"TwoSpellsRoundedOverflows", "20", 2, "32767", "1", "X", true, none, none},
    FailureRow{"TwoSpellsRoundedUnderflows", "20", 2, "-32768", "-1", "X", true, none, none},
    FailureRow{"TwoSpellsHalfRoundsIntoOverflow", "20", 2, "0", "21845", "X", true, none, none}, // 32767.5
    FailureRow{"ThreeSpellsBothBadSecondReported", "20", 3, "5", "a", "b", false, Spell2, none},
    FailureRow{"ThreeSpellsThirdEmpty", "20", 3, "5", "1", "", false, Spell3, none},
    FailureRow{"ThreeSpellsThirdOutOfRange", "20", 3, "5", "1", "-40000", true, Spell3, none},
    FailureRow{"ThreeSpellsSumOverflows", "20", 3, "32767", "1", "0", true, none, none},
    FailureRow{"ThreeSpellsSecondAdditionOverflows", "20", 3, "32000", "700", "100", true, none, none},
    FailureRow{"ThreeSpellsSumUnderflows", "20", 3, "-32768", "-1", "0", true, none, none},
    FailureRow{"CreditTakenOffOverflows", "20", 3, "-32768", "0", "0", true, none, none},
    // This window needs 164: a credit of -32603 leaves the most a number holds.
    FailureRow{"CreditTakenOffOneBeyondTheMost", "20", 3, "-32604", "0", "0", true, none, none},
    FailureRow{"ClampedHighStaysWrittenBeforeLastStep", "51", 3, "-32768", "0", "0", true, none, "50"},
    FailureRow{"IntellectBelowRangeNothingWritten", "-40000", 3, "1", "1", "1", true, txtInt, none},
};
INSTANTIATE_TEST_SUITE_P(Recalculate, FailureTable, ::testing::ValuesIn(kFailureTableRows), RowName{});
