#include "failure_report.h"

#include "identity.h"

#include <QMessageBox>
#include <QTimer>

#include <utility>

FailureReport::FailureReport(QWidget *window) : QObject(window), window_(window) {}

void FailureReport::report(const QString &message)
{
    message_ = message;
    if (!std::exchange(queued_, true))
        QTimer::singleShot(0, this, &FailureReport::show);
}

void FailureReport::withdraw()
{
    queued_ = false;
    if (dialog_)
        dialog_->close(); // deleted on close
}

void FailureReport::show()
{
    if (!std::exchange(queued_, false))
        return; // withdrawn before it opened
    // A report dismissed but not yet deleted is not the open one.
    if (dialog_ && dialog_->isVisible()) {
        dialog_->setText(message_);
        return;
    }
    dialog_ = new QMessageBox(QMessageBox::Warning, QStringLiteral(IMPROVES_NAME), message_, QMessageBox::Ok,
                              window_);
    dialog_->setTextFormat(Qt::PlainText); // the message quotes what the player typed
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog_, &QDialog::finished, this, &FailureReport::dismissed);
    dialog_->open();
}

#include "moc_failure_report.cpp"
