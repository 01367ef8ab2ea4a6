#include "classic_look.h"
#include "form1.h"
#include "form2.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <memory>

// What a player would see go wrong in the layout: cut-off captions, a
// control hidden under another, a tab order that skips the selection,
// colours that do not read. ctest runs the checks of faces and metrics at
// several QT_SCALE_FACTOR settings and fonts, and the others once.
class LayoutTest : public WindowTest {
    Q_OBJECT

private:
    static void expectFits(const QWidget *w, int needed, const QString &text)
    {
        QVERIFY2(needed <= w->width(), qPrintable(QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                                                      .arg(w->objectName(), text)
                                                      .arg(needed)
                                                      .arg(w->width())));
    }
    static void expectCaptionsFit(const QWidget *window)
    {
        for (const QLabel *label : window->findChildren<QLabel *>())
            expectFits(label, label->fontMetrics().horizontalAdvance(label->text()), label->text());
        for (const QRadioButton *option : window->findChildren<QRadioButton *>())
            expectFits(option, option->sizeHint().width(), option->text());
        for (const QPushButton *button : window->findChildren<QPushButton *>())
            expectFits(button, button->fontMetrics().horizontalAdvance(button->text()) + 8, button->text());
        for (const QGroupBox *frame : window->findChildren<QGroupBox *>())
            expectFits(frame, frame->fontMetrics().horizontalAdvance(frame->title()) + 8, frame->title());
        for (const QComboBox *combo : window->findChildren<QComboBox *>())
            for (int i = 0; i < combo->count(); ++i)
                expectFits(combo, combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 24, combo->itemText(i));
        // A number box shows at least two digits with their margins.
        for (const QLineEdit *box : window->findChildren<QLineEdit *>())
            if (!qobject_cast<const QComboBox *>(box->parentWidget()))
                expectFits(box, box->fontMetrics().horizontalAdvance("99") + 8, box->text());
    }

    static QRect placeOf(const QString &name)
    {
        for (const form::Control &c : form::form1Controls())
            if (QString::fromStdString(c.name) == name)
                return twipsRect(c.place);
        qFatal("the layout has no control %s", qPrintable(name));
    }
    QString topControlAt(QPoint at) const
    {
        QWidget *w = form_->childAt(at);
        while (w && w->parentWidget() != form_.get())
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    // Where Tab goes, as the layout orders the controls: by tab index, an
    // option group at its checked member, past what takes no input.
    QStringList tabOrder() const
    {
        std::vector<form::Control> controls = form::form1Controls();
        std::stable_sort(controls.begin(), controls.end(),
                         [](const auto &a, const auto &b) { return a.tabIndex < b.tabIndex; });
        QStringList order;
        for (const form::Control &c : controls) {
            const QString name = QString::fromStdString(c.name);
            const auto *w = form_->findChild<QWidget *>(name);
            const auto *option = qobject_cast<const QRadioButton *>(w);
            if (c.kind != form::Kind::Frame && c.kind != form::Kind::Label && w->isEnabled() &&
                (!option || option->isChecked()))
                order << name;
        }
        return order;
    }

private slots:
    void mainWindowCaptionsFit() { expectCaptionsFit(form_.get()); }

    void aboutWindowCaptionsFit()
    {
        QTest::mouseClick(form_->findChild<QPushButton *>("Command3"), Qt::LeftButton);
        Form2 *info = form_->findChild<Form2 *>();
        QVERIFY(QTest::qWaitForWindowExposed(info));
        expectCaptionsFit(info);
    }

    // A frame's top line runs through its caption, above every control in it.
    void noFrameLineCrossesAControl()
    {
        for (const QGroupBox *frame : form_->findChildren<QGroupBox *>()) {
            const int line = frame->fontMetrics().height() / 2 + 1; // the etched line is two pixels deep
            for (const QWidget *child : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(child->geometry().top() > line,
                         qPrintable(QString("%1 at y=%2 meets the line of %3 at y=%4")
                                        .arg(child->objectName())
                                        .arg(child->geometry().top())
                                        .arg(frame->objectName())
                                        .arg(line)));
        }
    }

    // The judge of the colours below, held to WCAG 2 contrast ratios as the
    // WebAIM contrast checker publishes them (to two decimals).
    void contrastMatchesPublishedRatios_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("published");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("#767676 on white, just readable") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("#777777 on white, just not") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
        QTest::newRow("blue on white") << QColor(0, 0, 0xff) << QColor(Qt::white) << 8.59;
        QTest::newRow("same colour") << QColor(0x35, 0x35, 0x35) << QColor(0x35, 0x35, 0x35) << 1.0;
    }
    void contrastMatchesPublishedRatios()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        QFETCH(double, published);
        const double ratio = contrast(text, background);
        QVERIFY2(std::abs(ratio - published) <= 0.005, qPrintable(QString::number(ratio)));
    }

