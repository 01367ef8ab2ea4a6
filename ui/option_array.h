#pragma once

#include <QObject>

class QButtonGroup;

// One option array: tells which member the player chose, however it was
// chosen (mouse, Space, arrow keys, an accessibility action), including a
// second choice of the member already selected, which selects nothing new
// and so raises no toggle of its own.
class OptionArray : public QObject {
    Q_OBJECT

public:
    explicit OptionArray(QButtonGroup *group);

signals:
    void chosen(int Index);

private:
    bool pressedSelected_ = false; // the member pressed last was already selected
};
