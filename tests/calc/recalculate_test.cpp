#include "calc_fixture.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <vector>

using namespace calc;

namespace {

// What the working's steps for the levels add up to.
int levelImproves(const Result &r)
{
    const std::vector<WorkingStep> working = r.working();
    return std::accumulate(working.begin(), working.end(), 0, [](int sum, const WorkingStep &step) {
        return step.text.find("above Level One \u00d7") != std::string::npos ? sum + step.figure : sum;
    });
}

} // namespace

class Recalculate : public CalcFixture, public ::testing::Test {};

TEST_F(Recalculate, StartUpResult)
{
    const Outcome outcome = run();
    ASSERT_TRUE(outcome.result);
    EXPECT_EQ(outcome.result->number, "196");
    EXPECT_EQ(outcome.result->title, "196 " + std::string(calc::kQuestion));
    EXPECT_EQ(outcome.result->verdict, "Drastically Further");
    EXPECT_EQ(outcome.result->working().back().figure, -3); // the credit of 1 + 1 + 1
    EXPECT_EQ(outcome.intellectText, std::nullopt);
    EXPECT_EQ(outcome.failure, std::nullopt);
}

TEST_F(Recalculate, SevenSchoolsAtLevelSix)
{
    for (const SchoolInfo &info : kSchools)
        select({{info.school, 6}});
    setPercents("0", "0", "0");
    const Result r = result();
    EXPECT_EQ(levelImproves(r), 490); // 35 levels
    EXPECT_EQ(r.improvesLeft, 689);   // improves needed, with no credit
    EXPECT_EQ(r.working()[2], (WorkingStep{"Faren Level Six: 5 levels above Level One \u00d7 14 = 70", 70}));
}

TEST_F(Recalculate, SameInputsSameOutcome)
{
    select({{School::Faren, 3}, {School::Qor, 1}});
    texts.school = "Kraanan";
    setIntellect("60");
    EXPECT_EQ(run(), run());
}

// ---- Intellect: clamping and brackets ----

struct IntellectRow {
    const char *name;
    const char *text;
    std::int16_t intellect;
    const char *boxAfter;
    std::int16_t bracket;
    std::int16_t improvesNeeded; // all schools at "None"
};

class IntellectTable : public CalcFixture, public ::testing::TestWithParam<IntellectRow> {};

TEST_P(IntellectTable, ClampsAndFindsBracket)
{
    const IntellectRow &row = GetParam();
    setIntellect(row.text);
    setPercents("0", "0", "0");
    const Outcome outcome = run();
    ASSERT_TRUE(outcome.result);
    const std::string written = outcome.intellectText.value_or(row.text);
    EXPECT_EQ(written, row.boxAfter);
    const int base = 199 - 14 * (row.bracket / 5);
    const std::string range = row.bracket == 50 ? "50"
                                                : std::to_string(row.bracket == 0 ? 1 : row.bracket) + " to " +
                                                      std::to_string(row.bracket + 4);
    EXPECT_EQ(outcome.result->working()[1].text, "Intellect " + std::to_string(row.intellect) + ": base " +
                                                   std::to_string(base) + " (bracket " + range + ")");
    EXPECT_EQ(outcome.result->improvesLeft, row.improvesNeeded);
}

