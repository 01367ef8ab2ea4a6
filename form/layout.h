#pragma once

// The two windows as data: every control with its kind, container, caption,
// place in twips, tab index and look, in the order the Qt windows create
// them and the web page is generated from.

#include "calc_state.h"
#include "failure.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace form {

enum class Kind { Label, TextBox, Frame, Button, EditCombo, ListCombo, Option };
// Which face a control's text takes: the window's, or one of the layout's own.
enum class Look { Plain, NumberBox, Total, Serif, SerifGreen };
// What a label shows: its own caption, or a part of each result.
enum class Shows { Caption, Number, Verdict };

struct Twips {
    int left, top, width, height;
};

// Layout coordinates are twips; windows are drawn at 15 twips a pixel,
// rounded to the nearest pixel, a half up.
constexpr int pixels(int twips)
{
    const int twice = 2 * twips + 15;
    return twice >= 0 ? twice / 30 : -((29 - twice) / 30);
}

struct Control {
    std::string name; // an option's: its array's, then its Index ("Faren_3")
    Kind kind;
    std::string_view container; // empty for the window itself
    std::string_view text;      // caption, or the text at creation
    Twips place;                // in the container
    int tabIndex;
    Look look = Look::Plain;
    // Options only: the array ("Faren", "spells"), the Index, and whether it
    // is the array's selected member at creation.
    std::string_view array = {};
    int index = 0;
    bool selected = false;
    // What a screen reader is told where the text alone would not say what
    // the control is: its name (empty: the text) and a description.
    std::string spokenName = {};
    std::string_view description = {};
    Shows shows = Shows::Caption;
};

// The main window's client area, in twips.
inline constexpr int kForm1Width = 5700, kForm1Height = 6450;

// Every control of the main window, the option-array members included, in
// creation order, which is stacking order, bottom first.
std::vector<Control> form1Controls();

// The window's controls that no frame holds, in the order a page that flows
// (on a phone) reads them: the window read row by row as a player fills it
// in, Intellect first and Exit, which ends the calculator, last.
inline constexpr std::array<std::string_view, 20> kReadingOrder{
    "Label2", "txtInt",  "Frame1", "Frame2", "Frame3", "Frame9", "Frame5",   "Frame4",   "Frame6",  "Frame7",
    "Combo2", "Frame8",  "lblTotal", "Label1", "Label4", "Label3", "Label5", "Combo1", "Command3", "Command2"};

// The school box, whose text the rules read as the school advanced.
inline constexpr std::string_view kSchoolBoxName = "Combo2";

// The grade list's entries, in order.
inline constexpr std::array<std::string_view, 11> kGrades{
    "1 - Slight",   "2 - Small",   "3 - Moderate",  "4 - Solid",      "5 - Severe",   "6 - Swift",
    "7 - Potent",   "8 - Damaging", "9 - Prominent", "10 - Crushing", "11 - Enormous"};

// The About window: its title, its client area, its four texts, and the
// invisible click surface that lies over them and hides the window.
inline constexpr std::string_view kForm2Title = "Info...";
inline constexpr int kForm2Width = 3525, kForm2Height = 1050;
struct Text {
    std::string_view name;
    std::string_view caption;
    Twips place;
};
inline constexpr std::array<Text, 4> kForm2Texts{{
    {"Label1", "You can reach me online at almost any time...", {105, 75, 3420, 285}},
    {"Label2", "Wrenfold   - -       MSN", {150, 330, 2040, 225}},
    {"Label3", "Wrenfold    - - -     AIM", {120, 540, 2310, 315}},
    {"Label4", "wrenfold@example.net", {120, 780, 2655, 285}},
}};
// It reaches past the top-left corner and covers all but a thin strip along
// the right edge.
inline constexpr Twips kLabel7{-240, -240, 3675, 2205};

} // namespace form
