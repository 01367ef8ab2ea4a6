#include "form1.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <memory>

// What a screen reader gets from the main window.
class AccessibilityTest : public WindowTest {
    Q_OBJECT


private:
    QString spoken(const QString &control, QAccessible::Text what) const
    {
        QWidget *widget = control == form_->objectName() ? form_.get() : form_->findChild<QWidget *>(control);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        return iface ? iface->text(what) : QString("<no interface>");
    }

private slots:
    void everyControlHasAName_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("intellect box") << "txtInt" << "My Intellect is:";
        QTest::newRow("first percent") << "Spell1" << "Current percent of spell 1";
        QTest::newRow("third percent") << "Spell3" << "Current percent of spell 3";
        QTest::newRow("faren option") << "Faren_3" << "Faren, Level Three";
        QTest::newRow("weapon class option") << "WC_2" << "Weapon Class, Leven Two";
        QTest::newRow("shal'ille option") << "Shally_0" << "Shal'ille, None";
        QTest::newRow("spell count option") << "spells_1" << "There are this many spells in my current level, One spell\\skill";
        QTest::newRow("result") << "lblTotal" << "196";
        QTest::newRow("verdict") << "Label1" << "Drastically Further";
        QTest::newRow("exit") << "Command2" << "Exit";
    }
    void everyControlHasAName()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QCOMPARE(spoken(control, QAccessible::Name), name);
    }

    void resultsSayWhatTheyMean()
    {
        QCOMPARE(spoken("lblTotal", QAccessible::Description), QString("Improves still needed for the next level"));
        QCOMPARE(spoken("Label1", QAccessible::Description), QString("How far the next level is"));
        QCOMPARE(spoken("Combo2", QAccessible::Description), QString("School being advanced"));
    }

    // Qt drops accessibility events when no bridge is active, as offscreen:
    // what can be checked here is that the spoken names follow each result.
    void spokenResultFollowsTheCalculation()
    {
        form_->findChild<QLineEdit *>("Spell1")->setText("250");
        clickOption(form_->findChild<QAbstractButton *>("Faren_6"));
        QCOMPARE(spoken("lblTotal", QAccessible::Name), QString("17"));
        QCOMPARE(spoken("Label1", QAccessible::Name), QString("Further"));
        QCOMPARE(spoken("Form1", QAccessible::Name), QString("17 How many improves for my next level?"));
    }
};

int main(int argc, char **argv) { return runUiTest<AccessibilityTest>(argc, argv); }

#include "accessibility_test.moc"
