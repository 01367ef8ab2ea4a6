#pragma once

#include "application.h"
#include "form1.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include <memory>

// The main window's title with `number` in it.
inline QString titleWith(const QString &number)
{
    return number + ' ' + QString::fromUtf8(calc::kQuestion.data(), static_cast<qsizetype>(calc::kQuestion.size()));
}

// Clicks an option button on its indicator, where a player aims.
inline void clickOption(QAbstractButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

// The messages of the failures a window reported since `spy` was last cleared.
inline QStringList reported(const QSignalSpy &spy)
{
    QStringList messages;
    for (const QList<QVariant> &arguments : spy)
        messages << arguments.at(0).toString();
    return messages;
}

// Runs the event loop until it has nothing left to do now, so that whatever
// was queued (a report opens from the loop) has happened: "nothing more
// happens" without a window of time. False if the loop never ran dry.
bool drainEvents();

// A fresh main window, shown, for every test function, with its failure
// reports recorded.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<Form1> form_;
    std::unique_ptr<QSignalSpy> failures_;

    QStringList reports() const { return reported(*failures_); }

    // The window's control of that name; a name the window lacks ends the
    // suite, since every check after it would be about nothing.
    template <class T>
    T *find(const QString &name) const
    {
        T *widget = form_->findChild<T *>(name);
        if (!widget)
            qFatal("no control named %s", qPrintable(name));
        return widget;
    }
    QLineEdit *box(const QString &name) const { return find<QLineEdit>(name); }
    QString total() const { return find<QLabel>("lblTotal")->text(); }

    template <class Window = Form1>
    void openForm()
    {
        failures_.reset();
        form_ = std::make_unique<Window>();
        failures_ = std::make_unique<QSignalSpy>(form_.get(), &Form1::failed);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

private slots:
    void init();
    void cleanup();
};

// The window suites share one program, compiled once: ctest names the suite
// as the first argument, and the rest goes to Qt Test. Each suite's file
// registers its class with WINDOW_TEST_SUITE. The program's own Application
// runs them all, so the fonts are those the player gets; ctest sets the
// platform (offscreen for most).
using SuiteRun = int (*)(int argc, char **argv);
bool registerSuite(const char *name, SuiteRun run);

template <class TestClass>
int runSuite(int argc, char **argv)
{
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}

#define WINDOW_TEST_SUITE(name, TestClass) \
    [[maybe_unused]] static const bool name##Registered = registerSuite(#name, &runSuite<TestClass>)
