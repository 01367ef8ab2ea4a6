#pragma once

// A second account of the calculation, written for the tests only and
// sharing no code with calc/: plain int arithmetic with explicit range
// checks, the rules as tables, the window as the player sees it. The
// differential tests and fuzzers hold the real program against it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace model {

// The reading of a number box: a number, or why there is none.
enum class Reading { Number, NotANumber, OutOfRange };
struct Parsed {
    Reading reading;
    int value; // meaningful for Reading::Number only
};
Parsed parseNumber(std::string_view text);

enum class Box { txtInt, Spell1, Spell2, Spell3 };

// Why a recalculation stopped: a box that cannot be read (with the reason),
// or 16-bit arithmetic out of range (no box).
struct Fault {
    Reading reading; // NotANumber or OutOfRange for a box; OutOfRange for arithmetic
    std::optional<Box> box;
    bool operator==(const Fault &) const = default;
};

// The seven columns: the option array's name and the school's name in the
// school list.
struct Column {
    std::string_view array;
    std::string_view school;
};
inline constexpr std::array<Column, 7> kColumns{{
    {"Kraanan", "Kraanan"},
    {"Shally", "Shal'ille"},
    {"Riija", "Riija"},
    {"Jala", "Jala"},
    {"Qor", "Qor"},
    {"Faren", "Faren"},
    {"WC", "Weapon Class"},
}};

inline constexpr std::string_view kQuestion = "How many improves for my next level?";

// Everything the player can see or set in the main window.
struct Window {
    std::array<std::string, 4> boxes{"1", "1", "1", "1"}; // by Box
    bool spell2Enabled = true;
    bool spell3Enabled = true;
    std::string school = "Select School";
    std::array<int, 7> option{}; // selected option (0..6) per column, by kColumns
    int spellCount = 0;          // 0 until the window has loaded
    std::string total = "0";
    std::string title{kQuestion};
    std::string verdict = "Your magic number...";
};

// The window's reactions to the player, each returning the fault it
// reported, if any.
class Model {
public:
    Window window;

    std::optional<Fault> load();
    std::optional<Fault> clickLevel(std::size_t column, int option);
    std::optional<Fault> clickSpells(int count);
    std::optional<Fault> enter(); // Enter in a number box, or the "enter" button
    void type(Box box, std::string text) { window.boxes[static_cast<std::size_t>(box)] = std::move(text); }
    void typeSchool(std::string text) { window.school = std::move(text); }

    // Only the count, without the boxes the spell-count buttons also set:
    // for driving the calculation directly with any count at all.
    void setSpellCount(int count) { window.spellCount = count; }

    // The number the last successful run showed.
    int improvesLeft() const { return improvesLeft_; }

private:
    int improvesLeft_ = 0;
};

} // namespace model
