#include "application.h"

#include <QFont>
#include <QIcon>

#include <exception>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName("improves-calc");
    setApplicationDisplayName("Improves Calculator");
    setApplicationVersion("1.00");
    setDesktopFileName("org.improvescalc.ImprovesCalc");
    QIcon icon(":/icons/form1.png");
    icon.addFile(":/icons/form1-64.png");
    setWindowIcon(icon);
    // The layout was drawn for an 8-point narrow sans; larger default fonts
    // would cut captions off.
    setFont(QFont("Liberation Sans Narrow", 8));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        report_->report(QStringLiteral("Something went wrong: %1").arg(QString::fromUtf8(error.what())));
    }
    return false;
}
