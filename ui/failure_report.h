#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QMessageBox;
class QWidget;

// The main window's one failure report, as the window's rules open and
// withdraw it. It opens from the event loop, once the event that failed is
// over; a newer failure replaces its text rather than stacking a second
// report on it.
class FailureReport : public QObject {
    Q_OBJECT

public:
    explicit FailureReport(QWidget *window);

    void report(const QString &message);
    // Closes the report, or keeps a queued one from opening.
    void withdraw();

signals:
    // The report has closed, by the player or withdrawn.
    void dismissed();

private:
    void show();

    QWidget *window_;
    QPointer<QMessageBox> dialog_;
    QString message_;
    bool queued_ = false; // a show is queued on the event loop
};
