#pragma once

#include <QColor>
#include <QGroupBox>

// The WCAG contrast ratio of two colours, from 1 to 21.
double contrast(const QColor &a, const QColor &b);

// `wanted` where it reads well on `background` (4.5:1 or more); otherwise
// the same hue made lighter or darker until it reads comfortably (7:1).
QColor readableOn(const QColor &wanted, const QColor &background);

// A frame drawn the classic way: its top line runs through the middle of
// the caption, so the layout's first row sits clear below it. Styles that
// put the caption above the frame would draw the line through that row.
class ClassicFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};
