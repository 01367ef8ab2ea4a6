#pragma once

#include "calculation.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

struct Click {
    calc::School school;
    int index; // 0 "None" .. 6 "Level Six"
};

// The selections and texts of a window as it opens and loads, and a run of
// whatever a test makes of them.
class CalcFixture {
protected:
    calc::CalcState state{.spellCount = 3};
    calc::Texts texts{{"1", "1", "1", "1"}, "Select School"};

    calc::Outcome run() const { return calc::Recalculate(state, texts); }
    // A run that must complete, and what it shows.
    calc::Result result() const
    {
        const calc::Outcome outcome = run();
        EXPECT_FALSE(outcome.failure.has_value());
        return outcome.result.value_or(calc::Result{});
    }

    void setIntellect(const std::string &text) { texts.box(calc::NumberBox::txtInt) = text; }
    void setPercents(const std::string &s1, const std::string &s2, const std::string &s3)
    {
        texts.box(calc::NumberBox::Spell1) = s1;
        texts.box(calc::NumberBox::Spell2) = s2;
        texts.box(calc::NumberBox::Spell3) = s3;
    }
    void select(std::initializer_list<Click> clicks)
    {
        for (const Click &c : clicks)
            calc::selectLevel(state, c.school, c.index);
    }
};

// Names a parameterised row after its `name` field.
struct RowName {
    template <class Info>
    std::string operator()(const Info &info) const { return info.param.name; }
};
