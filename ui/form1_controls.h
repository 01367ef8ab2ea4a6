#pragma once

#include "calc_state.h"
#include "failure.h"
#include "layout.h"

#include <QRect>
#include <QString>

#include <array>
#include <string_view>

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

// Creates every control of the main window on `form` from the layout, with
// its initial texts, selections, fonts, stacking and tab order.
Form1Controls buildForm1(QWidget *form);

// Gives the labels with colours of their own colours that read well on the
// window's current colour.
void applyTextColours(QWidget *form);

// The layout's and the calculation's words, which are UTF-8.
inline QString qtext(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

// A place of the layout in the window's pixels.
constexpr QRect twipsRect(form::Twips t)
{
    return {form::pixels(t.left), form::pixels(t.top), form::pixels(t.width), form::pixels(t.height)};
}
