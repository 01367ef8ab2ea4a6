#pragma once

#include <QWidget>

// The About window: how to reach the author. A click anywhere on its texts,
// or Escape, hides it; its close button unloads it.
class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Label7_Click();

    const QPoint content_; // where the client area starts, below a title bar of its own
};
