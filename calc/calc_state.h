#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace calc {

// Flags are 16-bit integers holding 0 or -1, as the window's option logic
// and the school adjustment compare them.
using Flag = std::int16_t;
constexpr Flag kTrue = -1;
constexpr Flag kFalse = 0;

// Everything the main window keeps for the calculation between two events.
// Option clicks write the levels, flags and spell count; each recalculation
// overwrites the rest from the controls.
struct CalcState {
    std::int16_t levelTotal = 0;
    std::int16_t spellCount = 0;
    std::int16_t intellect = 0;
    std::int16_t intellectBracket = 0;
    std::int16_t improvesNeeded = 0;
    std::int16_t levelImproves = 0;
    std::int16_t spellCredit = 0;
    std::int16_t improvesLeft = 0;
    std::int16_t spell1Percent = 0;
    std::int16_t levelOneCount = 0;

    // Levels above the first, 0..5; reaching only the first level of a
    // school shows in its Level-One flag alone.
    std::int16_t kraananLevel = 0;
    std::int16_t shallyLevel = 0;
    std::int16_t riijaLevel = 0;
    std::int16_t jalaLevel = 0;
    std::int16_t qorLevel = 0;
    std::int16_t farenLevel = 0;
    std::int16_t wcLevel = 0;

    std::int16_t kraananUsed = 0;
    std::int16_t shallyUsed = 0;
    std::int16_t riijaUsed = 0;
    std::int16_t jalaUsed = 0;
    std::int16_t qorUsed = 0;
    std::int16_t farenUsed = 0;
    std::int16_t wcUsed = 0;

    Flag kraananLevelOne = kFalse;
    Flag shallyLevelOne = kFalse;
    Flag riijaLevelOne = kFalse;
    Flag jalaLevelOne = kFalse;
    Flag qorLevelOne = kFalse;
    Flag farenLevelOne = kFalse;
    Flag wcLevelOne = kFalse;

    std::string schoolName;

    bool operator==(const CalcState &) const = default;
};

// The options of a school column by Index, as a player names them (the
// layout's caption for Index 2 is its own, "Leven Two").
inline constexpr std::array<std::string_view, 7> kLevelNames{
    "None", "Level One", "Level Two", "Level Three", "Level Four", "Level Five", "Level Six"};

// The seven schools in the order of the school list, which is also the order
// in which a typed school name is compared and the flags are tidied. The
// window fills its school list from kSchools, so the names it offers are the
// very names compared.
enum class School { Kraanan, Shally, Faren, WC, Riija, Qor, Jala };
constexpr std::size_t kSchoolCount = 7;

struct SchoolInfo {
    School school;
    std::string_view name; // as listed in, and compared with, the school box
    std::int16_t CalcState::*level;
    std::int16_t CalcState::*used;
    Flag CalcState::*levelOne;
};

inline constexpr std::array<SchoolInfo, kSchoolCount> kSchools{{
    {School::Kraanan, "Kraanan", &CalcState::kraananLevel, &CalcState::kraananUsed, &CalcState::kraananLevelOne},
    {School::Shally, "Shal'ille", &CalcState::shallyLevel, &CalcState::shallyUsed, &CalcState::shallyLevelOne},
    {School::Faren, "Faren", &CalcState::farenLevel, &CalcState::farenUsed, &CalcState::farenLevelOne},
    {School::WC, "Weapon Class", &CalcState::wcLevel, &CalcState::wcUsed, &CalcState::wcLevelOne},
    {School::Riija, "Riija", &CalcState::riijaLevel, &CalcState::riijaUsed, &CalcState::riijaLevelOne},
    {School::Qor, "Qor", &CalcState::qorLevel, &CalcState::qorUsed, &CalcState::qorLevelOne},
    {School::Jala, "Jala", &CalcState::jalaLevel, &CalcState::jalaUsed, &CalcState::jalaLevelOne},
}};

static_assert(std::all_of(kSchools.begin(), kSchools.end(),
                          [](const SchoolInfo &s) { return &s == &kSchools[std::size_t(s.school)]; }),
              "schoolInfo() indexes kSchools by School");

constexpr const SchoolInfo &schoolInfo(School school)
{
    return kSchools[static_cast<std::size_t>(school)];
}

// Calls `visit` for each other school standing at Level One whose flag counts
// for the school named in `schoolName`, in counting order; for a name that is
// no school, for none. The school adjustment counts them, the working lists
// them.
template <class Visit>
void forEachCountedLevelOne(const CalcState &state, Visit visit)
{
    for (const SchoolInfo &selected : kSchools) {
        if (state.schoolName != selected.name)
            continue;
        for (const SchoolInfo &other : kSchools)
            if (other.school != selected.school && state.*other.levelOne == kTrue)
                visit(other);
        return;
    }
}

} // namespace calc
