#pragma once

#include "calc_state.h"
#include "failure.h"

#include <QRect>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The main window's controls that the program talks to after creation.
// Everything else (frames, the static labels) only needs to exist.
struct Form1Controls {
    std::array<QLineEdit *, 4> boxes{}; // by calc::NumberBox
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblTotal = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;

    // One exclusive group per option array, each member's id its Index:
    // 0..6 in the school columns (by calc::School), 1..3 in `spells`.
    std::array<QButtonGroup *, calc::kSchoolCount> levels{};
    QButtonGroup *spells = nullptr;

    QLineEdit *box(calc::NumberBox b) const { return boxes[static_cast<std::size_t>(b)]; }
};

// Creates every control of the main window on `form` from the layout data,
// with its initial texts, selections, fonts, stacking and tab order.
Form1Controls buildForm1(QWidget *form);

// Gives the labels with colours of their own colours that read well on the
// window's current colour.
void applyTextColours(QWidget *form);

// The main window's client area, in twips. (The window tests' CMake reads
// these and the control table's places, so each stays on one line.)
inline constexpr int kForm1Width = 5700, kForm1Height = 6450;

// Layout coordinates are twips; windows are drawn at 15 twips a pixel.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return qRound(twips / 15.0); };
    return {px(left), px(top), px(width), px(height)};
}