const IntellectRow kIntellectTableRows[] = {
    IntellectRow{"Zero_UsedAsOne_BoxKeepsZero", "0", 1, "0", 0, 199},
    IntellectRow{"Negative_RewrittenToOne", "-7", 1, "1", 0, 199},
    IntellectRow{"Minimum_RewrittenToOne", "-32768", 1, "1", 0, 199},
    IntellectRow{"FiftyOne_RewrittenToFifty", "51", 50, "50", 50, 75},
    IntellectRow{"Maximum_RewrittenToFifty", "32767", 50, "50", 50, 75},
    IntellectRow{"Blanks_KeptInBox", " 25 ", 25, " 25 ", 25, 129},
    IntellectRow{"One", "1", 1, "1", 0, 199},
    IntellectRow{"Four", "4", 4, "4", 0, 199},
    IntellectRow{"Five", "5", 5, "5", 5, 185},
    IntellectRow{"Nine", "9", 9, "9", 5, 185},
    IntellectRow{"Ten", "10", 10, "10", 10, 171},
    IntellectRow{"Fifteen", "15", 15, "15", 15, 157},
    IntellectRow{"Twenty", "20", 20, "20", 20, 143},
    IntellectRow{"TwentyFour", "24", 24, "24", 20, 143},
    IntellectRow{"Thirty", "30", 30, "30", 30, 115},
    IntellectRow{"ThirtyFive", "35", 35, "35", 35, 101},
    IntellectRow{"Forty_NoFloor", "40", 40, "40", 40, 87},
    IntellectRow{"FortyFour", "44", 44, "44", 40, 87},
    IntellectRow{"FortyFive_Floor", "45", 45, "45", 45, 75},
    IntellectRow{"FortyNine_Floor", "49", 49, "49", 45, 75},
    IntellectRow{"Fifty_Floor", "50", 50, "50", 50, 75},
};
INSTANTIATE_TEST_SUITE_P(Recalculate, IntellectTable, ::testing::ValuesIn(kIntellectTableRows), RowName{});

// ---- The floor of brackets 45 and 50 ----

struct FloorRow {
    const char *name;
    const char *intellect;
    std::vector<Click> clicks;
    std::int16_t improvesNeeded;
};

class FloorTable : public CalcFixture, public ::testing::TestWithParam<FloorRow> {};

TEST_P(FloorTable, ImprovesNeededBeforeCredit)
{
    const FloorRow &row = GetParam();
    setIntellect(row.intellect);
    for (const Click &c : row.clicks)
        select({c});
    setPercents("0", "0", "0");
    EXPECT_EQ(result().improvesLeft, row.improvesNeeded);
}

const FloorRow kFloorTableRows[] = {
    FloorRow{"Fifty_FarenLevelThree_ExactlyThreshold", "50", {{School::Faren, 3}}, 87},
    FloorRow{"Fifty_OneLevelTwo_RaisedToFloor", "50", {{School::Qor, 2}}, 75},
    FloorRow{"Fifty_LevelTotalThree", "50", {{School::Qor, 2}, {School::WC, 3}}, 101},
    FloorRow{"FortyFive_AllNone", "45", {}, 75},
    FloorRow{"FortyFive_LevelOneOnly", "45", {{School::Jala, 1}, {School::Riija, 1}}, 75},
    FloorRow{"FortyFive_OneLevelTwo", "45", {{School::Kraanan, 2}}, 87},
    FloorRow{"Forty_OneLevelTwo", "40", {{School::Shally, 2}}, 101},
};
INSTANTIATE_TEST_SUITE_P(Recalculate, FloorTable, ::testing::ValuesIn(kFloorTableRows), RowName{});

// ---- Verdict and title for each boundary of improvesLeft ----

struct VerdictRow {
    const char *name;
    std::int16_t improvesLeft;
    const char *verdict;
};

class VerdictTable : public CalcFixture, public ::testing::TestWithParam<VerdictRow> {};

TEST_P(VerdictTable, ShowsNumberTitleAndVerdict)
{
    const VerdictRow &row = GetParam();
    // Intellect 1 with every school at "None" needs 199; the first percent
    // makes up the difference.
    setPercents(std::to_string(199 - row.improvesLeft), "0", "0");
    const Result r = result();
    const std::string number = std::to_string(row.improvesLeft);
    EXPECT_EQ(r.improvesLeft, row.improvesLeft);
    EXPECT_EQ(r.number, number);
    EXPECT_EQ(r.title, number + " " + std::string(calc::kQuestion));
    EXPECT_EQ(r.verdict, row.verdict);
}

