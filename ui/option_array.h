#pragma once

#include <QObject>

class QButtonGroup;

// One option array: tells which member the player chose, however it was
// chosen (mouse, Space, arrow keys, a double-click, an accessibility
// action). Choosing the member already selected selects nothing new, so it
// is told apart: the window recalculates for it and writes nothing else.
class OptionArray : public QObject {
    Q_OBJECT

public:
    explicit OptionArray(QButtonGroup *group);

signals:
    void chosen(int Index);      // a member became selected
    void chosenAgain(int Index); // the selected member was chosen once more

private:
    bool pressedSelected_ = false; // the member pressed last was already selected
};
