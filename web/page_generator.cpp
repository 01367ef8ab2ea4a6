// Writes the characters each of the layout's own serif faces has to draw,
// so that the faces are cut to them; then the web page: its window as HTML
// from the layout, with the first result already in it and its style sheet
// and faces inside, so that the page is complete before any script runs;
// and the page's script and manifest. Every template's placeholders are
// {{NAME}}s, filled here in one pass.

#include "form1_rules.h"
#include "layout.h"
#include "layout_facts.h"
#include "words.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using form::Control;
using form::Kind;
using form::Look;

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// An attribute, its value escaped: every attribute the page has is written
// here.
std::string attr(std::string_view name, std::string_view value)
{
    return " " + std::string(name) + "=\"" + escaped(value) + "\"";
}

std::string px(int twips) { return std::to_string(form::pixels(twips)) + "px"; }

// Where the desk layout puts a control: custom properties that the style
// sheet uses only while the page lays the window out as the desktop does.
// `stacking` orders controls that overlap, higher on top.
std::string place(const form::Twips &t, std::size_t stacking = 0)
{
    return attr("style", "--x:" + px(t.left) + ";--y:" + px(t.top) + ";--w:" + px(t.width) + ";--h:" + px(t.height) +
                             (stacking ? ";--z:" + std::to_string(stacking) : ""));
}

std::string lookClass(Look look)
{
    switch (look) {
    case Look::Plain: return "";
    case Look::NumberBox: return " look-box";
    case Look::Total: return " look-total";
    case Look::Serif: return " look-serif";
    case Look::SerifGreen: return " look-serif-green";
    }
    return "";
}

// The window's tab index: at a desk the page's script gives it to the
// control, so that the keyboard goes the window's way.
std::string tabAttribute(const Control &c) { return attr("data-tab", std::to_string(c.tabIndex)); }

std::string titleAttribute(const Control &c) { return c.description.empty() ? "" : attr("title", c.description); }

// The window as the rules leave it after loading, from the layout's own
// texts: what the page shows before its script runs.
class FirstResult final : public form::Form1View {
public:
    explicit FirstResult(const std::vector<Control> &layout)
    {
        for (const Control &c : layout)
            for (std::size_t b = 0; b < texts_.boxes.size(); ++b)
                if (c.name == calc::kBoxNames[b])
                    texts_.boxes[b] = std::string(c.text);
        texts_.school = std::string(std::find_if(layout.begin(), layout.end(), [](const Control &c) {
                                        return c.kind == Kind::EditCombo;
                                    })->text);
    }

    calc::Texts readTexts() const override { return texts_; }
    void setBoxText(calc::NumberBox box, const std::string &text) override { texts_.box(box) = text; }
    void setBoxEnabled(calc::NumberBox, bool) override {}
    void showResult(const calc::Result &result) override { result_ = result; }
    void showReport(const form::Report &report) override { throw std::runtime_error(report.message); }
    void withdrawReport() override {}
    void focusBox(calc::NumberBox) override {}

    const calc::Texts &texts() const { return texts_; }
    const calc::Result &result() const { return result_.value(); }

private:
    calc::Texts texts_;
    std::optional<calc::Result> result_;
};

class Writer {
public:
    Writer(const std::vector<Control> &layout, const FirstResult &first) : layout_(layout), first_(first)
    {
        for (const Control &c : layout)
            children_[c.container].push_back(&c);
        for (auto &[container, children] : children_)
            order(container, children);
        // A box whose spoken name a label shows is that label's control.
        for (const Control &c : layout)
            if (c.kind == Kind::TextBox)
                for (const Control &label : layout)
                    if (label.kind == Kind::Label && label.text == c.spokenName)
                        labelFor_[label.name] = c.name;
    }

