#include "form1.h"
#include "form2.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
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
        QTest::newRow("weapon class option, spoken as words") << "WC_2" << "Weapon Class, Level Two";
        QTest::newRow("shal'ille option") << "Shally_0" << "Shal'ille, None";
        QTest::newRow("spell count option") << "spells_1" << "One spell";
        QTest::newRow("school list") << "Combo2" << "School";
        QTest::newRow("grade list") << "Combo1" << "Grade";
        QTest::newRow("main window") << "Form1" << titleWith("196");
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
        // What the number is, then its working (the calculation's words).
        const QString working = form_->findChild<QWidget *>("lblTotal")->toolTip();
        QVERIFY(working.endsWith("\n199 - 3 = 196 improves left"));
        QCOMPARE(spoken("lblTotal", QAccessible::Description), "Improves still needed for the next level:\n" + working);
        QCOMPARE(spoken("Label1", QAccessible::Description), QString("How far the next level is"));
        QCOMPARE(spoken("Combo2", QAccessible::Description), QString("School being advanced"));
    }

    void listsKeepTheirTextAsValueAndNameTheirTextField()
    {
        QCOMPARE(spoken("Combo2", QAccessible::Value), QString("Select School"));
        QAccessibleInterface *combo = QAccessible::queryAccessibleInterface(form_->findChild<QWidget *>("Combo2"));
        QCOMPARE(combo->role(), QAccessible::ComboBox);
        QAccessibleInterface *field = combo->child(1);
        QVERIFY(field);
        QCOMPARE(field->role(), QAccessible::EditableText);
        QCOMPARE(field->text(QAccessible::Name), QString("School"));
        QCOMPARE(combo->indexOfChild(field), 1);
    }

    void windowsAreFramesNamedByTheirTitles()
    {
        QAccessibleInterface *main = QAccessible::queryAccessibleInterface(form_.get());
        QCOMPARE(main->role(), QAccessible::Window);
        QTest::mouseClick(form_->findChild<QPushButton *>("Command3"), Qt::LeftButton);
        auto *about = form_->findChild<Form2 *>();
        QAccessibleInterface *info = QAccessible::queryAccessibleInterface(about);
        QCOMPARE(info->role(), QAccessible::Window);
        QCOMPARE(info->text(QAccessible::Name), QString("Info..."));
        // Only the four texts: the click surface is no control of its own.
        QCOMPARE(info->childCount(), 4);
        for (int i = 0; i < info->childCount(); ++i)
            QVERIFY(!info->child(i)->text(QAccessible::Name).isEmpty());
    }

    // Qt drops accessibility events when no bridge is active, as offscreen:
    // what can be checked here is that the spoken names follow each result.
    void spokenResultFollowsTheCalculation()
    {
        form_->findChild<QLineEdit *>("Spell1")->setText("250");
        clickOption(form_->findChild<QAbstractButton *>("Faren_6"));
        QCOMPARE(spoken("lblTotal", QAccessible::Name), QString("17"));
        QVERIFY(spoken("lblTotal", QAccessible::Description).endsWith("70 + 199 - 252 = 17 improves left"));
        QCOMPARE(spoken("Label1", QAccessible::Name), QString("Further"));
        QCOMPARE(spoken("Form1", QAccessible::Name), titleWith("17"));
    }
};

WINDOW_TEST_SUITE(accessibility, AccessibilityTest);

#include "accessibility_test.moc"
