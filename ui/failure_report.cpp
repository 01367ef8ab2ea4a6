#include "failure_report.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <utility>

FailureReport::FailureReport(QWidget *window) : QObject(window), window_(window) {}

void FailureReport::report(const QString &message, QLineEdit *box)
{
    message_ = message;
    box_ = box;
    if (!std::exchange(showing_, true))
        QTimer::singleShot(0, this, &FailureReport::show);
}

void FailureReport::show()
{
    showing_ = false;
    if (dialog_) {
        dialog_->setText(message_);
        return;
    }
    dialog_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("Improves Calculator"), message_, QMessageBox::Ok,
                              window_);
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
