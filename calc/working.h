#pragma once

#include "calc_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// The figures of one recalculation, as it finds them. The run fills them in
// step by step; once it completes, the working is told from them.
struct RunFigures {
    std::int16_t intellect = 0; // clamped to 1..50
    std::int16_t intellectBracket = 0;
    std::array<std::int16_t, kSchoolCount> levels{}; // by School, above the first
    std::int16_t levelTotal = 0;
    std::int16_t levelImproves = 0;
    std::int16_t base = 0; // the bracket's base requirement
    std::int16_t neededBeforeAdjustment = 0; // levels and base, with the floor
    std::int16_t spellCount = 0;
    std::array<std::int16_t, 3> percents{}; // those the spell count reads
    std::int16_t spellCredit = 0;
    std::string schoolName;
    std::vector<School> countedLevelOne; // other schools at Level One, in counting order
    std::int16_t improvesNeeded = 0; // after the school adjustment
    std::int16_t improvesLeft = 0;

    bool operator==(const RunFigures &) const = default;
};

// One step of the working: what it says and what it adds to the result
// (negative for what it takes off). The figures of all steps add up to the
// number of improves left.
struct WorkingStep {
    std::string text;
    int figure;

    bool operator==(const WorkingStep &) const = default;
};

// The one-line verdict for a number of improves left.
std::string_view verdictFor(std::int16_t improvesLeft);

// The steps of a completed recalculation, in the order the calculation
// takes them.
std::vector<WorkingStep> workingSteps(const RunFigures &figures);

// The steps one to a line, then the sum of their figures other than 0,
// which ends in the result: "28 + 157 + 7 - 85 = 107 improves left".
std::string workingText(const std::vector<WorkingStep> &steps, std::int16_t improvesLeft);

} // namespace calc
