// What the window's rules write to a view for each thing a player does,
// whichever view it is: the writes in their order, told as words.

#include "calc/calc_fixture.h"
#include "form1_rules.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using calc::NumberBox;
using calc::School;

std::string boxName(NumberBox box) { return std::string(calc::kBoxNames[static_cast<std::size_t>(box)]); }

class RecordingView final : public form::Form1View {
public:
    calc::Texts texts{{"1", "1", "1", "1"}, "Select School"};
    std::vector<std::string> writes;

    calc::Texts readTexts() const override { return texts; }
    void setBoxText(NumberBox box, const std::string &text) override
    {
        texts.box(box) = text;
        writes.push_back(boxName(box) + " reads " + text);
    }
    void setBoxEnabled(NumberBox box, bool enabled) override
    {
        writes.push_back(boxName(box) + (enabled ? " takes input" : " takes none"));
    }
    void showResult(const calc::Result &result) override { writes.push_back("shows " + result.number); }
    void showReport(const form::Report &report) override
    {
        writes.push_back("reports on " + boxName(report.box) + ": " + report.message);
    }
    void withdrawReport() override { writes.push_back("withdraws the report"); }
    void focusBox(NumberBox box) override { writes.push_back(boxName(box) + " takes the focus, its text selected"); }
};

using Event = std::function<void(form::Form1Rules &, RecordingView &)>;
const Event kNothingBefore = [](form::Form1Rules &, RecordingView &) {};

// A box given bad text and Enter, reported; then, if `mended` is given, the
// box mended and Enter again.
Event failIn(NumberBox box, const char *mended = nullptr)
{
    return [=](form::Form1Rules &rules, RecordingView &view) {
        view.texts.box(box) = "x";
        rules.enterClicked();
        if (mended) {
            view.texts.box(box) = mended;
            rules.enterClicked();
        }
    };
}

constexpr const char *kOutOfRange = " the number of improves out of the range the calculator can count "
                                    "(-32768 to 32767). Please correct the percents.";

struct Row {
    const char *name;
    Event before; // after the window has loaded
    Event event;
    std::vector<std::string> writes; // the event's, in order
};

const Row kRows[] = {
    // The report's life: a result withdraws it; once the player dismisses
    // it, the box named by the newest failure takes the focus; a report
    // withdrawn names none.
    {"AResultWithdrawsAnOpenReport", failIn(NumberBox::Spell3), [](auto &rules, auto &view) {
         view.texts.box(NumberBox::Spell3) = "1";
         rules.enterClicked();
     },
     {"shows 196", "withdraws the report"}},
    {"DismissingTheReportFocusesItsBox", failIn(NumberBox::Spell3), [](auto &rules, auto &) { rules.reportDismissed(); },
     {"Spell3 takes the focus, its text selected"}},
    {"TheNewestFailureNamesTheBox",
     [](auto &rules, auto &view) {
         failIn(NumberBox::Spell3)(rules, view);
         failIn(NumberBox::txtInt)(rules, view);
     },
     [](auto &rules, auto &) { rules.reportDismissed(); }, {"txtInt takes the focus, its text selected"}},
    {"AWithdrawnReportFocusesNothing", failIn(NumberBox::Spell3, "1"), [](auto &rules, auto &) { rules.reportDismissed(); },
     {}},
    {"NewSpellCountMarksTheBoxesItDoesNotUse", kNothingBefore, [](auto &rules, auto &) { rules.chooseSpellCount(1); },
     {"Spell2 takes none", "Spell2 reads X", "Spell3 takes none", "Spell3 reads X", "shows 196"}},
    {"NewSpellCountResetsTheBoxesItUses",
     [](auto &rules, auto &view) {
         rules.chooseSpellCount(1);
         view.texts.box(NumberBox::Spell1) = "40";
     },
     [](auto &rules, auto &) { rules.chooseSpellCount(2); },
     {"Spell2 takes input", "Spell2 reads 1", "Spell3 takes none", "Spell3 reads X", "shows 157"}},
    {"TheSelectedCountAgainKeepsThePercents",
     [](auto &, auto &view) { view.texts.box(NumberBox::Spell2) = "50"; },
     [](auto &rules, auto &) { rules.chooseSpellCount(3); }, {"shows 147"}},
    {"ACountThatIsNoOptionDoesNothing", kNothingBefore, [](auto &rules, auto &) { rules.chooseSpellCount(4); }, {}},
    {"TheSelectedLevelAgainOnlyRecalculates", [](auto &rules, auto &) { rules.chooseLevel(School::Faren, 3); },
     [](auto &rules, auto &) { rules.chooseLevel(School::Faren, 3); }, {"shows 224"}},
    {"EnterRecalculates", [](auto &, auto &view) { view.texts.box(NumberBox::Spell1) = "41"; },
     [](auto &rules, auto &) { rules.keyPress(form::kEnterKey); }, {"shows 156"}},
    {"AnyOtherKeyIsTheBoxsOwn", [](auto &, auto &view) { view.texts.box(NumberBox::Spell1) = "41"; },
     [](auto &rules, auto &) { rules.keyPress('4'); }, {}},
    {"AnIntellectOutOfRangeIsWrittenBackFirst", [](auto &, auto &view) { view.texts.box(NumberBox::txtInt) = "51"; },
     [](auto &rules, auto &) { rules.enterClicked(); }, {"txtInt reads 50", "shows 72"}},
    {"AFailureNamesItsBox", [](auto &, auto &view) { view.texts.box(NumberBox::Spell3) = "x"; },
     [](auto &rules, auto &) { rules.enterClicked(); },
     {"reports on Spell3: The percent of the third spell must be a whole number, such as 40: \"x\" is not one."}},
    // Percents that drive the result out of range are reported on the first.
    {"OneSpellOutOfRange",
     [](auto &rules, auto &view) {
         rules.chooseSpellCount(1);
         view.texts.box(NumberBox::Spell1) = "10923";
     },
     [](auto &rules, auto &) { rules.enterClicked(); },
     {std::string("reports on Spell1: The percent of the one spell (counted three times) takes") + kOutOfRange}},
    {"TwoSpellsOutOfRange",
     [](auto &rules, auto &view) {
         rules.chooseSpellCount(2);
         view.texts.box(NumberBox::Spell2) = "30000";
     },
     [](auto &rules, auto &) { rules.enterClicked(); },
     {std::string("reports on Spell1: The percents of the two spells take") + kOutOfRange}},
    {"ThreeSpellsOutOfRange", [](auto &, auto &view) { view.texts.box(NumberBox::Spell3) = "32767"; },
     [](auto &rules, auto &) { rules.enterClicked(); },
     {std::string("reports on Spell1: The percents of the three spells take") + kOutOfRange}},
    {"TheCreditTakenOffOutOfRange", [](auto &, auto &view) { view.texts.box(NumberBox::Spell1) = "-32768"; },
     [](auto &rules, auto &) { rules.enterClicked(); },
     {std::string("reports on Spell1: The percents of the three spells take") + kOutOfRange}},
};

