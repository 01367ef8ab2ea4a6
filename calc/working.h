#pragma once

#include "calc_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace calc {

// What a completed recalculation worked with that the record does not keep
// once it is done: the bracket's base, the requirement as the school
// adjustment found it, and the percents of the second and third spell.
struct RunFigures {
    std::int16_t base = 0;
    std::int16_t neededBeforeAdjustment = 0;
    std::int16_t spell2Percent = 0;
    std::int16_t spell3Percent = 0;
};

// One step of the working: what it says and what it adds to the result
// (negative for what it takes off). The figures of all steps add up to the
// number of improves left.
struct WorkingStep {
    std::string text;
    int figure;
};

// The steps of the last completed recalculation, in the order the
// calculation takes them.
std::vector<WorkingStep> workingSteps(const CalcState &state, const RunFigures &figures);

// The steps one to a line, then the sum of their figures other than 0,
// which ends in the result: "28 + 157 + 7 - 85 = 107 improves left".
std::string workingText(const std::vector<WorkingStep> &steps, std::int16_t improvesLeft);

} // namespace calc
