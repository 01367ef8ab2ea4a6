#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace calc {

// Flags are 16-bit integers holding 0 or -1, as the option logic and the
// school adjustment compare them.
using Flag = std::int16_t;
constexpr Flag kTrue = -1;
constexpr Flag kFalse = 0;

// What the main window keeps for the calculation between two events: what
// the option buttons chose. Everything else a run reads afresh from the
// boxes, and its figures live in the run.
struct CalcState {
    std::int16_t spellCount = 0; // 0 until the window has loaded

    // Levels above the first, 0..5; reaching only the first level of a
    // school shows in its Level-One flag alone.
    std::int16_t kraananLevel = 0;
    std::int16_t shallyLevel = 0;
    std::int16_t riijaLevel = 0;
    std::int16_t jalaLevel = 0;
    std::int16_t qorLevel = 0;
    std::int16_t farenLevel = 0;
    std::int16_t wcLevel = 0;

    Flag kraananLevelOne = kFalse;
    Flag shallyLevelOne = kFalse;
    Flag riijaLevelOne = kFalse;
    Flag jalaLevelOne = kFalse;
    Flag qorLevelOne = kFalse;
    Flag farenLevelOne = kFalse;
    Flag wcLevelOne = kFalse;

    bool operator==(const CalcState &) const = default;
};

// The seven schools in the order of the school list, which is also the order
// in which a typed school name is compared and Level-One flags are counted.
enum class School { Kraanan, Shally, Faren, WC, Riija, Qor, Jala };
constexpr std::size_t kSchoolCount = 7;

struct SchoolInfo {
    School school;
    std::string_view name;  // as listed in, and compared with, the school box; its column's caption
    std::string_view array; // the option array's name
    std::int16_t CalcState::*level;
    Flag CalcState::*levelOne;
};

inline constexpr std::array<SchoolInfo, kSchoolCount> kSchools{{
    {School::Kraanan, "Kraanan", "Kraanan", &CalcState::kraananLevel, &CalcState::kraananLevelOne},
    {School::Shally, "Shal'ille", "Shally", &CalcState::shallyLevel, &CalcState::shallyLevelOne},
    {School::Faren, "Faren", "Faren", &CalcState::farenLevel, &CalcState::farenLevelOne},
    {School::WC, "Weapon Class", "WC", &CalcState::wcLevel, &CalcState::wcLevelOne},
    {School::Riija, "Riija", "Riija", &CalcState::riijaLevel, &CalcState::riijaLevelOne},
    {School::Qor, "Qor", "Qor", &CalcState::qorLevel, &CalcState::qorLevelOne},
    {School::Jala, "Jala", "Jala", &CalcState::jalaLevel, &CalcState::jalaLevelOne},
}};

static_assert(std::all_of(kSchools.begin(), kSchools.end(),
                          [](const SchoolInfo &s) { return &s == &kSchools[std::size_t(s.school)]; }),
              "schoolInfo() indexes kSchools by School");

constexpr const SchoolInfo &schoolInfo(School school)
{
    return kSchools[static_cast<std::size_t>(school)];
}

// The options of a school column by Index, as a player names them (the
// layout's caption for Index 2 is its own, "Leven Two").
inline constexpr std::array<std::string_view, 7> kLevelNames{
    "None", "Level One", "Level Two", "Level Three", "Level Four", "Level Five", "Level Six"};

// Option `index` (0 "None" .. 6 "Level Six") of a school column became
// selected. Any other index changes nothing.
void selectLevel(CalcState &state, School school, int index);

// The spell-count option for 1, 2 or 3 spells became selected. Any other
// count changes nothing.
void selectSpellCount(CalcState &state, int count);

} // namespace calc
