#include "form1.h"
#include "form2.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace {

// An object whose event handler fails in a way no handler of ours catches.
class Throwing : public QObject {
public:
    bool event(QEvent *) override { throw std::runtime_error("boom"); }
};

} // namespace

// Drives the real main window offscreen, as a player would.
class Form1Test : public WindowTest {
    Q_OBJECT

public:
    using WindowTest::WindowTest;

private:
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
    QString verdict() const { return find<QLabel>("Label1")->text(); }
    QString title() const { return form_->windowTitle(); }

    void type(const QString &boxName, const QString &text)
    {
        QLineEdit *b = box(boxName);
        b->clear();
        QTest::keyClicks(b, text);
    }
    void typeSchool(const QString &text)
    {
        auto *combo = find<QComboBox>("Combo2");
        combo->clearEditText();
        QTest::keyClicks(combo, text);
    }
    void click(const QString &option) { clickOption(find<QRadioButton>(option)); }
    // Clicks whatever lies on top at that point of the window.
    static void clickWindowAt(QWidget *window, QPoint at)
    {
        QWidget *target = window->childAt(at);
        if (!target)
            target = window;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, at));
    }
    void enterIn(const QString &boxName) { QTest::keyClick(box(boxName), Qt::Key_Return); }
    void expectResult(const QString &number, const QString &verdictText)
    {
        QCOMPARE(total(), number);
        QCOMPARE(title(), number + " How many improves for my next level?");
        QCOMPARE(verdict(), verdictText);
    }