const VerdictRow kVerdictTableRows[] = {
    VerdictRow{"MinusFive", -5, "Congratulations!"},
    VerdictRow{"Zero", 0, "Congratulations!"},
    VerdictRow{"One", 1, "Little Further"},
    VerdictRow{"Fourteen", 14, "Little Further"},
    VerdictRow{"Fifteen", 15, "Further"},
    VerdictRow{"TwentyNine", 29, "Further"},
    VerdictRow{"Thirty", 30, "Some Further"},
    VerdictRow{"FortyFour", 44, "Some Further"},
    VerdictRow{"FortyFive", 45, "Much Further"},
    VerdictRow{"FiftyNine", 59, "Much Further"},
    VerdictRow{"Sixty", 60, "Significantly Further"},
    VerdictRow{"SeventyFour", 74, "Significantly Further"},
    VerdictRow{"SeventyFive", 75, "Drastically Further"},
    VerdictRow{"Large", 32000, "Drastically Further"},
};
INSTANTIATE_TEST_SUITE_P(Recalculate, VerdictTable, ::testing::ValuesIn(kVerdictTableRows), RowName{});

// ---- Level options ----

struct OptionRow {
    const char *name;
    std::vector<int> indices; // clicked in turn in the Faren column
    std::int16_t level;
    Flag levelOne;
};

class OptionTable : public CalcFixture, public ::testing::TestWithParam<OptionRow> {};

TEST_P(OptionTable, LastClickDecidesLevelAndFlag)
{
    const OptionRow &row = GetParam();
    for (int index : row.indices)
        select({{School::Faren, index}});
    EXPECT_EQ(state.farenLevel, row.level);
    EXPECT_EQ(state.farenLevelOne, row.levelOne);
}

const OptionRow kOptionTableRows[] = {
    OptionRow{"None", {0}, 0, kFalse},
    OptionRow{"LevelOne", {1}, 0, kTrue},
    OptionRow{"LevelOneThenTwo", {1, 2}, 1, kFalse},
    OptionRow{"TwoThenLevelOne", {1, 2, 1}, 0, kTrue},
    OptionRow{"LevelOneThenNone", {1, 0}, 0, kFalse},
    OptionRow{"SixThenNone", {6, 0}, 0, kFalse},
    OptionRow{"Three", {3}, 2, kFalse},
    OptionRow{"Six", {6}, 5, kFalse},
    OptionRow{"NoMemberSevenLeavesLevelOne", {1, 7}, 0, kTrue},
    OptionRow{"NoMemberBelowNoneLeavesFour", {4, -1}, 3, kFalse},
};
INSTANTIATE_TEST_SUITE_P(Recalculate, OptionTable, ::testing::ValuesIn(kOptionTableRows), RowName{});

struct CountRow {
    const char *name;
    std::vector<int> counts; // spell-count options selected in turn
    std::int16_t spellCount;
};

class SpellCountTable : public ::testing::TestWithParam<CountRow> {};

TEST_P(SpellCountTable, OnlyOneToThreeAreCounts)
{
    const CountRow &row = GetParam();
    CalcState state; // before the window has loaded
    for (int count : row.counts)
        selectSpellCount(state, count);
    EXPECT_EQ(state.spellCount, row.spellCount);
}

const CountRow kSpellCountTableRows[] = {
    CountRow{"One", {1}, 1},
    CountRow{"ThreeThenTwo", {3, 2}, 2},
    CountRow{"ZeroIgnored", {2, 0}, 2},
    CountRow{"FourIgnored", {1, 4}, 1},
    CountRow{"NegativeIgnoredBeforeLoad", {-3}, 0},
};
INSTANTIATE_TEST_SUITE_P(Recalculate, SpellCountTable, ::testing::ValuesIn(kSpellCountTableRows), RowName{});