class Form1RulesTable : public testing::TestWithParam<Row> {};

TEST_P(Form1RulesTable, WritesOfTheEvent)
{
    RecordingView view;
    form::Form1Rules rules(view);
    rules.load();
    EXPECT_EQ(view.writes, std::vector<std::string>{"shows 196"});
    GetParam().before(rules, view);
    view.writes.clear();
    GetParam().event(rules, view);
    EXPECT_EQ(view.writes, GetParam().writes);
}

INSTANTIATE_TEST_SUITE_P(Form1Rules, Form1RulesTable, testing::ValuesIn(kRows), RowName());

// What a report says of each kind of bad text in each box: the text as
// typed, in the words of the box it is in.
struct BoxWords {
    NumberBox box;
    const char *must;     // what the box must hold, to the colon
    const char *rangeFor; // the same, for a number out of range
};
const BoxWords kBoxWords[] = {
    {NumberBox::txtInt, "Intellect must be a whole number, such as 18",
     "Intellect must be a whole number from -32768 to 32767 (the calculator then keeps it within 1 to 50)"},
    {NumberBox::Spell1, "The percent of the first spell must be a whole number, such as 40",
     "The percent of the first spell must be a whole number from -32768 to 32767"},
    {NumberBox::Spell2, "The percent of the second spell must be a whole number, such as 40",
     "The percent of the second spell must be a whole number from -32768 to 32767"},
    {NumberBox::Spell3, "The percent of the third spell must be a whole number, such as 40",
     "The percent of the third spell must be a whole number from -32768 to 32767"},
};
struct BadText {
    const char *kind;
    const char *text;
    bool outOfRange;
    const char *wrong; // what the report says is wrong with it
};
const BadText kBadTexts[] = {
    {"Letters", "abc", false, "\"abc\" is not one."},
    {"Empty", "", false, "the box is empty."},
    {"Decimal", "1.5", false, "\"1.5\" is not one."},
    {"Markup", "<b>7</b>", false, "\"<b>7</b>\" is not one."},
    {"LongLetters", "abcdefghijklmnopqrstuvwxyz", false, "\"abcdefghijklmnopqrst\u2026\" is not one."},
    {"LongNumber", "123456789012345678901234", true, "12345678901234567890\u2026 is more than the box can hold."},
    {"TooLarge", "40000", true, "40000 is more than the box can hold."},
    {"TooSmall", " -40000", true, "-40000 is less than the box can hold."},
};

class ReportWords : public testing::TestWithParam<std::tuple<BoxWords, BadText>> {};

TEST_P(ReportWords, SayWhatIsWrongWithTheText)
{
    const auto &[box, bad] = GetParam();
    RecordingView view;
    form::Form1Rules rules(view);
    rules.load();
    view.writes.clear();
    view.texts.box(box.box) = bad.text;
    rules.enterClicked();
    const std::string message = std::string(bad.outOfRange ? box.rangeFor : box.must) + ": " + bad.wrong;
    EXPECT_EQ(view.writes, std::vector<std::string>{"reports on " + boxName(box.box) + ": " + message});
}

INSTANTIATE_TEST_SUITE_P(Form1Rules, ReportWords,
                         testing::Combine(testing::ValuesIn(kBoxWords), testing::ValuesIn(kBadTexts)),
                         [](const auto &row) { return boxName(std::get<0>(row.param).box) + std::get<1>(row.param).kind; });

// The selection the rules hold follows every choice, new or repeated.
TEST(Form1Rules, SelectedLevelFollowsEachChoice)
{
    RecordingView view;
    form::Form1Rules rules(view);
    for (const int index : {1, 6, 0, 2, 2, 1}) {
        rules.chooseLevel(School::WC, index);
        EXPECT_EQ(rules.selectedLevel(School::WC), index);
    }
}

} // namespace
