// Every handler that recalculates, meeting a failure in every place one can
// arise, held against the reference model: the failure is reported once,
// the window keeps the last result, what the handler wrote before it
// stays, and the next action works.

#include "form1_rules.h"
#include "reference_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace {

using model::Box;

// The window as a player sees it, written only by the rules.
class ShownWindow final : public form::Form1View {
public:
    model::Window shown;
    std::vector<form::Report> reports;

    calc::Texts readTexts() const override { return {shown.boxes, shown.school}; }
    void setBoxText(calc::NumberBox box, const std::string &text) override
    {
        shown.boxes[static_cast<std::size_t>(box)] = text;
    }
    void setBoxEnabled(calc::NumberBox box, bool enabled) override
    {
        (box == calc::NumberBox::Spell2 ? shown.spell2Enabled : shown.spell3Enabled) = enabled;
    }
    void showResult(const calc::Result &result) override
    {
        shown.total = result.number;
        shown.title = result.title;
        shown.verdict = result.verdict;
    }
    void showReport(const form::Report &report) override { reports.push_back(report); }
    void withdrawReport() override {}
    void focusBox(calc::NumberBox) override {}
};

// The rules show what the model shows, and report the fault it reports.
void expectAsModel(const ShownWindow &view, const model::Window &w, const std::optional<model::Fault> &fault)
{
    EXPECT_EQ(view.shown.title, w.title);
    EXPECT_EQ(view.shown.total, w.total);
    EXPECT_EQ(view.shown.verdict, w.verdict);
    EXPECT_EQ(view.shown.boxes, w.boxes);
    EXPECT_EQ(view.shown.spell2Enabled, w.spell2Enabled);
    EXPECT_EQ(view.shown.spell3Enabled, w.spell3Enabled);
    ASSERT_EQ(view.reports.size(), fault ? 1u : 0u);
    // A fault of the arithmetic, which no box holds, is reported on the first percent.
    if (fault) {
        EXPECT_EQ(view.reports.front().box, static_cast<calc::NumberBox>(fault->box.value_or(Box::Spell1)));
    }
}

struct Place {
    const char *name;
    Box box;
    const char *text;
    unsigned counts; // the spell counts under which this text fails, as bits 1 << count
};
constexpr unsigned kAnyCount = 0b1110;
const Place kPlaces[] = {
    {"txtIntNotANumber", Box::txtInt, "abc", kAnyCount},
    {"Spell1Empty", Box::Spell1, "", kAnyCount},
    {"Spell2X", Box::Spell2, "X", 1u << 2 | 1u << 3},
    {"Spell3Letters", Box::Spell3, "seven", 1u << 3},
    {"CreditOfOneSpell", Box::Spell1, "10923", 1u << 1},
    {"CreditOfTwoSpells", Box::Spell1, "32767", 1u << 2},
    {"CreditOfThreeSpells", Box::Spell1, "32767", 1u << 3},
    {"CreditTakenOff", Box::Spell1, "-32768", 1u << 2 | 1u << 3},
};

struct Handler {
    enum Kind { Level, Spells, EnterKey, EnterButton };
    const char *name;
    Kind kind;
    std::size_t column = 0; // by the model's columns
    int option = 0;         // level option, or spell count
};
// Each level click goes above "Level One", so a kept level shows in the
// result once the failure is mended.
const Handler kHandlers[] = {
    {"Kraanan_Click", Handler::Level, 0, 6}, {"Shally_Click", Handler::Level, 1, 2},
    {"Riija_Click", Handler::Level, 2, 3},   {"Jala_Click", Handler::Level, 3, 4},
    {"Qor_Click", Handler::Level, 4, 5},     {"Faren_Click", Handler::Level, 5, 3},
    {"WC_Click", Handler::Level, 6, 2},      {"spells_Click1", Handler::Spells, 0, 1},
    {"spells_Click2", Handler::Spells, 0, 2}, {"spells_Click3", Handler::Spells, 0, 3},
    {"Box_KeyPress", Handler::EnterKey},     {"Command1_Click", Handler::EnterButton},
};

// The spell count a row runs under, or 0 when the handler cannot meet the
// failure (a spell-count click resets the boxes it enables).
int countFor(const Handler &h, const Place &p)
{
    if (h.kind == Handler::Spells)
        return (p.box == Box::txtInt || p.box == Box::Spell1) && (p.counts & 1u << h.option) ? h.option : 0;
    return p.counts & 1u << 3 ? 3 : p.counts & 1u << 2 ? 2 : 1;
}

calc::School schoolOf(std::size_t column)
{
    return std::find_if(calc::kSchools.begin(), calc::kSchools.end(), [&](const calc::SchoolInfo &s) {
               return s.array == model::kColumns[column].array;
           })->school;
}

std::optional<model::Fault> trigger(form::Form1Rules &rules, model::Model &m, const Handler &h)
{
    switch (h.kind) {
    case Handler::Level:
        rules.chooseLevel(schoolOf(h.column), h.option);
        return m.clickLevel(h.column, h.option);
    case Handler::Spells:
        rules.chooseSpellCount(h.option);
        return m.clickSpells(h.option);
    case Handler::EnterKey:
        rules.keyPress(form::kEnterKey);
        return m.enter();
    case Handler::EnterButton:
        rules.enterClicked();
        return m.enter();
    }
    return std::nullopt;
}

struct Case {
    const Handler *handler;
    const Place *place;
};

std::vector<Case> cases()
{
    std::vector<Case> all;
    for (const Handler &h : kHandlers)
        for (const Place &p : kPlaces)
            if (countFor(h, p) != 0)
                all.push_back({&h, &p});
    return all;
}

class HandlerFailure : public testing::TestWithParam<Case> {};

TEST_P(HandlerFailure, IsReportedOnceAndNothingKeptIsLost)
{
    const Handler &h = *GetParam().handler;
    const Place &p = *GetParam().place;
    ShownWindow view;
    form::Form1Rules rules(view);
    model::Model m;
    rules.load();
    m.load();

    const int count = countFor(h, p);
    if (h.kind != Handler::Spells && count != 3) {
        rules.chooseSpellCount(count);
        m.clickSpells(count);
    }
    view.shown.boxes[static_cast<std::size_t>(p.box)] = p.text;
    m.type(p.box, p.text);
    const model::Window before = view.shown;
    view.reports.clear();

    const std::optional<model::Fault> fault = trigger(rules, m, h);
    ASSERT_TRUE(fault.has_value()) << "the model sees no failure in this row";
    EXPECT_EQ(view.shown.title, before.title);
    EXPECT_EQ(view.shown.total, before.total);
    EXPECT_EQ(view.shown.verdict, before.verdict);
    EXPECT_EQ(view.shown.boxes[static_cast<std::size_t>(p.box)], p.text);
    expectAsModel(view, m.window, fault);

    // Mend the box and go on: the result now includes what the failed
    // handler stored.
    view.shown.boxes[static_cast<std::size_t>(p.box)] = "1";
    m.type(p.box, "1");
    view.reports.clear();
    rules.enterClicked();
    ASSERT_FALSE(m.enter().has_value());
    expectAsModel(view, m.window, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Form1Rules, HandlerFailure, testing::ValuesIn(cases()), [](const auto &row) {
    return std::string(row.param.handler->name) + "_" + row.param.place->name;
});

} // namespace
