#pragma once

#include "message_box_report.h"

#include <QApplication>

// The program's QApplication: its name, version, fonts and icon, and the
// last line of defence that reports any failure a handler did not catch.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    FailureReport &failureReport() { return *report_; }
    void setFailureReport(FailureReport &report) { report_ = &report; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    MessageBoxReport messageBox_;
    FailureReport *report_ = &messageBox_;
};
