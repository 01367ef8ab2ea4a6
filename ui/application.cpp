#include "application.h"

#include "accessibility.h"
#include "faces.h"
#include "icons.h"
#include "identity.h"

#include <QFont>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName("improves-calc");
    setApplicationVersion(IMPROVES_VERSION);
    setDesktopFileName(IMPROVES_APP_ID);
    setWindowIcon(form1Icon());
    // The layout was drawn for an 8-point window font; larger default fonts
    // would cut captions off.
    faces::addStandIns();
    setFont(QFont(faces::kWindow, faces::kWindowPoints));
    installAccessibility();
}

#include "moc_application.cpp"
