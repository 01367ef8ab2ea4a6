#include "application.h"
#include "form1.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    Form1 window;
    window.show();
    return app.exec();
}
