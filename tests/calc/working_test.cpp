#include "calc_fixture.h"


#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace calc;

namespace {

constexpr School K = School::Kraanan, F = School::Faren, Q = School::Qor, J = School::Jala, WC = School::WC;

struct WorkingRow {
    const char *name;
    const char *intellect;
    std::vector<Click> clicks;
    const char *school;
    int spellCount;
    std::array<const char *, 3> percents;
    std::vector<int> figures; // worked out by hand, step by step
    const char *rule;         // words the player reads for the rule applied
    const char *sumLine;
};

class WorkingTable : public CalcFixture, public ::testing::TestWithParam<WorkingRow> {};

TEST_P(WorkingTable, StepsAreTheCalculationsAndAddUp)
{
    const WorkingRow &row = GetParam();
    setIntellect(row.intellect);
    for (const Click &c : row.clicks)
        select({c});
    texts.school = row.school;
    state.spellCount = static_cast<std::int16_t>(row.spellCount);
    setPercents(row.percents[0], row.percents[1], row.percents[2]);
    const Result r = result();

    std::vector<int> figures;
    for (const WorkingStep &step : r.working())
        figures.push_back(step.figure);
    EXPECT_EQ(figures, row.figures);
    EXPECT_EQ(std::accumulate(figures.begin(), figures.end(), 0), r.improvesLeft);

    const std::string text = r.workingText();
    EXPECT_NE(text.find(row.rule), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), row.sumLine);
}

// A player's example, then the worked examples and edges of the rules.
const WorkingRow kWorkingTableRows[] = {
    WorkingRow{"LevelsBaseSchoolTwoSpells", "18", {{F, 3}, {Q, 1}}, "Kraanan", 2, {"40", "30", "X"},
               {28, 157, 7, -85}, "Qor at Level One: + 7", "28 + 157 + 7 - 85 = 107 improves left"},
    WorkingRow{"StartUp", "1", {}, "Select School", 3, {"1", "1", "1"},
               {0, 199, -3}, "Intellect 1: base 199 (bracket 1 to 4)", "199 - 3 = 196 improves left"},
    WorkingRow{"NoLevelsNoTerm", "1", {{K, 1}}, "Select School", 3, {"1", "1", "1"},
               {0, 199, -3}, "levels: no school above Level One\n", "199 - 3 = 196 improves left"},
    WorkingRow{"EachSchoolAboveLevelOne", "1", {{K, 6}, {WC, 2}}, "Select School", 3, {"1", "1", "1"},
               {70, 14, 199, -3}, "Kraanan Level Six: 5 levels above Level One \u00d7 14 = 70\n"
                                  "Weapon Class Level Two: 1 level above Level One \u00d7 14 = 14\n",
               "70 + 14 + 199 - 3 = 280 improves left"},
    WorkingRow{"OneSpellAtZeroNoTerm", "1", {}, "Select School", 1, {"0", "X", "X"},
               {0, 199, 0}, "3 \u00d7 0 = 0", "199 = 199 improves left"},
    WorkingRow{"FloorAt45", "45", {}, "Select School", 3, {"1", "1", "1"},
               {0, 73, 2, -3}, "73 is below 87, so it counts as 75: + 2", "73 + 2 - 3 = 72 improves left"},
    WorkingRow{"FloorAt50_NoLevels", "50", {}, "Select School", 3, {"1", "1", "1"},
               {0, 59, 16, -3}, "(bracket 50)", "59 + 16 - 3 = 72 improves left"},
    WorkingRow{"FloorAt50_OneLevel", "50", {{F, 2}}, "Select School", 3, {"1", "1", "1"},
               {14, 59, 2, -3}, "73 is below 87", "14 + 59 + 2 - 3 = 72 improves left"},
    WorkingRow{"NoFloorAt87", "50", {{F, 3}}, "Select School", 3, {"1", "1", "1"},
               {28, 59, -3}, "Faren Level Three: 2 levels above Level One \u00d7 14 = 28", "28 + 59 - 3 = 84 improves left"},
    WorkingRow{"SurchargeAtTheFloor", "50", {{J, 1}}, "Faren", 3, {"1", "1", "1"},
               {0, 59, 16, 7, -2, -3}, "surcharge starts from 73: - 2", "59 + 16 + 7 - 2 - 3 = 77 improves left"},
    WorkingRow{"TwoSchoolsAtLevelOne", "30", {{K, 3}, {Q, 1}, {F, 1}}, "Kraanan", 3, {"1", "1", "1"},
               {28, 115, 7, 7, -3}, "Faren at Level One: + 7\nQor at Level One: + 7", "28 + 115 + 7 + 7 - 3 = 154 improves left"},
    WorkingRow{"OwnSchoolNotCounted", "1", {{J, 1}}, "Jala", 3, {"1", "1", "1"},
               {0, 199, -3}, "three spells: 1 + 1 + 1 = 3", "199 - 3 = 196 improves left"},
    WorkingRow{"OneSpell", "1", {}, "Select School", 1, {"40", "X", "X"},
               {0, 199, -120}, "one spell counted three times: 3 \u00d7 40 = 120", "199 - 120 = 79 improves left"},
    WorkingRow{"TwoSpells_HalfRoundedDown", "1", {}, "Select School", 2, {"41", "33", "X"},
               {0, 199, -90}, "41 + 1.5 \u00d7 33 = 90.5, a half rounded to the even 90", "199 - 90 = 109 improves left"},
    WorkingRow{"TwoSpells_HalfRoundedUp", "1", {}, "Select School", 2, {"40", "33", "X"},
               {0, 199, -90}, "= 89.5, a half rounded to the even 90", "199 - 90 = 109 improves left"},
    WorkingRow{"TwoSpells_NegativeHalf", "1", {}, "Select School", 2, {"-1", "-1", "X"},
               {0, 199, 2}, "(-1) + 1.5 \u00d7 (-1) = -2.5, a half rounded to the even -2", "199 + 2 = 201 improves left"},
    WorkingRow{"TwoSpells_MinusHalf", "1", {}, "Select School", 2, {"1", "-1", "X"},
               {0, 199, 0}, "1 + 1.5 \u00d7 (-1) = -0.5, a half rounded to the even 0", "199 = 199 improves left"},
    WorkingRow{"NegativePercents", "1", {}, "Select School", 3, {"-5", "1", "1"},
               {0, 199, 3}, "(-5) + 1 + 1 = -3", "199 + 3 = 202 improves left"},
    WorkingRow{"OneLeft", "40", {}, "Select School", 3, {"30", "30", "26"},
               {0, 87, -86}, "Intellect 40: base 87 (bracket 40 to 44)", "87 - 86 = 1 improve left"},
    WorkingRow{"Congratulations", "50", {}, "Select School", 3, {"100", "100", "100"},
               {0, 59, 16, -300}, "= 300", "59 + 16 - 300 = -225, nothing left: Congratulations!"},
};
INSTANTIATE_TEST_SUITE_P(Working, WorkingTable, ::testing::ValuesIn(kWorkingTableRows), RowName());

class Working : public CalcFixture, public ::testing::Test {};

TEST_F(Working, AFailedRunShowsNoWorking)
{
    setIntellect("45");
    for (const char *bad : {"x", "40000"}) {
        setPercents("1", "1", bad);
        const Outcome outcome = run();
        EXPECT_TRUE(outcome.failure) << bad;
        EXPECT_EQ(outcome.result, std::nullopt) << bad;
    }
}

} // namespace
