#include "failure_report.h"

#include "identity.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <utility>

FailureReport::FailureReport(QWidget *window) : QObject(window), window_(window) {}

void FailureReport::report(const QString &message, QLineEdit *box)
{
    message_ = message;
    box_ = box;
    if (!std::exchange(queued_, true))
        QTimer::singleShot(0, this, &FailureReport::show);
}

void FailureReport::withdraw()
{
    queued_ = false;
    box_ = nullptr;
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

void FailureReport::dismissed()
{
    if (!box_ || !box_->isEnabled())
        return;
    box_->setFocus();
    box_->selectAll();
}

#include "moc_failure_report.cpp"
