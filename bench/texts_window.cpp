// The floor under the calculator's start: the same words in the same five
// faces, painted straight onto a bare window with no controls. What the
// calculator costs beyond this is the cost of its controls.
#include "faces.h"
#include "form1_controls.h"
#include "quit_on_first_paint.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <map>
#include <string_view>
#include <vector>

namespace {

enum Face { Narrow, BoxBold, TotalBold, Serif, SerifBoldItalic, kFaceCount };

QFont face(Face f)
{
    QFont font(f == Narrow ? faces::kWindow : f <= TotalBold ? faces::kSans : faces::kSerif);
    font.setPointSizeF(f == Narrow ? faces::kWindowPoints : f == TotalBold ? 24 : 9.75);
    font.setBold(f == BoxBold || f == TotalBold || f == SerifBoldItalic);
    font.setItalic(f == SerifBoldItalic);
    if (f >= Serif)
        font.setStretch(95);
    return font;
}

// Each control's text at its place, in its face: a frame's caption, a
// box's text, a label's, an option's.
Face faceOf(form::Look look)
{
    switch (look) {
    case form::Look::Plain: return Narrow;
    case form::Look::NumberBox: return BoxBold;
    case form::Look::Total: return TotalBold;
    case form::Look::Serif: return Serif;
    case form::Look::SerifGreen: return SerifBoldItalic;
    }
    return Narrow;
}

class TextsWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        std::map<std::string_view, QPoint> frames; // where each frame's controls are placed from
        for (const form::Control &c : controls_) {
            const QRect place = twipsRect(c.place).translated(frames[c.container]);
            if (c.kind == form::Kind::Frame)
                frames[c.name] = place.topLeft();
            painter.setFont(fonts_[faceOf(c.look)]);
            painter.setPen(c.look == form::Look::SerifGreen ? QColor(0, 128, 0) : QColor(Qt::black));
            painter.drawText(place, qtext(c.text));
        }
    }

private:
    const std::vector<form::Control> controls_ = form::form1Controls();
    const QFont fonts_[kFaceCount] = {face(Narrow), face(BoxBold), face(TotalBold), face(Serif),
                                      face(SerifBoldItalic)};
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TextsWindow window;
    window.resize(form::pixels(form::kForm1Width), form::pixels(form::kForm1Height));
    QuitOnFirstPaint quit(&window);
    window.show();
    return app.exec();
}
