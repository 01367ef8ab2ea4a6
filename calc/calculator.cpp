#include "calculator.h"

#include "int16.h"
#include "rules.h"

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

} // namespace

std::string_view verdictFor(std::int16_t improvesLeft)
{
    for (const Verdict &v : kVerdicts)
        if (improvesLeft > v.above)
            return v.text;
    return "Congratulations!";
}

void Calculator::selectLevel(School school, int index)
{
    if (index < 0 || index > 6)
        return;
    const SchoolInfo &info = schoolInfo(school);
    if (index < 2)
        state_.*info.level = 0;
    if (index > 1) {
        state_.*info.levelOne = kFalse;
        state_.*info.level = static_cast<std::int16_t>(index - 1);
    }
    if (index == 1)
        state_.*info.levelOne = kTrue;
    if (index == 0)
        state_.*info.levelOne = kFalse;
}

void Calculator::setSpellCount(int count)
{
    if (count >= 1 && count <= 3)
        state_.spellCount = static_cast<std::int16_t>(count);
}

std::int16_t Calculator::readNumber(NumberBox box) const
{
    try {
        return textToInt16(view_->boxText(box));
    } catch (Failure &failure) {
        failure.box = box;
        throw;
    }
}

void Calculator::Recalculate()
{
    state_.intellect = readNumber(NumberBox::txtInt);
    // A box holding 0 keeps its text while 1 is used; only values outside
    // the range are written back.
    if (state_.intellect == 0)
        state_.intellect = kMinIntellect;
    if (state_.intellect > kMaxIntellect) {
        view_->setIntellectText(int16ToText(kMaxIntellect));
        state_.intellect = kMaxIntellect;
    }
    if (state_.intellect < kMinIntellect) {
        view_->setIntellectText(int16ToText(kMinIntellect));
        state_.intellect = kMinIntellect;
    }

    for (const SchoolInfo &info : kSchools)
        state_.*info.used = state_.*info.level;

    FindIntellectBracket();

    std::int16_t total = 0;
    for (const SchoolInfo &info : kSchools)
        total = checkedAdd(total, state_.*info.used);
    state_.levelTotal = total;
    state_.levelImproves = checkedMul(kImprovesPerLevel, state_.levelTotal);

    const auto base = static_cast<std::int16_t>(
        kBaseAtBracketZero - kImprovesPerLevel * (state_.intellectBracket / 5));
    state_.improvesNeeded = checkedAdd(state_.levelImproves, base);
    if (state_.intellectBracket >= kFirstFloorBracket && state_.improvesNeeded < kFloorThreshold)
        state_.improvesNeeded = kFloor;
    run_.base = base;

    ComputeSpellCredit();
    run_.neededBeforeAdjustment = state_.improvesNeeded;
    ApplySchoolAdjustment();
    state_.improvesLeft = checkedSub(state_.improvesNeeded, state_.spellCredit);

    // The working goes out before the number, so that whoever announces the
    // new number finds its working already in place.
    working_ = workingSteps(state_, run_);
    view_->setWorking(workingText(working_, state_.improvesLeft));
    const std::string number = int16ToText(state_.improvesLeft);
    view_->setTotalCaption(number);
    view_->setTitle(number + std::string(kTitleSuffix));
    view_->setVerdictCaption(std::string(verdictFor(state_.improvesLeft)));
}

void Calculator::FindIntellectBracket()
{
    // Above the maximum the bracket is left as it was; Recalculate clamps
    // first, so that never happens there.
    if (state_.intellect < 5)
        state_.intellectBracket = 0;
    else if (state_.intellect <= kMaxIntellect)
        state_.intellectBracket = static_cast<std::int16_t>(state_.intellect / 5 * 5);
}

void Calculator::ComputeSpellCredit()
{
    state_.spellCredit = 0;
    state_.spell1Percent = readNumber(NumberBox::Spell1);
    switch (state_.spellCount) {
    case 1:
        state_.spellCredit = checkedMul(3, state_.spell1Percent);
        break;
    case 2: {
        // Only the second percent carries the weight of 1.5; the exact sum
        // is a whole number or a half, rounded half to even.
        const std::int16_t spell2 = readNumber(NumberBox::Spell2);
        run_.spell2Percent = spell2;
        state_.spellCredit = roundToInt16(state_.spell1Percent + 1.5 * spell2);
        break;
    }
    case 3: {
        const std::int16_t spell2 = readNumber(NumberBox::Spell2);
        const std::int16_t spell3 = readNumber(NumberBox::Spell3);
        run_.spell2Percent = spell2;
        run_.spell3Percent = spell3;
        state_.spellCredit = checkedAdd(checkedAdd(state_.spell1Percent, spell2), spell3);
        break;
    }
    default:
        break;
    }
}

void Calculator::ApplySchoolAdjustment()
{
    for (const SchoolInfo &info : kSchools)
        if (state_.*info.levelOne == kTrue && state_.*info.level > 0)
            state_.*info.levelOne = kFalse;

    ReadSchool();
    state_.levelOneCount = 0;
    forEachCountedLevelOne(state_, [this](const SchoolInfo &) {
        state_.levelOneCount = checkedAdd(state_.levelOneCount, 1);
    });

    const std::int16_t k = state_.levelOneCount;
    if (k == 0)
        return;
    const std::int16_t surcharge = checkedMul(kImprovesPerLevelOneSchool, k);
    if (state_.improvesNeeded > kFloor)
        state_.improvesNeeded = checkedAdd(state_.improvesNeeded, surcharge);
    if (state_.improvesNeeded == kFloor)
        state_.improvesNeeded = checkedAdd(kFloorSurchargeBase, surcharge);
}

void Calculator::ReadSchool() { state_.schoolName = view_->schoolText(); }

} // namespace calc
