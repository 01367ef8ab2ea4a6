// A second yardstick: the bare window with one line of text, which pays for
// the font system as any window with words in it must.
#include "quit_on_first_paint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window("How many improves for my next level?");
    window.resize(380, 430);
    QuitOnFirstPaint quit(&window);
    window.show();
    return app.exec();
}
