#include "form1_layout.h"

#include "classic_look.h"
#include "faces.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

namespace {

enum class Kind { Label, TextBox, Frame, Button, EditCombo, ListCombo };
enum class Look { Plain, NumberBox, Total, Serif, SerifGreen };

struct Control {
    const char *name;
    Kind kind;
    const char *container; // nullptr: the window itself
    const char *text;
    int left, top, width, height; // twips
    int tabIndex;
    Look look;
};

// Names the calculation and the layout share: a school's column caption
// and the number boxes. (The names are literals, so their data ends in NUL.)
constexpr const char *schoolName(calc::School school) { return calc::schoolInfo(school).name.data(); }
constexpr const char *boxName(calc::NumberBox box) { return calc::kBoxNames[static_cast<std::size_t>(box)].data(); }
using calc::NumberBox;
using calc::School;

// Creation order is stacking order, bottom first: labels lie under every
// windowed control, and among the labels Label5 is on top.
constexpr Control kControls[] = {
    {"Label1", Kind::Label, nullptr, "Your magic number...", 2685, 5250, 1545, 225, 57, Look::Plain},
    {"lblTotal", Kind::Label, nullptr, "0", 2670, 5535, 1425, 540, 58, Look::Total},
    {"Label2", Kind::Label, nullptr, "My Intellect is:", 165, 105, 1185, 300, 67, Look::Plain},
    {"Label3", Kind::Label, nullptr, "<Quillo>", 1605, 6105, 1140, 345, 70, Look::SerifGreen},
    {"Label4", Kind::Label, nullptr, "Mossbarrow sends, \"", 30, 6105, 1560, 345, 71, Look::Serif},
    {"Label5", Kind::Label, nullptr, "\"", 2565, 6105, 1560, 345, 72, Look::Serif},

    {boxName(NumberBox::txtInt), Kind::TextBox, nullptr, "1", 1500, 75, 615, 345, 68, Look::NumberBox},
    {"Frame1", Kind::Frame, nullptr, schoolName(School::Kraanan), 100, 480, 1275, 1680, 0, Look::Plain},
    {"Frame2", Kind::Frame, nullptr, schoolName(School::Shally), 1500, 510, 1275, 1680, 8, Look::Plain},
    {"Frame3", Kind::Frame, nullptr, schoolName(School::Faren), 2900, 510, 1275, 1680, 16, Look::Plain},
    {"Frame9", Kind::Frame, nullptr, schoolName(School::WC), 4260, 525, 1275, 1680, 59, Look::Plain},
    {"Frame5", Kind::Frame, nullptr, schoolName(School::Riija), 100, 2300, 1275, 1680, 32, Look::Plain},
    {"Frame4", Kind::Frame, nullptr, schoolName(School::Qor), 1500, 2295, 1275, 1680, 24, Look::Plain},
    {"Frame6", Kind::Frame, nullptr, schoolName(School::Jala), 2900, 2340, 1275, 1680, 40, Look::Plain},
    {"Command3", Kind::Button, nullptr, "About", 4350, 2655, 1140, 390, 74, Look::Plain},
    {"Frame7", Kind::Frame, nullptr, "There are this many spells in my current level...", 120, 4080, 3525, 1065, 48, Look::Plain},
    {"Combo2", Kind::EditCombo, nullptr, "Select School", 3840, 4200, 1455, 315, 75, Look::Plain},
    {"Frame8", Kind::Frame, nullptr, "And my current percents are...", 135, 5190, 2385, 840, 52, Look::Plain},
    {boxName(NumberBox::Spell1), Kind::TextBox, "Frame8", "1", 210, 330, 435, 315, 53, Look::NumberBox},
    {boxName(NumberBox::Spell2), Kind::TextBox, "Frame8", "1", 750, 330, 435, 315, 54, Look::NumberBox},
    {boxName(NumberBox::Spell3), Kind::TextBox, "Frame8", "1", 1260, 330, 435, 315, 55, Look::NumberBox},
    {"Command1", Kind::Button, "Frame8", "enter", 1815, 345, 495, 285, 56, Look::Plain},
    {"Combo1", Kind::ListCombo, nullptr, "", 2850, 6045, 1755, 315, 73, Look::Plain},
    {"Command2", Kind::Button, nullptr, "Exit", 4770, 6060, 825, 300, 69, Look::Plain},
};

const QStringList kGradeList = {"1 - Slight",  "2 - Small",     "3 - Moderate",  "4 - Solid",
                                "5 - Severe",  "6 - Swift",     "7 - Potent",    "8 - Damaging",
                                "9 - Prominent", "10 - Crushing", "11 - Enormous"};

struct LevelArray {
    School school; // names the array
    const char *frame;
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
constexpr const char *kLevelCaptions[] = {"None",       "Level One", "Leven Two", "Level Three",
                                          "Level Four", "Level Five", "Level Six"};
constexpr int kLevelLeft = 30, kLevelTop = 200, kLevelStep = 200, kLevelWidth = 1200, kLevelHeight = 225;

struct SpellOption {
    const char *caption;
    const char *spoken; // the caption alone would not say what it counts
    int left, top, width, height;
    int tabIndex;
};

constexpr SpellOption kSpellOptions[] = {
    {"One spell\\skill", "One spell", 30, 240, 2190, 210, 49},
    {"Two", "Two spells", 30, 480, 2955, 210, 51},
    {"Three", "Three spells", 30, 720, 1215, 210, 50},
};

// What a screen reader says for controls whose caption alone would not tell
// the player what they are. Labels that show results keep their text as the
// name, so that each new result is announced, and say what it means in the
// description (the number's, with its working, comes with each result).
struct Spoken {
    const char *control;
    const char *name; // nullptr: the control's own text
    const char *description;
};

constexpr Spoken kSpoken[] = {
    {boxName(NumberBox::txtInt), "My Intellect is:", "Intellect, 1 to 50"},
    {boxName(NumberBox::Spell1), "Current percent of spell 1", nullptr},
    {boxName(NumberBox::Spell2), "Current percent of spell 2", nullptr},
    {boxName(NumberBox::Spell3), "Current percent of spell 3", nullptr},
    {"Command1", nullptr, "Recalculate from the boxes"},
    {"Combo2", "School", "School being advanced"},
    {"Combo1", "Grade", nullptr},
    {"Label1", nullptr, "How far the next level is"},
};

void makeSpoken(const std::map<std::string_view, QWidget *> &byName)
{
    for (const Spoken &s : kSpoken) {
        QWidget *widget = byName.at(s.control);
        if (s.name)
            widget->setAccessibleName(s.name);
        if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(s.name);
        if (s.description)
            widget->setAccessibleDescription(s.description);
    }
}

// A table names a control of the wrong kind only by mistake; stop at once
// rather than run with a control that cannot be reached.
template <class T>
T *as(QWidget *widget)
{
    T *typed = qobject_cast<T *>(widget);
    if (!typed)
        qFatal("layout: %s is not a %s", qPrintable(widget->objectName()), T::staticMetaObject.className());
    return typed;
}

// "Faren, Level Three": the column's caption without its trailing dots, then
// the option's spoken caption.
QString spokenOption(const QGroupBox *frame, std::string_view caption)
{
    QString column = frame->title();
    while (column.endsWith('.'))
        column.chop(1);
    return QStringLiteral("%1, %2").arg(column, QString::fromUtf8(caption.data(), qsizetype(caption.size())));
}

QFont fontFor(Look look, const QFont &base)
{
    QFont font = base;
    switch (look) {
    case Look::Plain:
        return font;
    case Look::NumberBox:
        font.setFamily(faces::kSans);
        font.setPointSizeF(9.75);
        font.setBold(true);
        return font;
    case Look::Total:
        font.setFamily(faces::kSans);
        font.setPointSizeF(24);
        font.setBold(true);
        return font;
    case Look::Serif:
    case Look::SerifGreen:
        font.setFamily(faces::kSerif);
        font.setPointSizeF(9.75);
        font.setBold(look == Look::SerifGreen);
        font.setStretch(95);
        font.setItalic(look == Look::SerifGreen);
        return font;
    }
    return font;
}

void applyLook(QWidget *widget, Look look)
{
    if (look == Look::Plain)
        return;
    widget->setFont(fontFor(look, widget->font()));
}

QWidget *create(const Control &c, QWidget *parent)
{
    switch (c.kind) {
    case Kind::Label: {
        auto *label = new QLabel(c.text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(c.look == Look::Total ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true); // opaque, in the window's colour
        return label;
    }
    case Kind::TextBox:
        return new QLineEdit(c.text, parent);
    case Kind::Frame:
        return new ClassicFrame(c.text, parent);
    case Kind::Button: {
        auto *button = new QPushButton(c.text, parent);
        button->setAutoDefault(false); // Enter in a box must not press a button
        return button;
    }
    case Kind::EditCombo: {
        auto *combo = new QComboBox(parent);
        // Rather than setEditable, which builds the drop-down list at once;
        // the combo builds it when it first opens.
        combo->setLineEdit(new QLineEdit(combo));
        combo->setCompleter(nullptr);                    // "qor" stays "qor"
        combo->setInsertPolicy(QComboBox::NoInsert);     // Enter adds nothing to the list
        for (const calc::SchoolInfo &info : calc::kSchools)
            combo->addItem(QString::fromUtf8(info.name));
        combo->setCurrentIndex(-1);
        combo->setEditText(c.text);
        return combo;
    }
    case Kind::ListCombo: {
        auto *combo = new QComboBox(parent);
        combo->addItems(kGradeList);
        combo->setCurrentIndex(-1);
        return combo;
    }
    }
    return nullptr;
}

// Only the selected member of an option group is a tab stop, so Tab lands
// on it; the arrow keys still move within the group.
void keepSelectedAsTabStop(QRadioButton *option)
{
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    QObject::connect(option, &QRadioButton::toggled, option, [option](bool checked) {
        option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
}

QRadioButton *createOption(QButtonGroup *group, int index, QGroupBox *frame, const char *caption,
                           const QString &spoken, QRect geometry)
{
    auto *option = new QRadioButton(caption, frame);
    option->setAccessibleName(spoken);
    option->setGeometry(geometry);
    group->addButton(option, index);
    keepSelectedAsTabStop(option);
    return option;
}

} // namespace

Form1Controls buildForm1(QWidget *form)
{
    std::map<std::string_view, QWidget *> byName;
    std::vector<std::pair<int, QWidget *>> tabStops;

    for (const Control &c : kControls) {
        QWidget *widget = create(c, c.container ? byName.at(c.container) : form);
        widget->setObjectName(c.name);
        widget->setGeometry(twipsRect(c.left, c.top, c.width, c.height));
        applyLook(widget, c.look);
        byName[c.name] = widget;
        if (c.kind != Kind::Label && c.kind != Kind::Frame)
            tabStops.emplace_back(c.tabIndex, widget);
    }

    makeSpoken(byName);
    applyTextColours(form);

    Form1Controls controls;
    for (const LevelArray &array : kLevelArrays) {
        const QString arrayName = QString::fromUtf8(calc::schoolInfo(array.school).array.data());
        auto *group = new QButtonGroup(form);
        group->setObjectName(arrayName);
        auto *frame = as<QGroupBox>(byName.at(array.frame));
        for (int i = 0; i < 7; ++i) {
            const QRect geometry = twipsRect(kLevelLeft, kLevelTop + i * kLevelStep, kLevelWidth, kLevelHeight);
            const auto index = static_cast<std::size_t>(i);
            QRadioButton *option = createOption(group, i, frame, kLevelCaptions[index],
                                                spokenOption(frame, calc::kLevelNames[index]), geometry);
            option->setObjectName(QStringLiteral("%1_%2").arg(arrayName).arg(i));
            tabStops.emplace_back(array.tabIndices[static_cast<std::size_t>(i)], option);
        }
        group->button(0)->setChecked(true);
        controls.levels[static_cast<std::size_t>(array.school)] = group;
    }
    controls.spells = new QButtonGroup(form);
    controls.spells->setObjectName("spells");
    auto *spellFrame = as<QGroupBox>(byName.at("Frame7"));
    for (int index = 1; index <= 3; ++index) {
        const SpellOption &s = kSpellOptions[index - 1];
        QRadioButton *option = createOption(controls.spells, index, spellFrame, s.caption, QString::fromUtf8(s.spoken),
                                            twipsRect(s.left, s.top, s.width, s.height));
        option->setObjectName(QStringLiteral("spells_%1").arg(index));
        tabStops.emplace_back(s.tabIndex, option);
    }
    controls.spells->button(3)->setChecked(true);

    std::sort(tabStops.begin(), tabStops.end());
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);

    auto get = [&byName](const char *name, auto *&slot) {
        slot = as<std::remove_pointer_t<std::remove_reference_t<decltype(slot)>>>(byName.at(name));
    };
    for (std::size_t b = 0; b < controls.boxes.size(); ++b)
        get(boxName(NumberBox(b)), controls.boxes[b]);
    get("Combo1", controls.Combo1);
    get("Combo2", controls.Combo2);
    get("Label1", controls.Label1);
    get("lblTotal", controls.lblTotal);
    get("Command1", controls.Command1);
    get("Command2", controls.Command2);
    get("Command3", controls.Command3);
    return controls;
}

void applyTextColours(QWidget *form)
{
    // The bottom line's own colours, black and green, drawn on the window's
    // colour; under a dark theme they give way to readable ones.
    const QColor background = form->palette().color(QPalette::Window);
    for (const Control &c : kControls) {
        if (c.look != Look::Serif && c.look != Look::SerifGreen)
            continue;
        auto *label = form->findChild<QLabel *>(c.name);
        QPalette palette = label->palette();
        const QColor wanted = c.look == Look::Serif ? QColor(0, 0, 0) : QColor(0, 128, 0);
        palette.setColor(QPalette::WindowText, readableOn(wanted, background));
        label->setPalette(palette);
    }
}
