#pragma once

#include "calculator.h"
#include "fake_view.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

struct Click {
    calc::School school;
    int index; // 0 "None" .. 6 "Level Six"
};

// A calculator on a fake view, loaded as the window loads it.
class CalcFixture {
protected:
    FakeView view;
    calc::Calculator calculator{view};

    const calc::CalcState &state() const { return calculator.state(); }

    void load()
    {
        calculator.setSpellCount(3);
        calculator.Recalculate();
    }
    // Goes on from a record that no sequence of clicks makes.
    template <class Change>
    void alter(Change change)
    {
        calc::CalcState altered = calculator.state();
        change(altered);
        calculator = calc::Calculator(view, altered);
    }
    void setIntellect(const std::string &text) { view.box(calc::NumberBox::txtInt) = text; }
    void setPercents(const std::string &s1, const std::string &s2, const std::string &s3)
    {
        view.box(calc::NumberBox::Spell1) = s1;
        view.box(calc::NumberBox::Spell2) = s2;
        view.box(calc::NumberBox::Spell3) = s3;
    }
    void select(std::initializer_list<Click> clicks)
    {
        for (const Click &c : clicks)
            calculator.selectLevel(c.school, c.index);
    }
};

// Names a parameterised row after its `name` field.
struct RowName {
    template <class Info>
    std::string operator()(const Info &info) const { return info.param.name; }
};
