#pragma once

// How the parts meet: a view of the main window (the Qt window in ui/, the
// web page in web/) builds its controls from the layout (layout.h) and
// hands every input event to Form1Rules, which keeps the window's
// CalcState. The rules make the event's writes through the view: the boxes
// the spell count enables or marks, then a run of calc::Recalculate on the
// texts the view reads back, whose clamped Intellect, result or report the
// view shows. The rules also keep the report's life: a result withdraws it,
// and once the player dismisses it the box it names takes the focus. Nothing
// here knows Qt or the browser, and nothing throws but what a view throws.

#include "calculation.h"

#include <optional>
#include <string>

namespace form {

// A failure the player is told of, and the box that takes the focus once
// the player has dismissed it.
struct Report {
    std::string message;
    calc::NumberBox box;
};

// What the rules need of a view: its boxes, read and written, and the places
// a result or a report goes.
class Form1View {
public:
    // The four number boxes and the school box, as they hold now.
    virtual calc::Texts readTexts() const = 0;
    virtual void setBoxText(calc::NumberBox box, const std::string &text) = 0;
    virtual void setBoxEnabled(calc::NumberBox box, bool enabled) = 0;
    // A completed run: its number, title and verdict go up.
    virtual void showResult(const calc::Result &result) = 0;
    // A run that failed: the last result stays, and the player is told, in
    // one report that opens once the event that failed is over (opened at
    // once, it would take the Enter that failed). A newer failure replaces
    // the words of a report still open or about to open.
    virtual void showReport(const Report &report) = 0;
    // The report speaks of a failure a later run has mended: it closes, or
    // does not open, and the focus stays where it is.
    virtual void withdrawReport() = 0;
    // The box takes the focus with its whole text selected, so that typing
    // replaces it.
    virtual void focusBox(calc::NumberBox box) = 0;

protected:
    ~Form1View() = default;
};

// The main window's handlers, named by what the player did.
class Form1Rules {
public:
    explicit Form1Rules(Form1View &view) : view_(view) {}

    // The window has loaded: three spells, and the first result.
    void load();
    // Option `index` of a school column was chosen: a new selection sets
    // the level, the selected one again only recalculates.
    void chooseLevel(calc::School school, int index);
    // Spell-count option 1, 2 or 3 was chosen: a new count puts "1" into
    // the boxes it uses and "X" into the others; the selected one again
    // only recalculates, keeping the percents typed.
    void chooseSpellCount(int index);
    // A key went to a number box: Enter recalculates, any other key is the
    // box's own.
    void keyPress(int keyAscii);
    // The "enter" button.
    void enterClicked() { recalculate(); }
    // The player has dismissed the report: the box it names takes the
    // focus. (A report withdrawn, or closed twice, names none.)
    void reportDismissed();

    // The option selected in a column, as the selections stored say.
    int selectedLevel(calc::School school) const;
    const calc::CalcState &state() const { return state_; }

private:
    void recalculate();

    calc::CalcState state_;
    Form1View &view_;
    std::optional<calc::NumberBox> reported_; // while a report is open or about to open
};

inline constexpr int kEnterKey = 13;

} // namespace form
