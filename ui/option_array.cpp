#include "option_array.h"

#include <QButtonGroup>

OptionArray::OptionArray(QButtonGroup *group) : QObject(group)
{
    // Every click starts with a press, so the press tells whether the click
    // that follows re-chooses the selected member or selects a new one,
    // which the toggle reports.
    connect(group, &QButtonGroup::idPressed, this, [this, group](int id) { pressedSelected_ = group->checkedId() == id; });
    connect(group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit chosen(id);
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (pressedSelected_)
            emit chosenAgain(id);
    });
}

#include "moc_option_array.cpp"