    std::string window() const { return childrenOf(""); }

private:
    // The window's own controls in the reading order, which is the page's:
    // a screen reader and a page that flows follow it. Within a frame, tab
    // order: options in a column go top to bottom, as arrow keys move.
    static void order(std::string_view container, std::vector<const Control *> &controls)
    {
        const auto rank = [](const Control *c) {
            const auto at = std::find(form::kReadingOrder.begin(), form::kReadingOrder.end(), c->name);
            if (at == form::kReadingOrder.end())
                throw std::runtime_error("the reading order lacks " + c->name);
            return at - form::kReadingOrder.begin();
        };
        std::stable_sort(controls.begin(), controls.end(), [&](const Control *a, const Control *b) {
            if (container.empty())
                return rank(a) < rank(b);
            if (a->kind == Kind::Option && b->kind == Kind::Option)
                return a->index < b->index;
            return a->tabIndex < b->tabIndex;
        });
    }

    std::string childrenOf(std::string_view container) const
    {
        std::string html;
        const auto found = children_.find(container);
        if (found != children_.end())
            for (const Control *c : found->second)
                html += control(*c);
        return html;
    }

    // A label that no control shows names it for a screen reader alone.
    static std::string spokenLabel(const Control &c)
    {
        return "<label class=\"spoken\"" + attr("for", c.name) + ">" + escaped(c.spokenName) + "</label>";
    }

    bool shownLabelNames(const Control &c) const
    {
        return std::any_of(labelFor_.begin(), labelFor_.end(), [&](const auto &l) { return l.second == c.name; });
    }

    std::string control(const Control &c) const
    {
        const std::string id = attr("id", c.name);
        // The layout lists the controls in stacking order, bottom first.
        const std::string at = place(c.place, static_cast<std::size_t>(&c - layout_.data()) + 1);
        switch (c.kind) {
        case Kind::Frame:
            return "<fieldset" + id + " class=\"frame\"" + at + "><legend>" + escaped(c.text) + "</legend>" +
                   childrenOf(c.name) + "</fieldset>\n";
        case Kind::Option:
            return "<label class=\"option\"" + at + "><input type=\"radio\"" + id + attr("name", c.array) +
                   attr("value", std::to_string(c.index)) + (c.selected ? " checked" : "") + tabAttribute(c) + ">" +
                   escaped(c.text) + "</label>\n";
        case Kind::TextBox: {
            const auto box = static_cast<std::size_t>(
                std::find(calc::kBoxNames.begin(), calc::kBoxNames.end(), c.name) - calc::kBoxNames.begin());
            return (shownLabelNames(c) ? "" : spokenLabel(c)) + "<input type=\"text\"" + id +
                   attr("class", "box" + lookClass(c.look)) + " data-box inputmode=\"numeric\" enterkeyhint=\"done\"" +
                   attr("value", first_.texts().boxes[box]) + " autocomplete=\"off\" spellcheck=\"false\"" +
                   tabAttribute(c) + titleAttribute(c) + at + ">\n";
        }
        case Kind::Button:
            return "<button type=\"button\"" + id + tabAttribute(c) + titleAttribute(c) + at + ">" + escaped(c.text) +
                   "</button>\n";
        case Kind::EditCombo: {
            // A text field with a list of its own beside it, which the page's
            // script opens as a drop-down box does (a browser's suggestion
            // list can be neither drawn as a drop-down at rest nor opened on
            // demand in every engine). The starting text is the field's
            // placeholder: empty or not, it names no school.
            const std::string list = c.name + "-list";
            std::string html = spokenLabel(c) + "<div class=\"combo\"" + at + "><input type=\"text\"" + id +
                               " role=\"combobox\" aria-expanded=\"false\"" + attr("aria-controls", list) +
                               " aria-autocomplete=\"none\"" + attr("placeholder", c.text) +
                               " autocomplete=\"off\" spellcheck=\"false\"" + tabAttribute(c) + titleAttribute(c) +
                               "><button type=\"button\"" + attr("id", c.name + "-open") + " tabindex=\"-1\"" +
                               attr("aria-label", form::kSchoolListName) + " aria-expanded=\"false\"" +
                               attr("aria-controls", list) + "></button><ul" + attr("id", list) + " role=\"listbox\"" +
                               attr("aria-label", form::kSchoolListName) + " hidden>";
            for (std::size_t i = 0; i < calc::kSchools.size(); ++i)
                html += "<li role=\"option\"" + attr("id", list + "-" + std::to_string(i)) +
                        " aria-selected=\"false\">" + escaped(calc::kSchools[i].name) + "</li>";
            return html + "</ul></div>\n";
        }
        case Kind::ListCombo: {
            std::string html = spokenLabel(c) + "<select" + id + tabAttribute(c) + titleAttribute(c) + at +
                               "><option value=\"\" selected disabled hidden></option>";
            for (std::string_view grade : form::kGrades)
                html += "<option>" + escaped(grade) + "</option>";
            return html + "</select>\n";
        }
        case Kind::Label:
            return label(c, id, at);
        }
        return {};
    }

