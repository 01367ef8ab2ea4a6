#include "classic_look.h"

#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace {

double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

constexpr double kReadable = 4.5;
// A colour that has to change anyway goes well past the limit, so that it
// does not read as faded.
constexpr double kComfortable = 7.0;

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &wanted, const QColor &background)
{
    if (contrast(wanted, background) >= kReadable)
        return wanted;
    QColor colour = wanted.toHsl();
    // Move away from the background's lightness, one step at a time.
    const int step = luminance(background) > 0.18 ? -1 : 1;
    while (contrast(colour, background) < kComfortable) {
        const int lightness = colour.lightness() + step;
        if (lightness < 0 || lightness > 255)
            return step < 0 ? QColor(Qt::black) : QColor(Qt::white);
        colour.setHsl(colour.hslHue(), colour.hslSaturation(), lightness);
    }
    return colour.toRgb();
}

void ClassicFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true);

    // The caption sits on the line, with the window's colour behind it.
    const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}
