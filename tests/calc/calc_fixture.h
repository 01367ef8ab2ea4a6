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

    calc::CalcState &state() { return calculator.state(); }

    void load()
    {
        state().spellCount = 3;
        calculator.Recalculate();
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
