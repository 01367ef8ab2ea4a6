#include "calc_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace calc;

struct AdjustmentRow {
    const char *name;
    const char *intellect;
    std::vector<Click> clicks;
    const char *school;
    std::int16_t levelOneCount;
    std::int16_t improvesNeeded;
};

class AdjustmentTable : public CalcFixture, public ::testing::TestWithParam<AdjustmentRow> {};

TEST_P(AdjustmentTable, Surcharge)
{
    const AdjustmentRow &row = GetParam();
    setIntellect(row.intellect);
    texts.school = row.school;
    for (const Click &c : row.clicks)
        select({c});
    setPercents("0", "0", "0");
    const Result r = result();
    const std::vector<WorkingStep> working = r.working();
    const auto counted = std::count_if(working.begin(), working.end(), [](const WorkingStep &step) {
        return step.text.find(" at Level One: + 7") != std::string::npos;
    });
    EXPECT_EQ(counted, row.levelOneCount);
    EXPECT_EQ(r.improvesLeft, row.improvesNeeded);
}

constexpr auto K = School::Kraanan, S = School::Shally, F = School::Faren, W = School::WC,
               R = School::Riija, Q = School::Qor, J = School::Jala;

const AdjustmentRow kAdjustmentTableRows[] = {
    AdjustmentRow{"KraananWithTwoOthersAtLevelOne", "30", {{K, 3}, {F, 1}, {Q, 1}}, "Kraanan", 2, 157},
    AdjustmentRow{"FarenAtFloorOneOther", "50", {{J, 1}}, "Faren", 1, 80},
    AdjustmentRow{"OwnFlagNotCounted", "1", {{J, 1}}, "Jala", 0, 199},
    AdjustmentRow{"SelectSchoolMatchesNothing", "1", {{J, 1}, {Q, 1}}, "Select School", 0, 199},
    AdjustmentRow{"LowerCaseMatchesNothing", "1", {{J, 1}}, "faren", 0, 199},
    AdjustmentRow{"TrailingBlankMatchesNothing", "1", {{J, 1}}, "Faren ", 0, 199},
    AdjustmentRow{"LeadingBlankMatchesNothing", "1", {{J, 1}}, " Faren", 0, 199},
    AdjustmentRow{"EmptyMatchesNothing", "1", {{J, 1}}, "", 0, 199},
    AdjustmentRow{"ShortNameMatchesNothing", "1", {{J, 1}}, "Shal", 0, 199},
    AdjustmentRow{"WeaponClassSelected", "1", {{F, 1}}, "Weapon Class", 1, 206},
    AdjustmentRow{"WeaponClassCountedForOther", "1", {{W, 1}}, "Shal'ille", 1, 206},
    AdjustmentRow{"MovedOnToLevelTwoNoLongerCounts", "1", {{R, 1}, {R, 2}}, "Qor", 0, 213},
    AdjustmentRow{"AboveFloorFromThreshold", "45", {{K, 2}, {S, 1}}, "Qor", 1, 94},
    AdjustmentRow{"Above_k0", "1", {}, "Kraanan", 0, 199},
    AdjustmentRow{"Above_k1", "1", {{S, 1}}, "Kraanan", 1, 206},
    AdjustmentRow{"Above_k2", "1", {{S, 1}, {F, 1}}, "Kraanan", 2, 213},
    AdjustmentRow{"Above_k3", "1", {{S, 1}, {F, 1}, {W, 1}}, "Kraanan", 3, 220},
    AdjustmentRow{"Above_k4", "1", {{S, 1}, {F, 1}, {W, 1}, {R, 1}}, "Kraanan", 4, 227},
    AdjustmentRow{"Above_k5", "1", {{S, 1}, {F, 1}, {W, 1}, {R, 1}, {Q, 1}}, "Kraanan", 5, 234},
    AdjustmentRow{"Above_k6", "1", {{S, 1}, {F, 1}, {W, 1}, {R, 1}, {Q, 1}, {J, 1}}, "Kraanan", 6, 241},
    AdjustmentRow{"Floor_k0", "50", {}, "Jala", 0, 75},
    AdjustmentRow{"Floor_k1", "50", {{K, 1}}, "Jala", 1, 80},
    AdjustmentRow{"Floor_k2", "50", {{K, 1}, {S, 1}}, "Jala", 2, 87},
    AdjustmentRow{"Floor_k3", "50", {{K, 1}, {S, 1}, {F, 1}}, "Jala", 3, 94},
    AdjustmentRow{"Floor_k4", "50", {{K, 1}, {S, 1}, {F, 1}, {W, 1}}, "Jala", 4, 101},
    AdjustmentRow{"Floor_k5", "50", {{K, 1}, {S, 1}, {F, 1}, {W, 1}, {R, 1}}, "Jala", 5, 108},
    AdjustmentRow{"Floor_k6", "50", {{K, 1}, {S, 1}, {F, 1}, {W, 1}, {R, 1}, {Q, 1}}, "Jala", 6, 115},
    AdjustmentRow{"Floor_k6_OwnFlagToo", "50", {{K, 1}, {S, 1}, {F, 1}, {W, 1}, {R, 1}, {Q, 1}, {J, 1}}, "Jala", 6, 115},
};
INSTANTIATE_TEST_SUITE_P(SchoolAdjustment, AdjustmentTable, ::testing::ValuesIn(kAdjustmentTableRows), RowName{});

class SchoolAdjustment : public CalcFixture, public ::testing::Test {};

TEST_F(SchoolAdjustment, FlagLeftStandingAboveLevelZeroIsNotCounted)
{
    texts.school = "Kraanan";
    select({{School::Qor, 1}});
    state.qorLevel = 3; // a record no sequence of clicks makes
    setPercents("0", "0", "0");
    EXPECT_EQ(result().improvesLeft, 199 + 3 * 14);
}

TEST_F(SchoolAdjustment, SchoolChangeTakesEffectAtNextRun)
{
    select({{School::Faren, 1}});
    EXPECT_EQ(result().number, "196");
    texts.school = "Qor";
    EXPECT_EQ(result().number, "203");
}
