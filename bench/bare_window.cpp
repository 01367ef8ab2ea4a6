// The yardstick for start-up: the least a Qt Widgets program can show.
#include "quit_on_first_paint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(380, 430);
    QuitOnFirstPaint quit(&window);
    window.show();
    return app.exec();
}