private slots:
    void opensWithTheStartUpResult()
    {
        expectResult("196", "Drastically Further");
        QCOMPARE(form_->focusWidget(), find<QRadioButton>("Kraanan_0"));
        QVERIFY(find<QRadioButton>("spells_3")->isChecked());
        QCOMPARE(find<QComboBox>("Combo2")->currentText(), QString("Select School"));
        QCOMPARE(find<QComboBox>("Combo1")->currentIndex(), -1);
        QVERIFY(report_.messages.isEmpty());
    }

    void levelClicksRecalculate_data()
    {
        QTest::addColumn<QString>("intellect");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("faren level three") << "1" << QStringList{"Faren_3"} << "224" << "Drastically Further";
        QTest::newRow("two columns at six") << "1" << QStringList{"Kraanan_6", "WC_6"} << "336" << "Drastically Further";
        QTest::newRow("back to none") << "1" << QStringList{"Riija_4", "Riija_0"} << "196" << "Drastically Further";
        QTest::newRow("floor at fifty") << "50" << QStringList{"Qor_2"} << "72" << "Significantly Further";
        QTest::newRow("threshold at fifty") << "50" << QStringList{"Jala_3"} << "84" << "Drastically Further";
        QTest::newRow("shal'ille level one") << "45" << QStringList{"Shally_1"} << "72" << "Significantly Further";
    }
    void levelClicksRecalculate()
    {
        QFETCH(QString, intellect);
        QFETCH(QStringList, clicks);
        QFETCH(QString, number);
        QFETCH(QString, verdict);
        type("txtInt", intellect); // no Enter: the click picks the text up
        for (const QString &option : clicks)
            click(option);
        expectResult(number, verdict);
        QVERIFY(report_.messages.isEmpty());
    }

    void spellCountSetsBoxes_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("spell2");
        QTest::addColumn<bool>("spell2Enabled");
        QTest::addColumn<QString>("spell3");
        QTest::addColumn<bool>("spell3Enabled");
        QTest::addColumn<QString>("number");
        // Spell1 holds 10 and Spell2 was typed 50 before the clicks.
        QTest::newRow("one") << QStringList{"spells_1"} << "X" << false << "X" << false << "169";
        QTest::newRow("one then two") << QStringList{"spells_1", "spells_2"} << "1" << true << "X" << false << "187";
        QTest::newRow("two resets typed percent") << QStringList{"spells_2"} << "1" << true << "X" << false << "187";
        QTest::newRow("one then three") << QStringList{"spells_1", "spells_3"} << "1" << true << "1" << true << "187";
    }
    void spellCountSetsBoxes()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, spell2);
        QFETCH(bool, spell2Enabled);
        QFETCH(QString, spell3);
        QFETCH(bool, spell3Enabled);
        QFETCH(QString, number);
        type("Spell1", "10");
        type("Spell2", "50");
        for (const QString &option : clicks)
            click(option);
        QCOMPARE(box("Spell2")->text(), spell2);
        QCOMPARE(box("Spell2")->isEnabled(), spell2Enabled);
        QCOMPARE(box("Spell3")->text(), spell3);
        QCOMPARE(box("Spell3")->isEnabled(), spell3Enabled);
        QCOMPARE(total(), number);
    }

    void enterRecalculatesFromAnyBox_data()
    {
        QTest::addColumn<QString>("target"); // a box, or "Command1" for the button
        QTest::addColumn<int>("key");
        QTest::newRow("txtInt return") << "txtInt" << int(Qt::Key_Return);
        QTest::newRow("txtInt keypad enter") << "txtInt" << int(Qt::Key_Enter);
        QTest::newRow("Spell1 return") << "Spell1" << int(Qt::Key_Return);
        QTest::newRow("Spell2 keypad enter") << "Spell2" << int(Qt::Key_Enter);
        QTest::newRow("Spell3 return") << "Spell3" << int(Qt::Key_Return);
        QTest::newRow("enter button") << "Command1" << 0;
    }
    void enterRecalculatesFromAnyBox()
    {
        QFETCH(QString, target);
        QFETCH(int, key);
        type("txtInt", "50");
        QTest::keyClick(box("txtInt"), Qt::Key_A); // any other key recalculates nothing
        box("txtInt")->setText("50");
        expectResult("196", "Drastically Further");

        if (key)
            QTest::keyClick(box(target), Qt::Key(key));
        else
            QTest::mouseClick(find<QPushButton>(target), Qt::LeftButton);
        expectResult("72", "Significantly Further");
        QCOMPARE(box("txtInt")->text(), QString("50"));
    }

    void schoolTypedOrPicked_data()
    {
        QTest::addColumn<QString>("typed"); // empty: pick the list entry instead
        QTest::addColumn<int>("picked");
        QTest::addColumn<QString>("number");
        // Faren stands at Level One: it counts for every school but Faren.
        QTest::newRow("typed Qor") << "Qor" << -1 << "203";
        QTest::newRow("typed qor") << "qor" << -1 << "196";
        QTest::newRow("typed with trailing blank") << "Qor " << -1 << "196";
        QTest::newRow("typed Faren") << "Faren" << -1 << "196";
        QTest::newRow("picked Qor") << "" << 5 << "203";
        QTest::newRow("picked Weapon Class") << "" << 3 << "203";
    }
    void schoolTypedOrPicked()
    {
        QFETCH(QString, typed);
        QFETCH(int, picked);
        QFETCH(QString, number);
        auto *combo = find<QComboBox>("Combo2");
        click("Faren_1");
        if (picked >= 0)
            combo->setCurrentIndex(picked);
        else
            typeSchool(typed);
        QCOMPARE(total(), QString("196")); // the list has no handler of its own
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(total(), QString("196"));
        QCOMPARE(combo->currentText(), picked >= 0 ? combo->itemText(picked) : typed);
        QCOMPARE(combo->count(), 7);
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(total(), number);
    }

    void failureIsReportedOnceAndTheNextEventWorks_data()
    {
        QTest::addColumn<QString>("setup"); // spell-count option clicked first, if any
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("badText");
        QTest::addColumn<QString>("message");
        QTest::newRow("intellect letters") << "" << "txtInt" << "abc" << "Intellect must be a whole number";
        QTest::newRow("intellect empty") << "" << "txtInt" << "" << "Intellect must be a whole number";
        QTest::newRow("intellect too large") << "" << "txtInt" << "40000" << "Intellect must be a whole number";
        QTest::newRow("spell1 decimal") << "" << "Spell1" << "1.5" << "first spell must be a whole number";
        QTest::newRow("spell2 X") << "" << "Spell2" << "X" << "second spell must be a whole number";
        QTest::newRow("spell3 empty") << "" << "Spell3" << "" << "third spell must be a whole number";
        QTest::newRow("one spell overflows") << "spells_1" << "Spell1" << "20000" << "one spell (counted three times)";
        QTest::newRow("two spells overflow") << "spells_2" << "Spell2" << "30000" << "percents of the two spells";
        QTest::newRow("three spells overflow") << "" << "Spell3" << "32767" << "percents of the three spells";
        QTest::newRow("credit taken off overflows") << "" << "Spell1" << "-32768" << "percents of the three spells";
    }
    void failureIsReportedOnceAndTheNextEventWorks()
    {
        QFETCH(QString, setup);
        QFETCH(QString, boxName);
        QFETCH(QString, badText);
        QFETCH(QString, message);
        if (!setup.isEmpty())
            click(setup);
        const QString shownTotal = total(), shownTitle = title(), shownVerdict = verdict();
        report_.messages.clear();

        type(boxName, badText);
        enterIn(boxName);
        QCOMPARE(report_.messages.size(), 1);
        QVERIFY2(report_.messages.first().contains(message), qPrintable(report_.messages.first()));
        QCOMPARE(total(), shownTotal);
        QCOMPARE(title(), shownTitle);
        QCOMPARE(verdict(), shownVerdict);
        QVERIFY(form_->isVisible());

        type(boxName, "1");
        enterIn(boxName);
        QCOMPARE(report_.messages.size(), 1);
        QCOMPARE(total(), shownTotal);
    }

    void uncaughtFailureIsReportedByTheApplication()
    {
        Throwing object;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&object, &event));
        QCOMPARE(report_.messages, QStringList{"Something went wrong: boom"});
        click("Faren_3");
        QCOMPARE(total(), QString("224"));
    }

    void levelClickBeforeAFailureIsKept()
    {
        type("Spell1", "oops");
        click("Faren_3");
        QCOMPARE(report_.messages.size(), 1);
        QCOMPARE(total(), QString("196"));
        type("Spell1", "1");
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(total(), QString("224"));
    }

    void aboutWindowIsCreatedOnceHiddenByClickAndShownAgain()
    {
        auto *about = find<QPushButton>("Command3");
        QVERIFY(form_->findChildren<Form2 *>().isEmpty());
        QTest::mouseClick(about, Qt::LeftButton);
        QTest::mouseClick(about, Qt::LeftButton);
        QCOMPARE(form_->findChildren<Form2 *>().size(), 1);
        Form2 *info = form_->findChild<Form2 *>();
        QVERIFY(QTest::qWaitForWindowExposed(info));
        QCOMPARE(info->windowTitle(), QString("Info..."));
        QCOMPARE(info->size(), QSize(235, 70));

        clickWindowAt(info, QPoint(232, 35));
        QVERIFY(info->isVisible()); // the strip along the right edge is not covered

        // On a text, between texts, in a corner.
        for (QPoint at : {QPoint(20, 10), QPoint(100, 60), QPoint(1, 1), QPoint(200, 45)}) {
            QVERIFY(info->isVisible());
            clickWindowAt(info, at);
            QVERIFY(!info->isVisible());
            QTest::mouseClick(about, Qt::LeftButton);
            QCOMPARE(form_->findChild<Form2 *>(), info);
        }
        QVERIFY(info->isVisible());
    }

    void aboutWindowClosedIsLoadedAnew()
    {
        QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
        QPointer<Form2> info = form_->findChild<Form2 *>();
        QVERIFY(info);
        info->close();
        QTRY_VERIFY(info.isNull());
        QVERIFY(form_->isVisible());
        QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
        QCOMPARE(form_->findChildren<Form2 *>().size(), 1);
        QVERIFY(form_->findChild<Form2 *>()->isVisible());
    }

    void endingClosesBothWindows_data()
    {
        QTest::addColumn<bool>("byExitButton");
        QTest::newRow("Exit") << true;
        QTest::newRow("close the main window") << false;
    }
    void endingClosesBothWindows()
    {
        QFETCH(bool, byExitButton);
        QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton);
        Form2 *info = form_->findChild<Form2 *>();
        QTimer::singleShot(0, form_.get(), [&] {
            if (byExitButton)
                QTest::mouseClick(find<QPushButton>("Command2"), Qt::LeftButton);
            else
                form_->close();
        });
        QTimer::singleShot(5000, form_.get(), [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!form_->isVisible());
        QVERIFY(!info->isVisible());
    }
};

int main(int argc, char **argv) { return runUiTest<Form1Test>(argc, argv); }

#include "form1_test.moc"
