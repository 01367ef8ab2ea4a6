#include "form1_controls.h"

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

using form::Kind;
using form::Look;

// The colour a label of the bottom line asks for, kept on the label so that a
// change of theme can find it again.
constexpr const char *kOwnColour = "improvesOwnColour";

// A table names a control of the wrong kind only by mistake; stop at once
// rather than run with a control that cannot be reached.
template <class T>
T *as(QObject *object)
{
    T *typed = qobject_cast<T *>(object);
    if (!typed)
        qFatal("layout: %s is not a %s", qPrintable(object->objectName()), T::staticMetaObject.className());
    return typed;
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

// Only the selected member of an option group is a tab stop, so Tab lands
// on it; the arrow keys still move within the group.
void keepSelectedAsTabStop(QRadioButton *option)
{
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    QObject::connect(option, &QRadioButton::toggled, option, [option](bool checked) {
        option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
}

QWidget *create(const form::Control &c, QWidget *parent)
{
    switch (c.kind) {
    case Kind::Label: {
        auto *label = new QLabel(qtext(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(c.look == Look::Total ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true); // opaque, in the window's colour
        if (c.look == Look::Serif || c.look == Look::SerifGreen)
            label->setProperty(kOwnColour, c.look == Look::Serif ? QColor(0, 0, 0) : QColor(0, 128, 0));
        return label;
    }
    case Kind::TextBox:
        return new QLineEdit(qtext(c.text), parent);
    case Kind::Frame:
        return new ClassicFrame(qtext(c.text), parent);
    case Kind::Button: {
        auto *button = new QPushButton(qtext(c.text), parent);
        button->setAutoDefault(false); // Enter in a box must not press a button
        return button;
    }
    case Kind::EditCombo: {
        auto *combo = new QComboBox(parent);
        // Rather than setEditable, which builds the drop-down list at once;
        // the combo builds it when it first opens (before Qt 6.8, which
        // builds it with the first item).
        combo->setLineEdit(new QLineEdit(combo));
        combo->setCompleter(nullptr);                // "qor" stays "qor"
        combo->setInsertPolicy(QComboBox::NoInsert); // Enter adds nothing to the list
        for (const calc::SchoolInfo &info : calc::kSchools)
            combo->addItem(qtext(info.name));
        combo->setCurrentIndex(-1);
        combo->setEditText(qtext(c.text));
        return combo;
    }
    case Kind::ListCombo: {
        auto *combo = new QComboBox(parent);
        for (std::string_view grade : form::kGrades)
            combo->addItem(qtext(grade));
        combo->setCurrentIndex(-1);
        return combo;
    }
    case Kind::Option:
        return new QRadioButton(qtext(c.text), parent);
    }
    return nullptr;
}

void makeSpoken(QWidget *widget, const form::Control &c)
{
    if (!c.spokenName.empty()) {
        widget->setAccessibleName(QString::fromStdString(c.spokenName));
        if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(widget->accessibleName());
    }
    if (!c.description.empty())
        widget->setAccessibleDescription(qtext(c.description));
}

} // namespace

Form1Controls buildForm1(QWidget *form)
{
    std::map<std::string_view, QWidget *> byName;
    std::map<std::string_view, QButtonGroup *> groups;
    std::vector<std::pair<int, QWidget *>> tabStops;

    const std::vector<form::Control> layout = form::form1Controls();
    for (const form::Control &c : layout) {
        QWidget *widget = create(c, c.container.empty() ? form : byName.at(c.container));
        widget->setObjectName(QString::fromStdString(c.name));
        widget->setGeometry(twipsRect(c.place));
        if (c.look != Look::Plain)
            widget->setFont(fontFor(c.look, widget->font()));
        makeSpoken(widget, c);
        byName[c.name] = widget;
        if (c.kind != Kind::Label && c.kind != Kind::Frame)
            tabStops.emplace_back(c.tabIndex, widget);
        if (c.kind == Kind::Option) {
            QButtonGroup *&group = groups[c.array];
            if (!group) {
                group = new QButtonGroup(form);
                group->setObjectName(qtext(c.array));
            }
            auto *option = as<QRadioButton>(widget);
            group->addButton(option, c.index);
            option->setChecked(c.selected);
            keepSelectedAsTabStop(option);
        }
    }
    applyTextColours(form);

    std::stable_sort(tabStops.begin(), tabStops.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);

    Form1Controls controls;
    for (const calc::SchoolInfo &info : calc::kSchools)
        controls.levels[static_cast<std::size_t>(info.school)] = groups.at(info.array);
    controls.spells = groups.at("spells");
    auto get = [&byName](std::string_view name, auto *&slot) {
        slot = as<std::remove_pointer_t<std::remove_reference_t<decltype(slot)>>>(byName.at(name));
    };
    for (std::size_t b = 0; b < controls.boxes.size(); ++b)
        get(calc::kBoxNames[b], controls.boxes[b]);
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
    for (QLabel *label : form->findChildren<QLabel *>()) {
        const QVariant wanted = label->property(kOwnColour);
        if (!wanted.isValid())
            continue;
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, readableOn(wanted.value<QColor>(), background));
        label->setPalette(palette);
    }
}
