// The yardstick for start-up: the least a Qt Widgets program can show.
#include "layout.h"
#include "quit_on_first_paint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(form::pixels(form::kForm1Width), form::pixels(form::kForm1Height));
    QuitOnFirstPaint quit(&window);
    window.show();
    return app.exec();
}
