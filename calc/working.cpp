#include "working.h"

#include "rules.h"

#include <cstdlib>

namespace calc {
using namespace rules;

namespace {

struct Verdict {
    std::int16_t above; // the verdict holds when improvesLeft > above
    std::string_view text;
};
constexpr Verdict kVerdicts[] = {
    {74, "Drastically Further"}, {59, "Significantly Further"}, {44, "Much Further"},
    {29, "Some Further"},        {14, "Further"},               {0, "Little Further"},
};

// The plain hyphen-minus, as the number and the title write it, so that a
// screen reader says "minus" the same way in all three.
constexpr const char *kMinus = "-";
constexpr const char *kTimes = " \u00d7 ";

std::string number(int value) { return std::to_string(value); }

// A number inside a sum or product: negatives in brackets, so that
// "40 + (-3)" does not read as a subtraction.
// (Built by appending: GCC 12 warns wrongly of overlap in "(" + string.)
std::string operand(int value)
{
    if (value >= 0)
        return number(value);
    std::string text = "(";
    text += number(value);
    text += ')';
    return text;
}

// What a step adds, for steps whose text does not end in it: "+ 2", "- 2".
std::string signedFigure(int value) { return (value < 0 ? std::string(kMinus) : "+") + " " + number(std::abs(value)); }

// Half of `twice`, which may end in .5.
std::string halves(int twice)
{
    std::string text = number(twice / 2);
    if (twice % 2 != 0) {
        if (twice < 0 && twice / 2 == 0)
            text = kMinus + text;
        text += ".5";
    }
    return text;
}

std::string bracketRange(std::int16_t bracket)
{
    if (bracket == 50)
        return "50";
    return number(bracket == 0 ? 1 : bracket) + " to " + number(bracket + 4);
}

std::string creditText(const RunFigures &f)
{
    const auto [spell1, spell2, spell3] = f.percents;
    switch (f.spellCount) {
    case 1:
        return "percents, one spell counted three times: 3" + std::string(kTimes) + operand(spell1) + " = " +
               number(f.spellCredit);
    case 2: {
        const int twice = 2 * spell1 + 3 * spell2;
        std::string text = "percents, two spells: " + operand(spell1) + " + 1.5" + kTimes + operand(spell2) +
                           " = " + halves(twice);
        if (twice % 2 != 0)
            text += ", a half rounded to the even " + number(f.spellCredit);
        return text;
    }
    case 3:
        return "percents, three spells: " + operand(spell1) + " + " + operand(spell2) + " + " + operand(spell3) +
               " = " + number(f.spellCredit);
    default:
        return "percents: none counted";
    }
}

} // namespace

std::string_view verdictFor(std::int16_t improvesLeft)
{
    for (const Verdict &v : kVerdicts)
        if (improvesLeft > v.above)
            return v.text;
    return "Congratulations!";
}

std::vector<WorkingStep> workingSteps(const RunFigures &f)
{
    std::vector<WorkingStep> steps;
    // One step for each school above Level One, named by the option the
    // player chose.
    for (const SchoolInfo &info : kSchools) {
        const std::int16_t levels = f.levels[std::size_t(info.school)];
        if (levels == 0)
            continue;
        const int improves = kImprovesPerLevel * levels;
        steps.push_back({std::string(info.name) + " " + std::string(kLevelNames[std::size_t(levels) + 1]) + ": " +
                             number(levels) + (levels == 1 ? " level" : " levels") + " above Level One" + kTimes +
                             number(kImprovesPerLevel) + " = " + number(improves),
                         improves});
    }
    if (steps.empty())
        steps.push_back({"levels: no school above Level One", 0});
    steps.push_back({"Intellect " + number(f.intellect) + ": base " + number(f.base) + " (bracket " +
                         bracketRange(f.intellectBracket) + ")",
                     f.base});

    const int unfloored = f.levelImproves + f.base;
    if (const int raise = f.neededBeforeAdjustment - unfloored; raise != 0)
        steps.push_back({"floor: " + number(unfloored) + " is below " + number(kFloorThreshold) + ", so it counts as " +
                             number(f.neededBeforeAdjustment) + ": " + signedFigure(raise),
                         raise});

    for (const School other : f.countedLevelOne)
        steps.push_back({std::string(schoolInfo(other).name) + " at Level One: " +
                             signedFigure(kImprovesPerLevelOneSchool),
                         kImprovesPerLevelOneSchool});
    // At the floor the surcharge starts from 73 rather than 75. Whatever the
    // adjustment did beyond the schools' own surcharges shows here, so the
    // steps always add up to the calculation's result.
    const int surcharges = kImprovesPerLevelOneSchool * static_cast<int>(f.countedLevelOne.size());
    if (const int rest = f.improvesNeeded - f.neededBeforeAdjustment - surcharges; rest != 0)
        steps.push_back({"at the floor of " + number(kFloor) + " the Level-One surcharge starts from " +
                             number(kFloorSurchargeBase) + ": " + signedFigure(rest),
                         rest});

    steps.push_back({creditText(f), -f.spellCredit});
    return steps;
}

std::string workingText(const std::vector<WorkingStep> &steps, std::int16_t improvesLeft)
{
    std::string text;
    std::string sum;
    for (const WorkingStep &step : steps) {
        text += step.text + '\n';
        if (step.figure == 0)
            continue; // the line says so; a "+ 0" in the sum says nothing
        if (sum.empty())
            sum = number(step.figure);
        else
            sum.append(" ").append(signedFigure(step.figure));
    }
    sum += " = " + number(improvesLeft);
    if (improvesLeft > 1)
        sum += " improves left";
    else if (improvesLeft == 1)
        sum += " improve left";
    else
        sum += ", nothing left: " + std::string(verdictFor(improvesLeft));
    return text + sum;
}

} // namespace calc
