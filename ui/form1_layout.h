#pragma once

#include "calc_state.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QRadioButton;
class QWidget;

// The main window's controls that the program talks to after creation.
// Everything else (frames, the static labels) only needs to exist.
struct Form1Controls {
    QLineEdit *txtInt = nullptr;
    QLineEdit *Spell1 = nullptr;
    QLineEdit *Spell2 = nullptr;
    QLineEdit *Spell3 = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblTotal = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;

    // Members 0..6 of each school's option array, by calc::School.
    std::array<std::array<QRadioButton *, 7>, calc::kSchoolCount> levels{};
    // Members 1..3 of the spell-count array, at positions 0..2.
    std::array<QRadioButton *, 3> spells{};
};

// Creates every control of the main window on `form` from the layout data,
// with its initial texts, selections, fonts, stacking and tab order.
Form1Controls buildForm1(QWidget *form);

// Layout coordinates are twips; windows are drawn at 15 twips a pixel.
QRect twipsRect(int left, int top, int width, int height);
