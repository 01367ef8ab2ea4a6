#include "calc_fixture.h"

#include "failure.h"

#include <gtest/gtest.h>

#include <optional>

using namespace calc;

// How far a failing recalculation got before it stopped.
enum class Reached {
    Nothing,          // failed reading the Intellect: no field changes
    SpellCredit,      // failed inside the credit: adjustment not run
    FinalSubtraction, // failed taking the credit off: displays keep the last result
};

struct FailureRow {
    const char *name;
    const char *intellect;
    std::int16_t spellCount;
    const char *s1, *s2, *s3;
    bool overflow; // else a type mismatch
    std::optional<NumberBox> box;
    Reached reached;
    std::int16_t intellectAfter; // when the Intellect was read
    const char *intellectBoxAfter;
    std::optional<std::int16_t> spell1After; // empty: keeps the last run's
};

class FailureTable : public CalcFixture, public ::testing::TestWithParam<FailureRow> {};

TEST_P(FailureTable, StopsWhereItFailsAndKeepsWhatWasWritten)
{
    const FailureRow &row = GetParam();

    // A first, successful run to compare against: Intellect 30, Jala at
    // "Level One", school Kraanan, so k = 1.
    setIntellect("30");
    view.school = "Kraanan";
    select({{School::Jala, 1}});
    load();
    const CalcState before = state();
    const FakeView shown = view;
    ASSERT_EQ(state().levelOneCount, 1);

    // The next event: a handler has written its fields, the boxes and the
    // school box hold new texts. Jala's flag is left standing above level 0
    // so that it shows whether the adjustment ran.
    select({{School::Faren, 2}});
    alter([&](CalcState &s) {
        s.jalaLevel = 2;
        s.spellCount = row.spellCount;
    });
    view.school = "Faren";
    setIntellect(row.intellect);
    setPercents(row.s1, row.s2, row.s3);

    try {
        calculator.Recalculate();
        FAIL() << "no failure raised";
    } catch (const Failure &failure) {
        EXPECT_EQ(dynamic_cast<const Overflow *>(&failure) != nullptr, row.overflow);
        EXPECT_EQ(dynamic_cast<const TypeMismatch *>(&failure) != nullptr, !row.overflow);
        EXPECT_EQ(failure.box, row.box);
    }

    EXPECT_EQ(view.total, shown.total);
    EXPECT_EQ(view.title, shown.title);
    EXPECT_EQ(view.verdict, shown.verdict);
    EXPECT_EQ(state().improvesLeft, before.improvesLeft);

    const CalcState &now = state();
    if (row.reached == Reached::Nothing) {
        CalcState expected = before;
        expected.farenLevel = 1;
        expected.jalaLevel = 2;
        expected.spellCount = row.spellCount;
        EXPECT_EQ(now, expected);
        EXPECT_EQ(view.box(NumberBox::txtInt), row.intellect);
        return;
    }

    EXPECT_EQ(now.intellect, row.intellectAfter);
    EXPECT_EQ(view.box(NumberBox::txtInt), row.intellectBoxAfter);
    EXPECT_EQ(now.farenUsed, 1);
    EXPECT_EQ(now.levelTotal, 3);
    EXPECT_EQ(now.levelImproves, 42);
    EXPECT_EQ(now.spell1Percent, row.spell1After.value_or(before.spell1Percent));

    if (row.reached == Reached::SpellCredit) {
        EXPECT_EQ(now.spellCredit, 0);
        EXPECT_EQ(now.schoolName, "Kraanan");
        EXPECT_EQ(now.levelOneCount, 1);
        EXPECT_EQ(now.jalaLevelOne, kTrue);
    } else {
        EXPECT_EQ(now.schoolName, "Faren");
        EXPECT_EQ(now.levelOneCount, 0);
        EXPECT_EQ(now.jalaLevelOne, kFalse);
    }
}

constexpr auto txtInt = NumberBox::txtInt;
constexpr auto Spell1 = NumberBox::Spell1;
constexpr auto Spell2 = NumberBox::Spell2;
constexpr auto Spell3 = NumberBox::Spell3;
constexpr std::nullopt_t none = std::nullopt;

const FailureRow kFailureTableRows[] = {
    FailureRow{"IntellectEmpty", "", 3, "1", "1", "1", false, txtInt, Reached::Nothing, 0, "", none},
    FailureRow{"IntellectBlank", "  ", 3, "1", "1", "1", false, txtInt, Reached::Nothing, 0, "", none},
    FailureRow{"IntellectLetters", "abc", 3, "1", "1", "1", false, txtInt, Reached::Nothing, 0, "", none},
    FailureRow{"Intellect40000", "40000", 3, "1", "1", "1", true, txtInt, Reached::Nothing, 0, "", none},
    FailureRow{"Spell1Letters", "20", 3, "x", "1", "1", false, Spell1, Reached::SpellCredit, 20, "20", none},
    FailureRow{"Spell1EmptyOneSpell", "20", 1, "", "X", "X", false, Spell1, Reached::SpellCredit, 20, "20", none},
    FailureRow{"Spell1OutOfRange", "20", 3, "-32769", "1", "1", true, Spell1, Reached::SpellCredit, 20, "20", none},
    FailureRow{"ClampedIntellectStaysWritten", "-3", 3, "?", "1", "1", false, Spell1, Reached::SpellCredit, 1, "1", none},
    FailureRow{"OneSpellTripleOverflows", "20", 1, "10923", "X", "X", true, none, Reached::SpellCredit, 20, "20", 10923},
    FailureRow{"OneSpellNegativeTripleOverflows", "20", 1, "-10923", "X", "X", true, none, Reached::SpellCredit, 20, "20", -10923},
    FailureRow{"TwoSpellsSecondIsX", "20", 2, "5", "X", "X", false, Spell2, Reached::SpellCredit, 20, "20", 5},
    FailureRow{"TwoSpellsSecondOutOfRange", "20", 2, "5", "40000", "X", true, Spell2, Reached::SpellCredit, 20, "20", 5},
    FailureRow{"TwoSpellsRoundedOverflows", "20", 2, "32767", "1", "X", true, none, Reached::SpellCredit, 20, "20", 32767},
    FailureRow{"TwoSpellsRoundedUnderflows", "20", 2, "-32768", "-1", "X", true, none, Reached::SpellCredit, 20, "20", -32768},
    FailureRow{"ThreeSpellsBothBadSecondReported", "20", 3, "5", "a", "b", false, Spell2, Reached::SpellCredit, 20, "20", 5},
    FailureRow{"ThreeSpellsThirdEmpty", "20", 3, "5", "1", "", false, Spell3, Reached::SpellCredit, 20, "20", 5},
    FailureRow{"ThreeSpellsThirdOutOfRange", "20", 3, "5", "1", "-40000", true, Spell3, Reached::SpellCredit, 20, "20", 5},
    FailureRow{"ThreeSpellsSumOverflows", "20", 3, "32767", "1", "0", true, none, Reached::SpellCredit, 20, "20", 32767},
    FailureRow{"ThreeSpellsSecondAdditionOverflows", "20", 3, "32000", "700", "100", true, none, Reached::SpellCredit, 20, "20", 32000},
    FailureRow{"CreditTakenOffOverflows", "20", 3, "-32768", "0", "0", true, none, Reached::FinalSubtraction, 20, "20", -32768},
};
INSTANTIATE_TEST_SUITE_P(Recalculate, FailureTable, ::testing::ValuesIn(kFailureTableRows), RowName{});
