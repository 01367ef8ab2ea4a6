#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class QMessageBox;
class QWidget;

// The main window's one failure report. It opens from the event loop, once
// the event that failed is over; a newer failure replaces its text rather
// than stacking a second report on it. When the player dismisses it, the box
// it names takes the focus with its whole text selected, so that typing
// replaces the bad text. A later run that succeeds withdraws it.
class FailureReport : public QObject {
    Q_OBJECT

public:
    explicit FailureReport(QWidget *window);

    // `box` is what the player has to fix, if one box is.
    void report(const QString &message, QLineEdit *box);
    // Closes the report, or keeps a queued one from opening: what it said
    // no longer holds. The focus stays where it is.
    void withdraw();

private:
    void show();
    void dismissed();

    QWidget *window_;
    QPointer<QMessageBox> dialog_;
    QString message_;
    QPointer<QLineEdit> box_;
    bool queued_ = false; // a show is queued on the event loop
};
