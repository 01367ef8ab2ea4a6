#include "form1_rules.h"

#include "words.h"

#include <utility>

namespace form {

void Form1Rules::load()
{
    calc::selectSpellCount(state_, 3);
    recalculate();
}

int Form1Rules::selectedLevel(calc::School school) const
{
    const calc::SchoolInfo &info = calc::schoolInfo(school);
    if (state_.*info.level > 0)
        return state_.*info.level + 1;
    return state_.*info.levelOne == calc::kTrue ? 1 : 0;
}

void Form1Rules::chooseLevel(calc::School school, int index)
{
    if (index != selectedLevel(school))
        calc::selectLevel(state_, school, index);
    recalculate();
}

void Form1Rules::chooseSpellCount(int index)
{
    if (index < 1 || index > 3)
        return;
    if (index != state_.spellCount) {
        const bool useSpell2 = index >= 2, useSpell3 = index == 3;
        calc::selectSpellCount(state_, index);
        view_.setBoxEnabled(calc::NumberBox::Spell2, useSpell2);
        view_.setBoxText(calc::NumberBox::Spell2, useSpell2 ? "1" : "X");
        view_.setBoxEnabled(calc::NumberBox::Spell3, useSpell3);
        view_.setBoxText(calc::NumberBox::Spell3, useSpell3 ? "1" : "X");
    }
    recalculate();
}

void Form1Rules::keyPress(int keyAscii)
{
    if (keyAscii == kEnterKey)
        recalculate();
}

void Form1Rules::recalculate()
{
    const calc::Texts texts = view_.readTexts();
    const calc::Outcome outcome = calc::Recalculate(state_, texts);
    if (outcome.intellectText)
        view_.setBoxText(calc::NumberBox::txtInt, *outcome.intellectText);
    if (outcome.result) {
        view_.showResult(*outcome.result);
        if (std::exchange(reported_, std::nullopt))
            view_.withdrawReport();
        return;
    }
    const calc::Failure &failure = outcome.failure.value();
    // A report on the percents together names the first of them.
    const calc::NumberBox named = failure.box.value_or(calc::NumberBox::Spell1);
    reported_ = named;
    view_.showReport({failureMessage(failure, state_.spellCount, texts.box(named)), named});
}

void Form1Rules::reportDismissed()
{
    if (const auto named = std::exchange(reported_, std::nullopt))
        view_.focusBox(*named);
}

} // namespace form