    std::string label(const Control &c, const std::string &id, const std::string &at) const
    {
        const std::string classes = attr("class", "label" + lookClass(c.look));
        if (const auto control = labelFor_.find(c.name); control != labelFor_.end())
            return "<label" + id + classes + attr("for", control->second) + at + ">" + escaped(c.text) + "</label>\n";
        const calc::Result &r = first_.result();
        switch (c.shows) {
        case form::Shows::Number: {
            // Named by what it means and the number itself; its working
            // shows under it on hover and on focus, and is its description.
            const form::Twips below{c.place.left, c.place.top + c.place.height, c.place.width, 0};
            return "<output" + id + classes + " tabindex=\"0\"" + tabAttribute(c) + " aria-live=\"off\"" +
                   attr("aria-labelledby", "total-meaning " + c.name) + " aria-describedby=\"working\"" + at + ">" +
                   escaped(r.number) + "</output><span id=\"total-meaning\" hidden>" + escaped(form::kTotalMeaning) +
                   "</span><span id=\"working\" role=\"tooltip\"" + place(below) + ">" + escaped(r.workingText()) +
                   "</span>\n";
        }
        case form::Shows::Verdict:
            return "<output" + id + classes + " aria-live=\"off\"" + titleAttribute(c) + at + ">" +
                   escaped(r.verdict) + "</output>\n";
        case form::Shows::Caption:
            break;
        }
        return "<span" + id + classes + at + ">" + escaped(c.text) + "</span>\n";
    }

    const std::vector<Control> &layout_;
    const FirstResult &first_;
    std::map<std::string_view, std::vector<const Control *>, std::less<>> children_;
    std::map<std::string_view, std::string_view> labelFor_; // label -> the control it names
};

std::string about()
{
    std::string html;
    for (const form::Text &t : form::kForm2Texts)
        html += "<p" + attr("id", "Form2-" + std::string(t.name)) + place(t.place) + ">" + escaped(t.caption) + "</p>\n";
    // Over the texts, the invisible surface a click on which hides the window.
    return html + "<div id=\"Label7\"" + place(form::kLabel7) + "></div>\n";
}

std::string read(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

using Values = std::map<std::string, std::string, std::less<>>;

// The template with each {{NAME}} filled with its value, in one pass over
// it; a {{FACE.url}}, with the data URL the face cutter wrote to
// FACES/FACE.url. A name without a value stops the build.
std::string filled(const std::string &text, const Values &values, const std::string &faces = {})
{
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = text.find("{{"); at != std::string::npos; at = text.find("{{", from)) {
        const std::size_t end = text.find("}}", at);
        if (end == std::string::npos)
            throw std::runtime_error("a template leaves {{ open");
        const std::string name = text.substr(at + 2, end - at - 2);
        out.append(text, from, at - from);
        if (const auto value = values.find(name); value != values.end())
            out += value->second;
        else if (!faces.empty() && name.ends_with(".url"))
            out += read(faces + "/" + name);
        else
            throw std::runtime_error("no value for {{" + name + "}}");
        from = end + 2;
    }
    return out + text.substr(from);
}

