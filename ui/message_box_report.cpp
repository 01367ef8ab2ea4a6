#include "message_box_report.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxReport::report(const QString &message)
{
    QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
}