    // Under light and dark themes every label stays readable; the bottom
    // line keeps its black and green wherever they read well.
    void textsReadWellOnLightAndDarkWindows_data()
    {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<bool>("keepsBlack");
        QTest::addColumn<bool>("keepsGreen");
        QTest::newRow("white") << QColor(Qt::white) << QColor(Qt::black) << true << true;
        QTest::newRow("classic grey, green too faint") << QColor(0xd4, 0xd0, 0xc8) << QColor(Qt::black) << true << false;
        QTest::newRow("dark adwaita") << QColor(0x35, 0x35, 0x35) << QColor(0xee, 0xee, 0xec) << false << false;
        QTest::newRow("breeze dark") << QColor(0x20, 0x23, 0x26) << QColor(0xfc, 0xfc, 0xfc) << false << false;
    }
    void textsReadWellOnLightAndDarkWindows()
    {
        QFETCH(QColor, window);
        QFETCH(QColor, text);
        QFETCH(bool, keepsBlack);
        QFETCH(bool, keepsGreen);
        QPalette palette = form_->palette();
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        form_->setPalette(palette);
        for (const QLabel *label : form_->findChildren<QLabel *>()) {
            const QColor shown = label->palette().color(QPalette::WindowText);
            QVERIFY2(contrast(shown, label->palette().color(QPalette::Window)) >= 4.5,
                     qPrintable(label->objectName() + " reads " + shown.name() + " on " + window.name()));
        }
        const QColor green = form_->findChild<QLabel *>("Label3")->palette().color(QPalette::WindowText);
        const QColor black = form_->findChild<QLabel *>("Label4")->palette().color(QPalette::WindowText);
        QCOMPARE(black == QColor(Qt::black), keepsBlack);
        QCOMPARE(green == QColor(0, 128, 0), keepsGreen);
        QVERIFY(green.green() > 2 * std::max(green.red(), green.blue())); // still green
    }

    void resizingMovesNothing()
    {
        QCOMPARE(form_->size(), QSize(form::pixels(form::kForm1Width), form::pixels(form::kForm1Height)));
        QHash<QWidget *, QRect> before;
        for (QWidget *w : form_->findChildren<QWidget *>())
            before.insert(w, w->geometry());
        form_->resize(900, 700);
        QTRY_COMPARE(form_->size(), QSize(900, 700));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(it.key()->geometry(), it.value());
    }

    // Where two controls of the bottom line overlap, the later one, or the
    // windowed one, is on top; left of the overlap the lower one shows.
    void windowedControlsLieAboveLabels_data()
    {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("Label5 over the end of Label3") << "Label5" << "Label3";
        QTest::newRow("Combo1 over Label5") << "Combo1" << "Label5";
    }
    void windowedControlsLieAboveLabels()
    {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        const QRect above = placeOf(upper), below = placeOf(lower), overlap = above & below;
        if (overlap.isEmpty())
            QSKIP("the layout no longer overlaps them");
        QCOMPARE(topControlAt(overlap.center()), upper);
        if (overlap.left() > below.left())
            QCOMPARE(topControlAt(QPoint((below.left() + overlap.left()) / 2, overlap.center().y())), lower);
    }

    void tabVisitsTheSelectedMemberOfEachGroup_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("as opened") << QStringList{};
        // Spell2 and Spell3 then take no input, and no focus.
        QTest::newRow("after selections") << QStringList{"Faren_3", "WC_6", "spells_1"};
    }
    void tabVisitsTheSelectedMemberOfEachGroup()
    {
        QFETCH(QStringList, selected);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        for (const QString &name : selected)
            clickOption(form_->findChild<QRadioButton *>(name));
        const QStringList order = tabOrder();
        QVERIFY(order.size() > 10);
        form_->findChild<QWidget *>(order.first())->setFocus();

        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
        QCOMPARE(QApplication::focusWidget()->objectName(), order.first());
    }

};

WINDOW_TEST_SUITE(layout, LayoutTest);

#include "layout_test.moc"
