#include "form1.h"
#include "form2.h"
#include "window_test_support.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QButtonGroup>
#include <QComboBox>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVersionNumber>

#include <memory>
#include <stdexcept>

namespace {

// A main window whose controls, once armed, fail to be read in a way the
// calculation itself never fails.
class FailingForm : public Form1 {
public:
    bool armed = false;

protected:
    calc::Texts readTexts() const override
    {
        if (armed)
            throw std::runtime_error("boom");
        return Form1::readTexts();
    }
};

} // namespace

// Drives the real main window offscreen, as a player would.
class Form1Test : public WindowTest {
    Q_OBJECT

private:
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
        QCOMPARE(title(), titleWith(number));
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
        QVERIFY(failures_->isEmpty());
        // Start-up leaves the school list to its first opening (from Qt 6.8
        // on, a combo builds its list with its first item, whatever is done).
        if (QLibraryInfo::version() < QVersionNumber(6, 8))
            QVERIFY(!find<QComboBox>("Combo2")->findChild<QAbstractItemView *>());
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
        QTest::addColumn<bool>("fromOpenList"); // clicked in the drop-down list
        QTest::addColumn<QString>("number");
        // Faren stands at Level One: it counts for every school but Faren.
        QTest::newRow("typed Qor") << "Qor" << -1 << false << "203";
        QTest::newRow("picked Qor") << "" << 5 << false << "203";
        QTest::newRow("clicked Qor in the list") << "" << 5 << true << "203";
    }
    void schoolTypedOrPicked()
    {
        QFETCH(QString, typed);
        QFETCH(int, picked);
        QFETCH(bool, fromOpenList);
        QFETCH(QString, number);
        auto *combo = find<QComboBox>("Combo2");
        click("Faren_1");
        if (fromOpenList) {
            combo->showPopup();
            QAbstractItemView *list = combo->view();
            QTRY_VERIFY(list->isVisible());
            QCOMPARE(list->model()->rowCount(), 7);
            const QRect item = list->visualRect(list->model()->index(picked, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
            QTRY_VERIFY(!list->isVisible());
        } else if (picked >= 0) {
            combo->setCurrentIndex(picked);
        } else {
            typeSchool(typed);
        }
        QCOMPARE(total(), QString("196")); // the list has no handler of its own
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(total(), QString("196"));
        QCOMPARE(combo->currentText(), picked >= 0 ? combo->itemText(picked) : typed);
        QCOMPARE(combo->count(), 7);
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(total(), number);
    }

    // What the window adds to the rules, which hold every failure and its
    // words: the report leaves the displays alone, and the next event works.
    void failureIsReportedOnceAndTheNextEventWorks()
    {
        type("txtInt", "abc");
        enterIn("txtInt");
        QCOMPARE(reports(), QStringList{"Intellect must be a whole number, such as 18: \"abc\" is not one."});
        expectResult("196", "Drastically Further");
        QVERIFY(form_->isVisible());

        type("txtInt", "50");
        enterIn("txtInt");
        QCOMPARE(failures_->size(), 1);
        expectResult("72", "Significantly Further");
    }

    // The number carries its working, from the last completed recalculation.
    void workingFollowsEachCompletedResult()
    {
        auto *number = find<QLabel>("lblTotal");
        QVERIFY2(number->toolTip().endsWith("\n199 - 3 = 196 improves left"), qPrintable(number->toolTip()));
        typeSchool("Kraanan");
        click("Qor_1");
        click("Faren_3");
        const QString working = number->toolTip();
        QCOMPARE(working.split('\n').last(), QString("28 + 199 + 7 - 3 = 231 improves left"));
        QVERIFY(working.contains("Qor at Level One: + 7"));
        type("Spell3", "x");
        enterIn("Spell3");
        QCOMPARE(failures_->size(), 1);
        QCOMPARE(number->toolTip(), working);
        QVERIFY(number->accessibleDescription().endsWith(working));
    }

    // Whatever a handler meets, the exception stops at the handler: one
    // report, the last result stays, and the window goes on working.
    void exceptionInAHandlerStopsThere_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("afterJalaSix"); // the selection made stays: Jala's 70 on top of it
        QTest::newRow("click Faren_3") << "click Faren_3" << "294";       // + 28
        QTest::newRow("space on Qor_2") << "space on Qor_2" << "280";     // + 14
        QTest::newRow("click spells_2") << "click spells_2" << "267";     // credit 1 + 1.5 x 1, rounded to 2
        QTest::newRow("reclick spells_3") << "reclick spells_3" << "266"; // 199 + 70 - 3
        QTest::newRow("Enter in Spell1") << "Enter in Spell1" << "266";
        QTest::newRow("click enter") << "click enter" << "266";
    }
    void exceptionInAHandlerStopsThere()
    {
        QFETCH(QString, action);
        QFETCH(QString, afterJalaSix);
        openForm<FailingForm>();
        auto *form = static_cast<FailingForm *>(form_.get());
        form->armed = true;
        const QString target = action.section(' ', -1);
        if (action.startsWith("click enter"))
            QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        else if (action.startsWith("Enter"))
            enterIn(target);
        else if (action.startsWith("space")) {
            find<QRadioButton>(target)->setFocus();
            QTest::keyClick(find<QRadioButton>(target), Qt::Key_Space);
        } else
            click(target);
        QCOMPARE(reports(), QStringList{"Something went wrong: boom"});
        QCOMPARE(total(), QString("196"));
        QCOMPARE(title(), titleWith("196"));

        form->armed = false;
        click("Jala_6");
        QCOMPARE(failures_->size(), 1);
        QCOMPARE(total(), afterJalaSix);
        QVERIFY(form_->isVisible());
    }

    // The message box opens once the failed event is over, on the main window.
    void reportIsShownFromTheEventLoopOnTheMainWindow()
    {
        QPointer<QWidget> parentSeen;
        QString textSeen;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                parentSeen = box->parentWidget();
                textSeen = box->text();
                box->done(QMessageBox::Ok);
            }
        });
        closer.start(10);
        type("Spell1", "x");
        enterIn("Spell1");
        QVERIFY(textSeen.isEmpty());
        QTRY_VERIFY(!textSeen.isEmpty());
        QCOMPARE(parentSeen.data(), form_.get());
        QCOMPARE(textSeen, reports().first());
    }

    // Failures before the loop runs leave one report, with the newest text;
    // once it is dismissed, typing replaces the text it named.
    void oneReportAtATimeAndTypingReplacesTheBadText()
    {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        type("Spell1", "x");
        enterIn("Spell1");
        type("txtInt", "abc");
        enterIn("txtInt");
        QCOMPARE(failures_->size(), 2);
        QVERIFY(!form_->findChild<QMessageBox *>());
        QTRY_VERIFY(form_->findChild<QMessageBox *>());
        QVERIFY(drainEvents());
        const QList<QMessageBox *> shown = form_->findChildren<QMessageBox *>();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first()->text(), reports().last());
        QVERIFY(shown.first()->text().startsWith("Intellect"));

        // A failure while the report is open updates it in place.
        type("txtInt", "18");
        enterIn("txtInt");
        QTRY_COMPARE(shown.first()->text(), reports().last());
        QVERIFY(shown.first()->text().contains("first spell"));
        QCOMPARE(form_->findChildren<QMessageBox *>().size(), 1);

        shown.first()->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(!form_->findChild<QMessageBox *>());
        QCOMPARE(form_->focusWidget(), box("Spell1"));
        QCOMPARE(box("Spell1")->selectedText(), QString("x"));
        QTest::keyClicks(box("Spell1"), "40");
        QCOMPARE(box("Spell1")->text(), QString("40"));
        enterIn("Spell1");
        QCOMPARE(failures_->size(), 3);
        QCOMPARE(total(), QString("115"));
    }

    // However an option is chosen, a new choice runs its array's handler
    // and a repeat choice of the selected member only recalculates: the
    // spell count resets the boxes only when it changes, and the percents
    // typed without Enter count either way.
    void everyHandChoosesAlike_data()
    {
        QTest::addColumn<QString>("hand");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("spell2");
        QTest::addColumn<QString>("spell3");
        QTest::addColumn<QString>("number");
        // Spell2 and Spell3 hold a typed 50 and 60: 199 - (1 + 50 + 60) = 88.
        for (const char *hand : {"mouse", "space", "double-click", "toggle action", "press action"}) {
            QTest::addRow("%s, typed 50 and 60 survive a repeat 'Three'", hand) << hand << "spells_3" << "50" << "60" << "88";
            QTest::addRow("%s, new 'Two' resets Spell2 and marks Spell3", hand) << hand << "spells_2" << "1" << "X" << "197";
            QTest::addRow("%s, new Faren Level Three", hand) << hand << "Faren_3" << "50" << "60" << "116";
            QTest::addRow("%s, repeat Kraanan None", hand) << hand << "Kraanan_0" << "50" << "60" << "88";
        }
    }
    void everyHandChoosesAlike()
    {
        QFETCH(QString, hand);
        QFETCH(QString, option);
        QFETCH(QString, spell2);
        QFETCH(QString, spell3);
        QFETCH(QString, number);
        type("Spell2", "50");
        type("Spell3", "60");
        auto *target = find<QRadioButton>(option);
        if (hand == "mouse") {
            clickOption(target);
        } else if (hand == "space") {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Space);
        } else if (hand == "double-click") {
            // Through the window, as the platform sends it: press, release,
            // then a press that Qt makes a double-click, and its release.
            QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {},
                               target->mapTo(form_.get(), QPoint(6, target->height() / 2)));
        } else {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(target);
            QVERIFY(iface && iface->actionInterface());
            iface->actionInterface()->doAction(hand == "toggle action" ? QAccessibleActionInterface::toggleAction()
                                                                       : QAccessibleActionInterface::pressAction());
        }
        QVERIFY(target->isChecked());
        QCOMPARE(box("Spell2")->text(), spell2);
        QCOMPARE(box("Spell3")->text(), spell3);
        QCOMPARE(box("Spell2")->isEnabled(), spell2 != "X");
        QCOMPARE(box("Spell3")->isEnabled(), spell3 != "X"); // a box marked X takes no input
        QCOMPARE(total(), number);
        QVERIFY(failures_->isEmpty());
    }

    // Destroying the window leaves whatever loop is running alone.
    void destroyingTheWindowEndsNothing()
    {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            failures_.reset();
            form_.reset();
            QTimer::singleShot(0, &loop, [&] { loop.exit(7); });
        });
        QCOMPARE(loop.exec(), 7);
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
        const QSize size(form::pixels(form::kForm2Width), form::pixels(form::kForm2Height));
        QCOMPARE(info->size(), size);

        const QRect cover = twipsRect(form::kLabel7);
        clickWindowAt(info, QPoint((cover.right() + size.width()) / 2, size.height() / 2));
        QVERIFY(info->isVisible()); // the strip along the right edge is not covered

        // On each text, and in a corner.
        QList<QPoint> covered{QPoint(1, 1)};
        for (const form::Text &text : form::kForm2Texts)
            covered << twipsRect(text.place).center();
        for (QPoint at : covered) {
            QVERIFY(info->isVisible());
            clickWindowAt(info, at);
            QVERIFY(!info->isVisible());
            QTest::mouseClick(about, Qt::LeftButton);
            QCOMPARE(form_->findChild<Form2 *>(), info);
        }
        QVERIFY(info->isVisible());
    }

    // Escape hides the About window as a click does; "About" brings it back
    // to the front with the focus, also while it is still open.
    void aboutAnswersEscapeAndComesBackWithTheFocus()
    {
        auto *about = find<QPushButton>("Command3");
        QTest::mouseClick(about, Qt::LeftButton);
        Form2 *info = form_->findChild<Form2 *>();
        QVERIFY(QTest::qWaitForWindowActive(info));
        QTest::keyClick(info, Qt::Key_Escape);
        QVERIFY(!info->isVisible());

        QTest::mouseClick(about, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(info));
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QTest::mouseClick(about, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(info));
        QCOMPARE(form_->findChildren<Form2 *>().size(), 1);
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

WINDOW_TEST_SUITE(form1, Form1Test);

#include "form1_test.moc"
