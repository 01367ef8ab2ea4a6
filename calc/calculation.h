#pragma once

#include "calc_state.h"
#include "failure.h"
#include "question.h"
#include "working.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// The texts a run reads from the window: the four number boxes and the
// school box.
struct Texts {
    std::array<std::string, 4> boxes; // by NumberBox
    std::string school;

    std::string &box(NumberBox b) { return boxes[static_cast<std::size_t>(b)]; }
    const std::string &box(NumberBox b) const { return boxes[static_cast<std::size_t>(b)]; }
};

// What a completed run shows.
struct Result {
    std::int16_t improvesLeft = 0;
    std::string number;       // lblTotal
    std::string title;        // the main window's
    std::string_view verdict; // Label1
    RunFigures figures;       // what the working is told from, where it is shown

    // How the number came about: its steps, and the steps one to a line
    // with their sum.
    std::vector<WorkingStep> working() const { return workingSteps(figures); }
    std::string workingText() const { return calc::workingText(working(), improvesLeft); }

    bool operator==(const Result &) const = default;
};

// The writes one run makes, in order. A run that fails has made only the
// writes before its failure: the Intellect text, if it was clamped first.
struct Outcome {
    std::optional<std::string> intellectText; // txtInt, rewritten when clamped
    std::optional<Result> result;             // when the run completed
    std::optional<Failure> failure;           // where it stopped otherwise

    bool operator==(const Outcome &) const = default;
};

// Computes the whole result afresh from the selections and the texts; a
// function of what goes in, which throws nothing.
Outcome Recalculate(const CalcState &state, const Texts &texts);

} // namespace calc
