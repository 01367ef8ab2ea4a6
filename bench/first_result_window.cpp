// The calculator's own start, as in its main(), ending at the first paint of
// the main window with the first result in it.
#include "application.h"
#include "form1.h"
#include "quit_on_first_paint.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    Form1 window;
    QuitOnFirstPaint quit(&window);
    window.show();
    return app.exec();
}
