#pragma once

#include <QWidget>

// The About window: how to reach the author. A click anywhere on its texts,
// or Escape, hides it; its close button unloads it.
class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Label7_Click();
};
