#include "layout.h"

#include <algorithm>
#include <utility>

namespace form {
namespace {

using calc::NumberBox;
using calc::School;

constexpr std::string_view schoolName(School school) { return calc::schoolInfo(school).name; }
constexpr std::string_view boxName(NumberBox box) { return calc::kBoxNames[static_cast<std::size_t>(box)]; }

struct Row {
    std::string_view name;
    Kind kind;
    std::string_view container;
    std::string_view text;
    Twips place;
    int tabIndex;
    Look look;
};

// Labels first: they lie under every windowed control, and among the labels
// Label5 is on top.
constexpr Row kRows[] = {
    {"Label1", Kind::Label, "", "Your magic number...", {2685, 5250, 1545, 225}, 57, Look::Plain},
    {"lblTotal", Kind::Label, "", "0", {2670, 5535, 1425, 540}, 58, Look::Total},
    {"Label2", Kind::Label, "", "My Intellect is:", {165, 105, 1185, 300}, 67, Look::Plain},
    {"Label3", Kind::Label, "", "<Quillo>", {1605, 6105, 1140, 345}, 70, Look::SerifGreen},
    {"Label4", Kind::Label, "", "Mossbarrow sends, \"", {30, 6105, 1560, 345}, 71, Look::Serif},
    {"Label5", Kind::Label, "", "\"", {2565, 6105, 1560, 345}, 72, Look::Serif},

    {boxName(NumberBox::txtInt), Kind::TextBox, "", "1", {1500, 75, 615, 345}, 68, Look::NumberBox},
    {"Frame1", Kind::Frame, "", schoolName(School::Kraanan), {100, 480, 1275, 1680}, 0, Look::Plain},
    {"Frame2", Kind::Frame, "", schoolName(School::Shally), {1500, 510, 1275, 1680}, 8, Look::Plain},
    {"Frame3", Kind::Frame, "", schoolName(School::Faren), {2900, 510, 1275, 1680}, 16, Look::Plain},
    {"Frame9", Kind::Frame, "", schoolName(School::WC), {4260, 525, 1275, 1680}, 59, Look::Plain},
    {"Frame5", Kind::Frame, "", schoolName(School::Riija), {100, 2300, 1275, 1680}, 32, Look::Plain},
    {"Frame4", Kind::Frame, "", schoolName(School::Qor), {1500, 2295, 1275, 1680}, 24, Look::Plain},
    {"Frame6", Kind::Frame, "", schoolName(School::Jala), {2900, 2340, 1275, 1680}, 40, Look::Plain},
    {"Command3", Kind::Button, "", "About", {4350, 2655, 1140, 390}, 74, Look::Plain},
    {"Frame7", Kind::Frame, "", "There are this many spells in my current level...", {120, 4080, 3525, 1065}, 48, Look::Plain},
    {kSchoolBoxName, Kind::EditCombo, "", "Select School", {3840, 4200, 1455, 315}, 75, Look::Plain},
    {"Frame8", Kind::Frame, "", "And my current percents are...", {135, 5190, 2385, 840}, 52, Look::Plain},
    {boxName(NumberBox::Spell1), Kind::TextBox, "Frame8", "1", {210, 330, 435, 315}, 53, Look::NumberBox},
    {boxName(NumberBox::Spell2), Kind::TextBox, "Frame8", "1", {750, 330, 435, 315}, 54, Look::NumberBox},
    {boxName(NumberBox::Spell3), Kind::TextBox, "Frame8", "1", {1260, 330, 435, 315}, 55, Look::NumberBox},
    {"Command1", Kind::Button, "Frame8", "enter", {1815, 345, 495, 285}, 56, Look::Plain},
    {"Combo1", Kind::ListCombo, "", "", {2850, 6045, 1755, 315}, 73, Look::Plain},
    {"Command2", Kind::Button, "", "Exit", {4770, 6060, 825, 300}, 69, Look::Plain},
};

struct LevelArray {
    School school; // names the array and its frame's caption
    std::string_view frame;
    std::array<int, 7> tabIndices; // of members 0..6
};

constexpr LevelArray kLevelArrays[] = {
    {School::Kraanan, "Frame1", {1, 2, 3, 4, 5, 6, 7}},
    {School::Shally, "Frame2", {15, 14, 13, 12, 11, 10, 9}},
    {School::Faren, "Frame3", {17, 18, 19, 20, 21, 22, 23}},
    {School::WC, "Frame9", {66, 65, 64, 63, 62, 61, 60}},
    {School::Riija, "Frame5", {33, 34, 35, 36, 37, 38, 39}},
    {School::Qor, "Frame4", {25, 26, 27, 28, 29, 30, 31}},
    {School::Jala, "Frame6", {41, 42, 43, 44, 45, 46, 47}},
};

// Every level array shares one design; member i sits 200 twips below i-1.
// The captions are the layout's own, misspelling included; a screen reader
// is given the names a player uses (calc::kLevelNames).
constexpr std::array<std::string_view, 7> kLevelCaptions{"None",       "Level One",  "Leven Two", "Level Three",
                                                         "Level Four", "Level Five", "Level Six"};
constexpr int kLevelLeft = 30, kLevelTop = 200, kLevelStep = 200, kLevelWidth = 1200, kLevelHeight = 225;

struct SpellOption {
    std::string_view caption;
    std::string_view spoken; // the caption alone would not say what it counts
    Twips place;
    int tabIndex;
};

constexpr SpellOption kSpellOptions[] = {
    {"One spell\\skill", "One spell", {30, 240, 2190, 210}, 49},
    {"Two", "Two spells", {30, 480, 2955, 210}, 51},
    {"Three", "Three spells", {30, 720, 1215, 210}, 50},
};
constexpr int kSelectedSpellCount = 3;

// Controls whose text alone would not tell the player what they are. Labels
// that show results keep their text as the name, so that each new result is
// announced, and say what they mean in the description.
struct Spoken {
    std::string_view control;
    std::string_view name; // empty: the control's own text
    std::string_view description;
};

constexpr Spoken kSpoken[] = {
    {boxName(NumberBox::txtInt), "My Intellect is:", "Intellect, 1 to 50"},
    {boxName(NumberBox::Spell1), "Current percent of spell 1", ""},
    {boxName(NumberBox::Spell2), "Current percent of spell 2", ""},
    {boxName(NumberBox::Spell3), "Current percent of spell 3", ""},
    {"Command1", "", "Recalculate from the boxes"},
    {"Combo2", "School", "School being advanced"},
    {"Combo1", "Grade", ""},
    {"Label1", "", "How far the next level is"},
};

// The labels each result is written into.
constexpr std::pair<std::string_view, Shows> kResultLabels[] = {{"lblTotal", Shows::Number}, {"Label1", Shows::Verdict}};

} // namespace

std::vector<Control> form1Controls()
{
    std::vector<Control> controls;
    for (const Row &r : kRows) {
        Control c{std::string(r.name), r.kind, r.container, r.text, r.place, r.tabIndex, r.look};
        const auto spoken = std::find_if(std::begin(kSpoken), std::end(kSpoken),
                                         [&](const Spoken &s) { return s.control == r.name; });
        if (spoken != std::end(kSpoken)) {
            c.spokenName = std::string(spoken->name);
            c.description = spoken->description;
        }
        for (const auto &[label, shows] : kResultLabels)
            if (label == r.name)
                c.shows = shows;
        controls.push_back(std::move(c));
    }
    for (const LevelArray &a : kLevelArrays) {
        const calc::SchoolInfo &info = calc::schoolInfo(a.school);
        for (std::size_t i = 0; i < 7; ++i) {
            const int index = static_cast<int>(i);
            const Twips place{kLevelLeft, kLevelTop + index * kLevelStep, kLevelWidth, kLevelHeight};
            Control c{std::string(info.array) + "_" + std::to_string(index), Kind::Option, a.frame,
                      kLevelCaptions[i], place, a.tabIndices[i]};
            c.array = info.array;
            c.index = index;
            c.selected = index == 0;
            c.spokenName = std::string(info.name) + ", " + std::string(calc::kLevelNames[i]);
            controls.push_back(std::move(c));
        }
    }
    for (int index = 1; index <= 3; ++index) {
        const SpellOption &s = kSpellOptions[index - 1];
        Control c{"spells_" + std::to_string(index), Kind::Option, "Frame7", s.caption, s.place, s.tabIndex};
        c.array = "spells";
        c.index = index;
        c.selected = index == kSelectedSpellCount;
        c.spokenName = std::string(s.spoken);
        controls.push_back(std::move(c));
    }
    return controls;
}

} // namespace form
