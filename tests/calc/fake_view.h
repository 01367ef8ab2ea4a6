#pragma once

#include "calc_view.h"

#include <array>
#include <string>

// Stands in for the main window: boxes start as the window opens.
class FakeView : public calc::CalcView {
public:
    std::array<std::string, 4> boxes{"1", "1", "1", "1"}; // txtInt, Spell1..Spell3
    std::string school = "Select School";
    std::string total = "0";
    std::string title = "How many improves for my next level?";
    std::string verdict = "Your magic number...";
    std::string working;
    int intellectWrites = 0;

    std::string &box(calc::NumberBox b) { return boxes[static_cast<std::size_t>(b)]; }

    std::string boxText(calc::NumberBox b) const override { return boxes[static_cast<std::size_t>(b)]; }
    void setIntellectText(const std::string &text) override
    {
        box(calc::NumberBox::txtInt) = text;
        ++intellectWrites;
    }
    std::string schoolText() const override { return school; }
    void setWorking(const std::string &text) override { working = text; }
    void setTotalCaption(const std::string &text) override { total = text; }
    void setTitle(const std::string &text) override { title = text; }
    void setVerdictCaption(const std::string &text) override { verdict = text; }
};
