// What the failure report says of each kind of bad text in each box, and
// that it never outlives the failure it reports.

#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {

struct BoxWords {
    const char *box;
    const char *must;     // what the box must hold, to the colon
    const char *rangeFor; // the same, for a number out of range
};
const BoxWords kBoxWords[] = {
    {"txtInt", "Intellect must be a whole number, such as 18",
     "Intellect must be a whole number from -32768 to 32767 (the calculator then keeps it within 1 to 50)"},
    {"Spell1", "The percent of the first spell must be a whole number, such as 40",
     "The percent of the first spell must be a whole number from -32768 to 32767"},
    {"Spell2", "The percent of the second spell must be a whole number, such as 40",
     "The percent of the second spell must be a whole number from -32768 to 32767"},
    {"Spell3", "The percent of the third spell must be a whole number, such as 40",
     "The percent of the third spell must be a whole number from -32768 to 32767"},
};

struct BadText {
    const char *kind;
    const char *text;
    bool outOfRange;
    const char *wrong; // what the report says is wrong with it
};
const BadText kBadTexts[] = {
    {"letters", "abc", false, "\"abc\" is not one."},
    {"empty", "", false, "the box is empty."},
    {"decimal", "1.5", false, "\"1.5\" is not one."},
    {"markup", "<b>7</b>", false, "\"<b>7</b>\" is not one."},
    {"long letters", "abcdefghijklmnopqrstuvwxyz", false, "\"abcdefghijklmnopqrst\u2026\" is not one."},
    {"long number", "123456789012345678901234", true, "12345678901234567890\u2026 is more than the box can hold."},
    {"too large", "40000", true, "40000 is more than the box can hold."},
    {"too small", " -40000", true, "-40000 is less than the box can hold."},
};

} // namespace

class FailureReportTest : public WindowTest {
    Q_OBJECT

private:
    void typeAndEnter(const QString &name, const QString &text)
    {
        box(name)->setText(text);
        QTest::keyClick(box(name), Qt::Key_Return);
    }
    QList<QMessageBox *> openReports() const
    {
        QList<QMessageBox *> open;
        for (QMessageBox *report : form_->findChildren<QMessageBox *>())
            if (report->isVisible())
                open << report;
        return open;
    }
    QMessageBox *openReport() const { return openReports().value(0); }

private slots:
    void saysWhatIsWrongWithTheText_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        for (const BoxWords &b : kBoxWords)
            for (const BadText &t : kBadTexts)
                QTest::addRow("%s %s", b.box, t.kind)
                    << b.box << t.text << QString("%1: %2").arg(t.outOfRange ? b.rangeFor : b.must, t.wrong);
    }
    void saysWhatIsWrongWithTheText()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, text);
        QFETCH(QString, message);
        typeAndEnter(boxName, text);
        QCOMPARE(reports(), QStringList{message});
        QTRY_VERIFY(openReport());
        QCOMPARE(openReport()->text(), message); // shown as typed, not as markup
        QCOMPARE(openReport()->textFormat(), Qt::PlainText);
    }

    // A run that succeeds takes away a report of an earlier failure, open
    // or about to open, and leaves the focus where it is; the next failure
    // is reported anew.
    void aRunThatSucceedsWithdrawsTheReport_data()
    {
        QTest::addColumn<bool>("openFirst");
        QTest::newRow("before it opens") << false;
        QTest::newRow("while it is open") << true;
    }
    void aRunThatSucceedsWithdrawsTheReport()
    {
        QFETCH(bool, openFirst);
        typeAndEnter("Spell1", "x");
        if (openFirst)
            QTRY_VERIFY(openReport());
        box("txtInt")->setFocus();
        typeAndEnter("Spell1", "40");
        QCOMPARE(total(), QString("157"));
        QTRY_VERIFY(!openReport());
        QVERIFY(drainEvents());
        QVERIFY(!openReport());
        QCOMPARE(box("Spell1")->selectedText(), QString());

        typeAndEnter("txtInt", "abc");
        QTRY_VERIFY(openReport());
        QVERIFY(openReport()->text().startsWith("Intellect"));
        QCOMPARE(openReports().size(), 1);
    }
};

WINDOW_TEST_SUITE(failure_report, FailureReportTest);

#include "failure_report_test.moc"
