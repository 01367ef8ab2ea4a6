#pragma once

#include "application.h"
#include "failure_report.h"
#include "form1.h"

#include <QAbstractButton>
#include <QStringList>
#include <QTest>

#include <memory>

class RecordingReport : public FailureReport {
public:
    QStringList messages;
    void report(const QString &message) override { messages << message; }
};

// Clicks an option button on its indicator, where a player aims.
inline void clickOption(QAbstractButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

// A fresh main window, shown, for every test function.
class WindowTest : public QObject {
    Q_OBJECT

public:
    explicit WindowTest(RecordingReport &report) : report_(report) {}

protected:
    RecordingReport &report_;
    std::unique_ptr<Form1> form_;

    void openForm()
    {
        report_.messages.clear();
        form_ = std::make_unique<Form1>(report_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

private slots:
    void init() { openForm(); }
    void cleanup() { form_.reset(); }
};

// Runs a Qt Test class offscreen under the program's own Application, so the
// fonts and the failure backstop are those the player gets.
template <class TestClass>
int runUiTest(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    RecordingReport report;
    app.setFailureReport(report);
    TestClass test(report);
    return QTest::qExec(&test, argc, argv);
}
