#pragma once

#include <QWidget>

class QLabel;

// The About window: how to reach the author. A click anywhere on its texts
// hides it; its close button unloads it.
class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Label7_Click();

    QLabel *Label7_ = nullptr;
};
