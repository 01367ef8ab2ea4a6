// What the message box adds to a failure's report (its words and its life
// are the window rules', tested with them): the words shown as typed, and a
// report withdrawn that closes, or never opens.

#include "window_test_support.h"

#include <QLineEdit>
#include <QMessageBox>

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
    // Markup in a box is shown as typed, not drawn.
    void showsTheWordsAsTyped()
    {
        typeAndEnter("Spell1", "<b>7</b>");
        QCOMPARE(reports().size(), 1);
        QVERIFY(reports().first().contains("\"<b>7</b>\""));
        QTRY_VERIFY(openReport());
        QCOMPARE(openReport()->text(), reports().first());
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
