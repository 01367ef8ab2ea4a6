#include "application.h"

#include "accessibility.h"
#include "icons.h"

#include <QFont>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName("improves-calc");
    setApplicationVersion(IMPROVES_VERSION);
    setDesktopFileName(IMPROVES_APP_ID);
    setWindowIcon(form1Icon());
    // The layout was drawn for an 8-point narrow sans; larger default fonts
    // would cut captions off.
    setFont(QFont("Liberation Sans Narrow", 8));
    installAccessibility();
}
