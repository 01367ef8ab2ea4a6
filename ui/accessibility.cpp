#include "accessibility.h"

#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// On Linux Qt names a combo box by its text and leaves the real name to a
// label relation, which this layout has no label for. This interface names
// it by its accessible name and keeps the text as its value; its children
// are the list and, when editable, the text field.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return combo()->isEditable() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0) {
            // The list is made when first asked for; it takes the box's name.
            QAbstractItemView *list = combo()->view();
            if (list->accessibleName().isEmpty())
                list->setAccessibleName(combo()->accessibleName());
            return QAccessible::queryAccessibleInterface(list);
        }
        if (index == 1 && combo()->isEditable())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            combo()->showPopup();
    }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }
};

// Qt's Toggle action on an option button unchecks it, which an exclusive
// group refuses, so on the selected option it does nothing at all. Here both
// Toggle and Press choose the option as a click does, the selected one too.
class OptionButton : public QAccessibleWidget {
public:
    explicit OptionButton(QRadioButton *option) : QAccessibleWidget(option, QAccessible::RadioButton) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = option()->isChecked();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (option()->isEnabled())
            names << toggleAction() << pressAction();
        return names << QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if ((action == toggleAction() || action == pressAction()) && option()->isEnabled())
            option()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QRadioButton *option() const { return static_cast<QRadioButton *>(widget()); }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == "Form1" || className == "Form2")
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == "QComboBox")
        return new NamedComboBox(static_cast<QComboBox *>(widget));
    if (className == "QRadioButton")
        return new OptionButton(static_cast<QRadioButton *>(widget));
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(factory); }
