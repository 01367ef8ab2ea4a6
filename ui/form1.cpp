#include "form1.h"

#include "failure_report.h"
#include "form2.h"
#include "words.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

#include <exception>
#include <utility>

Form1::Form1(QWidget *parent) : QWidget(parent), rules_(*this), report_(new FailureReport(this))
{
    setObjectName("Form1");
    resize(twipsRect({0, 0, form::kForm1Width, form::kForm1Height}).size());
    setWindowTitle(qtext(calc::kQuestion));
    controls_ = buildForm1(this);
    connectHandlers();
    controls_.levels[static_cast<std::size_t>(calc::School::Kraanan)]->button(0)->setFocus();
    handle([this] { Form_Load(); });
}

// Every handler runs inside here, so that nothing it raises unwinds into
// Qt's event or signal code: the handler stops where it failed and the
// window says so. (The calculation itself throws nothing.)
template <class Handler>
void Form1::handle(Handler &&handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        reportFailure(QString::fromStdString(form::unexpectedFailureMessage(error.what())));
    }
}

void Form1::reportFailure(const QString &message)
{
    emit failed(message);
    report_->report(message);
}

void Form1::connectHandlers()
{
    constexpr void (Form1::*levelHandlers[calc::kSchoolCount])(int) = {
        &Form1::Kraanan_Click, &Form1::Shally_Click, &Form1::Faren_Click, &Form1::WC_Click,
        &Form1::Riija_Click,   &Form1::Qor_Click,    &Form1::Jala_Click,
    };
    for (std::size_t s = 0; s < calc::kSchoolCount; ++s)
        connectOptionArray(controls_.levels[s], levelHandlers[s]);
    connectOptionArray(controls_.spells, &Form1::spells_Click);

    // returnPressed covers the keypad's Enter too.
    constexpr void (Form1::*keyHandlers[])(int) = {
        &Form1::txtInt_KeyPress, &Form1::Spell1_KeyPress, &Form1::Spell2_KeyPress, &Form1::Spell3_KeyPress};
    for (std::size_t b = 0; b < controls_.boxes.size(); ++b)
        connect(controls_.boxes[b], &QLineEdit::returnPressed, this,
                [this, handler = keyHandlers[b]] { handle([&] { (this->*handler)(form::kEnterKey); }); });

    const std::pair<QPushButton *, void (Form1::*)()> buttons[] = {
        {controls_.Command1, &Form1::Command1_Click},
        {controls_.Command2, &Form1::Command2_Click},
        {controls_.Command3, &Form1::Command3_Click},
    };
    for (const auto &[button, clickHandler] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, handler = clickHandler] { handle([&] { (this->*handler)(); }); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Form1::Form_Terminate);
    connect(report_, &FailureReport::dismissed, this, [this] { handle([this] { rules_.reportDismissed(); }); });

    // Without a window manager (or under one that leaves it to the program)
    // Alt+F4 still closes the window, which ends the program as Exit does.
    auto *closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    // The working is the result's tooltip; from the keyboard, What's This
    // (Shift+F1) shows it at the number.
    auto *workingKey = new QShortcut(QKeySequence::WhatsThis, this);
    connect(workingKey, &QShortcut::activated, this, &Form1::showWorking);
}

// A click reaches the handler however the option was chosen (mouse, Space,
// arrow keys, an accessibility action), the selected option too: the rules
// tell a new choice from a repeat.
void Form1::connectOptionArray(QButtonGroup *group, void (Form1::*handler)(int))
{
    connect(group, &QButtonGroup::idClicked, this,
            [this, handler](int Index) { handle([&] { (this->*handler)(Index); }); });
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void Form1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyTextColours(this);
    QWidget::changeEvent(event);
}

void Form1::Kraanan_Click(int Index) { rules_.chooseLevel(calc::School::Kraanan, Index); }
void Form1::Shally_Click(int Index) { rules_.chooseLevel(calc::School::Shally, Index); }
void Form1::Faren_Click(int Index) { rules_.chooseLevel(calc::School::Faren, Index); }
void Form1::Riija_Click(int Index) { rules_.chooseLevel(calc::School::Riija, Index); }
void Form1::Qor_Click(int Index) { rules_.chooseLevel(calc::School::Qor, Index); }
void Form1::Jala_Click(int Index) { rules_.chooseLevel(calc::School::Jala, Index); }
void Form1::WC_Click(int Index) { rules_.chooseLevel(calc::School::WC, Index); }
void Form1::spells_Click(int Index) { rules_.chooseSpellCount(Index); }
void Form1::txtInt_KeyPress(int KeyAscii) { rules_.keyPress(KeyAscii); }
void Form1::Spell1_KeyPress(int KeyAscii) { rules_.keyPress(KeyAscii); }
void Form1::Spell2_KeyPress(int KeyAscii) { rules_.keyPress(KeyAscii); }
void Form1::Spell3_KeyPress(int KeyAscii) { rules_.keyPress(KeyAscii); }
void Form1::Command1_Click() { rules_.enterClicked(); }
void Form1::Command2_Click() { endProgram(); }

void Form1::Command3_Click()
{
    // Closing the About window unloads it; the next click loads it anew.
    // Shown or not, it comes to the front with the focus, so that the
    // player, and a screen reader, see where it is.
    if (!about_)
        about_ = new Form2(this);
    about_->setVisible(true);
    about_->raise();
    about_->activateWindow();
}

void Form1::Form_Load() { rules_.load(); }
void Form1::Form_Unload() { endProgram(); }
// The run is being ended from outside (the session, a quit request): close
// as Exit does, so the About window goes too.
void Form1::Form_Terminate() { endProgram(); }

void Form1::setBoxText(calc::NumberBox box, const std::string &text)
{
    controls_.box(box)->setText(QString::fromStdString(text));
}

void Form1::setBoxEnabled(calc::NumberBox box, bool enabled) { controls_.box(box)->setEnabled(enabled); }

void Form1::showResult(const calc::Result &result)
{
    // The working goes out before the number, so that whoever announces the
    // new number finds its working already in place.
    const QString working = QString::fromStdString(result.workingText());
    controls_.lblTotal->setToolTip(working);
    controls_.lblTotal->setAccessibleDescription(QStringLiteral("%1\n%2").arg(qtext(form::kTotalMeaning), working));
    controls_.lblTotal->setText(QString::fromStdString(result.number));
    setWindowTitle(QString::fromStdString(result.title));
    controls_.Label1->setText(qtext(result.verdict));
}

void Form1::showReport(const form::Report &report)
{
    reportFailure(QString::fromStdString(report.message));
}

void Form1::withdrawReport()
{
    report_->withdraw();
}

void Form1::focusBox(calc::NumberBox box)
{
    QLineEdit *edit = controls_.box(box);
    edit->setFocus();
    edit->selectAll();
}

calc::Texts Form1::readTexts() const
{
    calc::Texts texts;
    for (std::size_t b = 0; b < texts.boxes.size(); ++b)
        texts.boxes[b] = controls_.boxes[b]->text().toStdString();
    texts.school = controls_.Combo2->currentText().toStdString();
    return texts;
}

void Form1::endProgram()
{
    if (ending_)
        return;
    ending_ = true;
    if (about_)
        about_->hide();
    hide();
    QCoreApplication::exit(0);
}

void Form1::showWorking()
{
    QLabel *total = controls_.lblTotal;
    QToolTip::showText(total->mapToGlobal(QPoint(0, total->height())), total->toolTip(), total);
}

#include "moc_form1.cpp"
