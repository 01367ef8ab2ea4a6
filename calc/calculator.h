#pragma once

// How the parts meet: the main window (ui/Form1) owns one Calculator and is
// its CalcView. Option clicks go through selectLevel/setSpellCount into the
// CalcState; every input event then calls Recalculate, which reads the number
// boxes and the school box through the view, works only on the CalcState and
// writes the result, with its working (working.h), back through the view.
// Failures are calc::Failure exceptions; the window's handlers catch them and
// its one failure report shows them from the event loop. Nothing here knows
// about Qt.

#include "calc_state.h"
#include "calc_view.h"
#include "working.h"

#include <string_view>
#include <utility>
#include <vector>

namespace calc {

inline constexpr std::string_view kTitleSuffix = " How many improves for my next level?";

// The one-line verdict for a number of improves left.
std::string_view verdictFor(std::int16_t improvesLeft);

class Calculator {
public:
    // `state` lets a test start from a record no sequence of clicks makes.
    explicit Calculator(CalcView &view, CalcState state = {}) : view_(&view), state_(std::move(state)) {}

    const CalcState &state() const { return state_; }
    // How the last completed recalculation came to its result.
    const std::vector<WorkingStep> &working() const { return working_; }

    // Option `index` (0 "None" .. 6 "Level Six") of a school column became
    // selected. Any other index changes nothing.
    void selectLevel(School school, int index);

    // The spell-count option for 1, 2 or 3 spells became selected. Any other
    // count changes nothing.
    void setSpellCount(int count);

    // Recomputes the whole result from the view and the state. Throws
    // calc::Failure; what was written before the failure stays written.
    void Recalculate();

private:
    void FindIntellectBracket();
    void ComputeSpellCredit();
    void ApplySchoolAdjustment();
    void ReadSchool();

    std::int16_t readNumber(NumberBox box) const;

    CalcView *view_;
    CalcState state_;
    RunFigures run_; // of the recalculation under way
    std::vector<WorkingStep> working_;
};

} // namespace calc
