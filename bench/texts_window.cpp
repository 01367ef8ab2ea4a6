// The floor under the calculator's start: about the same words in the same
// five faces, painted straight onto a bare window with no controls. What the
// calculator costs beyond this is the cost of its controls.
#include "faces.h"
#include "quit_on_first_paint.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <iterator>

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

constexpr const char *kColumns[] = {"Kraanan", "Shal'ille", "Faren", "Weapon Class", "Riija", "Qor", "Jala"};
constexpr const char *kLevels[] = {"None",       "Level One",  "Leven Two", "Level Three",
                                   "Level Four", "Level Five", "Level Six"};
constexpr const char *kOthers[] = {"There are this many spells in my current level...",
                                   "And my current percents are...",
                                   "One spell\\skill", "Two", "Three", "About", "enter", "Exit",
                                   "Select School", "Your magic number...", "My Intellect is:"};

class TextsWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setFont(fonts_[Narrow]);
        for (int c = 0; c < 7; ++c) {
            const QPoint at(8 + c % 4 * 92, 30 + c / 4 * 120);
            painter.drawText(QRect(at, QSize(90, 14)), kColumns[c]);
            for (int i = 0; i < 7; ++i)
                painter.drawText(QRect(at + QPoint(12, 15 + i * 13), QSize(80, 14)), kLevels[i]);
        }
        for (int i = 0; i < int(std::size(kOthers)); ++i)
            painter.drawText(QRect(8 + i % 3 * 120, 272 + i / 3 * 16, 120, 14), kOthers[i]);
        painter.setFont(fonts_[BoxBold]);
        for (int i = 0; i < 4; ++i)
            painter.drawText(QRect(10 + i * 30, 340, 30, 20), "1");
        painter.setFont(fonts_[TotalBold]);
        painter.drawText(QRect(180, 360, 90, 36), "0");
        painter.setFont(fonts_[Serif]);
        painter.drawText(QRect(2, 407, 104, 23), "Mossbarrow sends, \"");
        painter.drawText(QRect(171, 407, 104, 23), "\"");
        painter.setFont(fonts_[SerifBoldItalic]);
        painter.setPen(QColor(0, 128, 0));
        painter.drawText(QRect(107, 407, 76, 23), "<Quillo>");
    }

private:
    const QFont fonts_[kFaceCount] = {face(Narrow), face(BoxBold), face(TotalBold), face(Serif),
                                      face(SerifBoldItalic)};
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TextsWindow window;
    window.resize(380, 430);
    QuitOnFirstPaint quit(&window);
    window.show();
    return app.exec();
}
