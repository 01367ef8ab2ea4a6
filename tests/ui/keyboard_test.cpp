#include "form1.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>

#include <memory>

// The main window used without a mouse, group by group.
class KeyboardTest : public WindowTest {
    Q_OBJECT


private:
    QRadioButton *option(const QString &name) const { return find<QRadioButton>(name); }

private slots:
    void init()
    {
        openForm();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void arrowsMoveWithinAGroupAndRecalculate_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("number");
        for (const char *column : {"Kraanan", "Shally", "Faren", "WC", "Riija", "Qor", "Jala"}) {
            QTest::addRow("%s down twice", column)
                << QString("%1_0").arg(column) << int(Qt::Key_Down) << 2 << QString("%1_2").arg(column) << "210";
        }
        QTest::newRow("Faren up from six") << "Faren_6" << int(Qt::Key_Up) << 1 << "Faren_5" << "252";
        QTest::newRow("spells up to two") << "spells_3" << int(Qt::Key_Up) << 1 << "spells_2" << "197";
        QTest::newRow("spells up to one") << "spells_3" << int(Qt::Key_Up) << 2 << "spells_1" << "196";
    }
    void arrowsMoveWithinAGroupAndRecalculate()
    {
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(QString, selected);
        QFETCH(QString, number);
        if (!option(start)->isChecked())
            clickOption(option(start));
        option(start)->setFocus();
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(option(selected)->isChecked());
        QCOMPARE(QApplication::focusWidget(), option(selected));
        QCOMPARE(total(), number);
    }

    void enterInABoxInsertsNothing()
    {
        QLineEdit *spell1 = box("Spell1");
        spell1->setFocus();
        QTest::keyClicks(spell1, "0");
        QTest::keyClick(spell1, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(spell1->text(), QString("10"));
        QCOMPARE(total(), QString("187"));
    }

    // The number's working, without a mouse: What's This from any control.
    void shiftF1ShowsTheWorkingAtTheNumber()
    {
        clickOption(option("Kraanan_6"));
        auto *number = form_->findChild<QLabel *>("lblTotal");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ShiftModifier);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), number->toolTip());
        QVERIFY2(QToolTip::text().endsWith("= 266 improves left"), qPrintable(QToolTip::text()));
        QToolTip::hideText();
    }

    void altF4EndsTheProgram()
    {
        QTimer::singleShot(0, form_.get(), [this] { QTest::keyClick(form_.get(), Qt::Key_F4, Qt::AltModifier); });
        QTimer::singleShot(5000, form_.get(), [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!form_->isVisible());
    }
};

WINDOW_TEST_SUITE(keyboard, KeyboardTest);

#include "keyboard_test.moc"