// The characters of the labels drawn in `look`, for cutting its face.
std::string charactersOf(const std::vector<Control> &layout, Look look)
{
    std::string characters;
    for (const Control &c : layout)
        if (c.look == look)
            characters += c.text;
    return characters;
}

} // namespace

// usage: page_generator glyphs OUT_DIR
//        page_generator page TEMPLATE_DIR MADE_DIR NAME SUMMARY VERSION
// The window's text in the reader's units (rem, as a number): the desktop's
// 8 points at a reader's default of 16 px. The style sheet draws the desk
// window's text at it, and the page's script measures the reader's text
// against it.
constexpr const char *kWindowText = "2 / 3";

// The page, its script and its manifest are written to MADE_DIR from the
// templates in TEMPLATE_DIR, with the faces and the build's name
// (build.txt) the build made there; the worker, once the site is whole,
// with the version's name the build gives it.
int main(int argc, char **argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const bool glyphs = args.size() == 2 && args[0] == "glyphs", page = args.size() == 6 && args[0] == "page";
    const bool worker = args.size() >= 4 && args[0] == "worker";
    if (!glyphs && !page && !worker) {
        std::cerr << "usage: page_generator glyphs OUT_DIR\n"
                     "       page_generator page TEMPLATE_DIR MADE_DIR NAME SUMMARY VERSION\n"
                     "       page_generator worker TEMPLATE OUT VERSION_NAME FILE...\n";
        return 2;
    }
    try {
        if (worker) {
            // The site's worker, keeping the site's files under the version's name.
            std::string files = form::jsonString("./");
            for (std::size_t i = 4; i < args.size(); ++i)
                files += ", " + form::jsonString(args[i]);
            write(std::string(args[2]), filled(read(std::string(args[1])),
                                               {{"VERSION_NAME", form::jsonString(args[3])}, {"SITE_FILES", files}}));
            return 0;
        }
        const std::vector<Control> layout = form::form1Controls();
        if (glyphs) {
            const std::string out(args[1]);
            write(out + "/serif.txt", charactersOf(layout, Look::Serif));
            write(out + "/serif-bold-italic.txt", charactersOf(layout, Look::SerifGreen));
            return 0;
        }
        const std::string templates(args[1]), made(args[2]);
        const std::string name(args[3]), summary(args[4]), version(args[5]), build = read(made + "/build.txt");
        FirstResult first(layout);
        form::Form1Rules rules(first);
        rules.load();
        // The desk layout needs room for the window, its border and margins,
        // in the reader's units: a larger text asks for a wider screen.
        char deskWidth[32];
        std::snprintf(deskWidth, sizeof deskWidth, "%gem", (form::pixels(form::kForm1Width) + 40) / 16.0);
        const std::string css = filled(read(templates + "/calculator.css.in"),
                                       {{"DESK_WIDTH", deskWidth}, {"WINDOW_TEXT", kWindowText}}, made);
        write(made + "/index.html",
              filled(read(templates + "/index.html.in"),
                     {{"STYLE", css},
                      {"WINDOW", Writer(layout, first).window()},
                      {"WINDOW_SIZE", "--w:" + px(form::kForm1Width) + ";--h:" + px(form::kForm1Height)},
                      {"ABOUT", about()},
                      {"ABOUT_SIZE", "--w:" + px(form::kForm2Width) + ";--h:" + px(form::kForm2Height)},
                      {"ABOUT_TITLE", escaped(form::kForm2Title)},
                      {"TITLE", escaped(first.result().title)},
                      {"NAME", escaped(name)},
                      {"SUMMARY", escaped(summary)},
                      {"VERSION", escaped(version)},
                      {"BUILD", build}}));
        write(made + "/calculator.js",
              filled(read(templates + "/calculator.js"), {{"BUILD", build}, {"WINDOW_TEXT", kWindowText}}));
        write(made + "/manifest.json", filled(read(templates + "/manifest.json.in"),
                                              {{"NAME", form::jsonString(name)}, {"SUMMARY", form::jsonString(summary)}}));
    } catch (const std::exception &error) {
        std::cerr << "page_generator: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
