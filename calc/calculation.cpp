#include "calculation.h"

#include "int16.h"
#include "rules.h"

#include <utility>

namespace calc {
using namespace rules;

namespace {

// One run: its steps, named as the calculation names them, fill in the
// figures and the outcome as they go. A step that fails throws, and the
// outcome keeps what was written before.
class Run {
public:
    Run(const CalcState &state, const Texts &texts) : state_(state), texts_(texts) {}

    void Recalculate();

    RunFigures figures;
    Outcome outcome;

private:
    void FindIntellectBracket();
    void ComputeSpellCredit();
    void ApplySchoolAdjustment();
    void ReadSchool();
    std::int16_t readNumber(NumberBox box) const;

    const CalcState &state_;
    const Texts &texts_;
};

std::int16_t Run::readNumber(NumberBox box) const
{
    const std::string &text = texts_.box(box);
    try {
        return textToInt16(text);
    } catch (const TypeMismatch &) {
        throw Failure{Failure::Kind::TypeMismatch, box};
    } catch (const Overflow &) {
        throw Failure{Failure::Kind::Overflow, box};
    }
}

void Run::Recalculate()
{
    RunFigures &f = figures;
    f.intellect = readNumber(NumberBox::txtInt);
    // A box holding 0 keeps its text while 1 is used; only values outside
    // the range are written back.
    if (f.intellect == 0)
        f.intellect = kMinIntellect;
    if (f.intellect > kMaxIntellect || f.intellect < kMinIntellect) {
        f.intellect = f.intellect > kMaxIntellect ? kMaxIntellect : kMinIntellect;
        outcome.intellectText = int16ToText(f.intellect);
    }

    FindIntellectBracket();

    for (const SchoolInfo &info : kSchools) {
        f.levels[std::size_t(info.school)] = state_.*info.level;
        f.levelTotal = checkedAdd(f.levelTotal, state_.*info.level);
    }
    f.levelImproves = checkedMul(kImprovesPerLevel, f.levelTotal);

    f.base = static_cast<std::int16_t>(kBaseAtBracketZero - kImprovesPerLevel * (f.intellectBracket / 5));
    f.improvesNeeded = checkedAdd(f.levelImproves, f.base);
    if (f.intellectBracket >= kFirstFloorBracket && f.improvesNeeded < kFloorThreshold)
        f.improvesNeeded = kFloor;
    f.neededBeforeAdjustment = f.improvesNeeded;

    ComputeSpellCredit();
    ApplySchoolAdjustment();
    f.improvesLeft = checkedSub(f.improvesNeeded, f.spellCredit);

    Result &r = outcome.result.emplace();
    r.improvesLeft = f.improvesLeft;
    r.number = int16ToText(f.improvesLeft);
    r.title.reserve(r.number.size() + 1 + kQuestion.size());
    r.title.append(r.number).append(" ").append(kQuestion);
    r.verdict = verdictFor(f.improvesLeft);
    r.figures = std::move(f);
}

void Run::FindIntellectBracket()
{
    // Above the maximum the bracket is left as it was; Recalculate clamps
    // first, so that never happens here.
    if (figures.intellect < 5)
        figures.intellectBracket = 0;
    else if (figures.intellect <= kMaxIntellect)
        figures.intellectBracket = static_cast<std::int16_t>(figures.intellect / 5 * 5);
}

void Run::ComputeSpellCredit()
{
    RunFigures &f = figures;
    f.spellCount = state_.spellCount;
    auto &[spell1, spell2, spell3] = f.percents;
    spell1 = readNumber(NumberBox::Spell1);
    switch (f.spellCount) {
    case 1:
        f.spellCredit = checkedMul(3, spell1);
        break;
    case 2:
        // Only the second percent carries the weight of 1.5; the exact sum
        // is a whole number or a half, rounded half to even.
        spell2 = readNumber(NumberBox::Spell2);
        f.spellCredit = roundToInt16(spell1 + 1.5 * spell2);
        break;
    case 3:
        // Both boxes are read before any addition.
        spell2 = readNumber(NumberBox::Spell2);
        spell3 = readNumber(NumberBox::Spell3);
        f.spellCredit = checkedAdd(checkedAdd(spell1, spell2), spell3);
        break;
    default:
        break; // no count chosen yet: no credit
    }
}

void Run::ApplySchoolAdjustment()
{
    RunFigures &f = figures;
    ReadSchool();
    // The first school whose name is the school box's text exactly counts
    // the others standing at Level One. A flag whose school stands above
    // level 0 does not count: no click leaves one so, but the rule holds.
    for (const SchoolInfo &selected : kSchools) {
        if (f.schoolName != selected.name)
            continue;
        for (const SchoolInfo &other : kSchools)
            if (other.school != selected.school && state_.*other.levelOne == kTrue && state_.*other.level == 0)
                f.countedLevelOne.push_back(other.school);
        break;
    }

    const auto k = static_cast<std::int16_t>(f.countedLevelOne.size());
    if (k == 0)
        return;
    const std::int16_t surcharge = checkedMul(kImprovesPerLevelOneSchool, k);
    if (f.improvesNeeded > kFloor)
        f.improvesNeeded = checkedAdd(f.improvesNeeded, surcharge);
    if (f.improvesNeeded == kFloor)
        f.improvesNeeded = checkedAdd(kFloorSurchargeBase, surcharge);
}

void Run::ReadSchool() { figures.schoolName = texts_.school; }

} // namespace

Outcome Recalculate(const CalcState &state, const Texts &texts)
{
    Run run(state, texts);
    try {
        run.Recalculate();
    } catch (const Failure &failure) {
        run.outcome.result.reset();
        run.outcome.failure = failure;
    } catch (const Overflow &) {
        run.outcome.result.reset();
        run.outcome.failure = Failure{Failure::Kind::Overflow, std::nullopt};
    }
    return std::move(run.outcome);
}

void selectLevel(CalcState &state, School school, int index)
{
    if (index < 0 || index > 6)
        return;
    const SchoolInfo &info = schoolInfo(school);
    if (index < 2)
        state.*info.level = 0;
    if (index > 1) {
        state.*info.levelOne = kFalse;
        state.*info.level = static_cast<std::int16_t>(index - 1);
    }
    if (index == 1)
        state.*info.levelOne = kTrue;
    if (index == 0)
        state.*info.levelOne = kFalse;
}

void selectSpellCount(CalcState &state, int count)
{
    if (count >= 1 && count <= 3)
        state.spellCount = static_cast<std::int16_t>(count);
}

} // namespace calc
