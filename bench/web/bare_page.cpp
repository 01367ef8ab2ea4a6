// The yardstick for the web page's start: a bare window of the calculator's
// size, built with the same Qt, shown as the calculator shows its window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(380, 430);
    window.setVisible(true);
    return app.exec();
}
