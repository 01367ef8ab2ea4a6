// The calculator's core for the web page: the window's rules over the
// page's own controls. The page's script hands each event to a Calculator
// and gives it an object through which the rules read and write the page
// (see calculator.js).

#include "form1_rules.h"
#include "layout.h"
#include "words.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <utility>

namespace {

using emscripten::val;

class PageView final : public form::Form1View {
public:
    explicit PageView(val page) : page_(std::move(page)) {}

    // The page gives each box's text by the box's name.
    calc::Texts readTexts() const override
    {
        const val read = page_.call<val>("readTexts");
        calc::Texts texts;
        for (std::size_t b = 0; b < texts.boxes.size(); ++b)
            texts.boxes[b] = read[std::string(calc::kBoxNames[b])].as<std::string>();
        texts.school = read[std::string(form::kSchoolBoxName)].as<std::string>();
        return texts;
    }

    void setBoxText(calc::NumberBox box, const std::string &text) override
    {
        page_.call<void>("setBoxText", name(box), text);
    }

    void setBoxEnabled(calc::NumberBox box, bool enabled) override
    {
        page_.call<void>("setBoxEnabled", name(box), enabled);
    }

    void showResult(const calc::Result &result) override
    {
        val shown = val::object();
        shown.set("number", result.number);
        shown.set("title", result.title);
        shown.set("verdict", std::string(result.verdict));
        shown.set("working", result.workingText());
        shown.set("announcement", form::announcement(result));
        page_.call<void>("showResult", shown);
    }

    void showReport(const form::Report &report) override { page_.call<void>("showReport", report.message); }

    void withdrawReport() override { page_.call<void>("withdrawReport"); }

    void focusBox(calc::NumberBox box) override { page_.call<void>("focusBox", name(box)); }

private:
    static std::string name(calc::NumberBox box) { return std::string(calc::kBoxNames[static_cast<std::size_t>(box)]); }

    val page_;
};

class Calculator {
public:
    explicit Calculator(val page) : view_(std::move(page)), rules_(view_) {}

    void load() { rules_.load(); }

    // Option `index` of the option array named `array` ("Faren", "spells")
    // was chosen.
    void choose(const std::string &array, int index)
    {
        if (array == "spells")
            rules_.chooseSpellCount(index);
        else if (const calc::SchoolInfo *info = school(array))
            rules_.chooseLevel(info->school, index);
    }

    // The option the rules hold selected in that array.
    int selected(const std::string &array) const
    {
        if (array == "spells")
            return rules_.state().spellCount;
        const calc::SchoolInfo *info = school(array);
        return info ? rules_.selectedLevel(info->school) : -1;
    }

    // A key went down in a number box: `key` as the page names it.
    void keyPress(const std::string &key) { rules_.keyPress(key == "Enter" ? form::kEnterKey : 0); }

    void enterClicked() { rules_.enterClicked(); }

    void reportDismissed() { rules_.reportDismissed(); }

private:
    static const calc::SchoolInfo *school(const std::string &array)
    {
        for (const calc::SchoolInfo &info : calc::kSchools)
            if (info.array == array)
                return &info;
        return nullptr;
    }

    PageView view_;
    form::Form1Rules rules_;
};

} // namespace

EMSCRIPTEN_BINDINGS(improves)
{
    emscripten::class_<Calculator>("Calculator")
        .constructor<val>()
        .function("load", &Calculator::load)
        .function("choose", &Calculator::choose)
        .function("selected", &Calculator::selected)
        .function("keyPress", &Calculator::keyPress)
        .function("enterClicked", &Calculator::enterClicked)
        .function("reportDismissed", &Calculator::reportDismissed);
}
