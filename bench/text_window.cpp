// A second yardstick: the bare window with one line of text, which pays for
// the font system as any window with words in it must.
#include "calculation.h"
#include "layout.h"
#include "quit_on_first_paint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QString::fromUtf8(calc::kQuestion.data(), qsizetype(calc::kQuestion.size())));
    window.resize(form::pixels(form::kForm1Width), form::pixels(form::kForm1Height));
    QuitOnFirstPaint quit(&window);
    window.show();
    return app.exec();
}
