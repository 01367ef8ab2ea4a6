#pragma once

#include "failure.h"

#include <string>

namespace calc {

// Exactly the control reads and writes the calculation needs; the main
// window implements it, tests use a fake.
class CalcView {
public:
    virtual ~CalcView() = default;

    virtual std::string boxText(NumberBox box) const = 0; // Text of txtInt, Spell1..Spell3
    virtual void setIntellectText(const std::string &text) = 0; // Text of txtInt, when clamped
    virtual std::string schoolText() const = 0; // Text of Combo2

    virtual void setWorking(const std::string &text) = 0;      // how lblTotal's number came about
    virtual void setTotalCaption(const std::string &text) = 0; // lblTotal
    virtual void setTitle(const std::string &text) = 0;        // the main window
    virtual void setVerdictCaption(const std::string &text) = 0; // Label1
};

} // namespace calc
