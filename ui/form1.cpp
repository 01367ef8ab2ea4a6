#include "form1.h"

#include "failure_message.h"
#include "failure_report.h"
#include "form2.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace {

constexpr int kEnterKey = 13;
const QSize kClientSize(380, 430);

// The character code a key press would type, with both Enter keys as 13.
int keyAscii(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return kEnterKey;
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

} // namespace

Form1::Form1(FailureReport &report, QWidget *parent) : QWidget(parent), report_(report)
{
    setObjectName("Form1");
    resize(kClientSize);
    setWindowTitle(QString::fromUtf8(calc::kTitleSuffix.substr(1).data(), calc::kTitleSuffix.size() - 1));
    controls_ = buildForm1(this);
    connectHandlers();
    controls_.levels[static_cast<std::size_t>(calc::School::Kraanan)][0]->setFocus();
    Form_Load();
}

Form1::~Form1() { Form_Terminate(); }

void Form1::connectHandlers()
{
    using Handler = void (Form1::*)(int);
    constexpr Handler levelHandlers[calc::kSchoolCount] = {
        &Form1::Kraanan_Click, &Form1::Shally_Click, &Form1::Faren_Click, &Form1::WC_Click,
        &Form1::Riija_Click,   &Form1::Qor_Click,    &Form1::Jala_Click,
    };
    for (std::size_t s = 0; s < calc::kSchoolCount; ++s) {
        for (int i = 0; i < 7; ++i) {
            connect(controls_.levels[s][static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                    [this, handler = levelHandlers[s], i] { (this->*handler)(i); });
        }
    }
    for (int i = 1; i <= 3; ++i)
        connect(controls_.spells[static_cast<std::size_t>(i - 1)], &QRadioButton::clicked, this,
                [this, i] { spells_Click(i); });

    for (QLineEdit *box : {controls_.txtInt, controls_.Spell1, controls_.Spell2, controls_.Spell3})
        box->installEventFilter(this);

    connect(controls_.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(controls_.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(controls_.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    // Without a window manager (or under one that leaves it to the program)
    // Alt+F4 still closes the window, which ends the program as Exit does.
    auto *closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = keyAscii(*static_cast<QKeyEvent *>(event));
        if (watched == controls_.txtInt)
            txtInt_KeyPress(key);
        else if (watched == controls_.Spell1)
            Spell1_KeyPress(key);
        else if (watched == controls_.Spell2)
            Spell2_KeyPress(key);
        else if (watched == controls_.Spell3)
            Spell3_KeyPress(key);
    }
    return false; // every key goes on to the box unchanged
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void Form1::Kraanan_Click(int Index) { levelClick(calc::School::Kraanan, Index); }
void Form1::Shally_Click(int Index) { levelClick(calc::School::Shally, Index); }
void Form1::Faren_Click(int Index) { levelClick(calc::School::Faren, Index); }
void Form1::Riija_Click(int Index) { levelClick(calc::School::Riija, Index); }
void Form1::Qor_Click(int Index) { levelClick(calc::School::Qor, Index); }
void Form1::Jala_Click(int Index) { levelClick(calc::School::Jala, Index); }
void Form1::WC_Click(int Index) { levelClick(calc::School::WC, Index); }

void Form1::levelClick(calc::School school, int index)
{
    calculator_.selectLevel(school, index);
    Recalculate();
}

void Form1::spells_Click(int Index)
{
    // Each choice resets the boxes it uses to "1" and marks the others "X".
    struct Boxes {
        bool spell2;
        bool spell3;
    };
    constexpr Boxes byCount[] = {{false, false}, {true, false}, {true, true}};
    if (Index < 1 || Index > 3)
        return;
    const Boxes used = byCount[Index - 1];
    calculator_.state().spellCount = static_cast<std::int16_t>(Index);
    controls_.Spell2->setEnabled(used.spell2);
    controls_.Spell2->setText(used.spell2 ? "1" : "X");
    controls_.Spell3->setEnabled(used.spell3);
    controls_.Spell3->setText(used.spell3 ? "1" : "X");
    Recalculate();
}

void Form1::txtInt_KeyPress(int KeyAscii) { recalculateOnEnter(KeyAscii); }
void Form1::Spell1_KeyPress(int KeyAscii) { recalculateOnEnter(KeyAscii); }
void Form1::Spell2_KeyPress(int KeyAscii) { recalculateOnEnter(KeyAscii); }
void Form1::Spell3_KeyPress(int KeyAscii) { recalculateOnEnter(KeyAscii); }

void Form1::recalculateOnEnter(int keyAscii)
{
    if (keyAscii == kEnterKey)
        Recalculate();
}

void Form1::Command1_Click() { Recalculate(); }
void Form1::Command2_Click() { endProgram(); }

void Form1::Command3_Click()
{
    // Closing the About window unloads it; the next click loads it anew.
    if (!about_)
        about_ = new Form2(this);
    about_->setVisible(true);
}

void Form1::Form_Load()
{
    calculator_.state().spellCount = 3;
    Recalculate();
}

void Form1::Form_Unload() { endProgram(); }
void Form1::Form_Terminate() { endProgram(); }

void Form1::Recalculate()
{
    // A box the player has to fix is reported, not fatal: the handler stops
    // here and the displays keep the last result.
    try {
        calculator_.Recalculate();
    } catch (const calc::Failure &failure) {
        report_.report(failureMessage(failure, calculator_.state().spellCount));
    }
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

std::string Form1::boxText(calc::NumberBox box) const
{
    const QLineEdit *boxes[] = {controls_.txtInt, controls_.Spell1, controls_.Spell2, controls_.Spell3};
    return boxes[static_cast<std::size_t>(box)]->text().toStdString();
}

void Form1::setIntellectText(const std::string &text) { controls_.txtInt->setText(QString::fromStdString(text)); }
std::string Form1::schoolText() const { return controls_.Combo2->currentText().toStdString(); }
void Form1::setTotalCaption(const std::string &text) { setSpokenCaption(controls_.lblTotal, text); }
void Form1::setTitle(const std::string &text) { setWindowTitle(QString::fromStdString(text)); }
void Form1::setVerdictCaption(const std::string &text) { setSpokenCaption(controls_.Label1, text); }

void Form1::setSpokenCaption(QLabel *label, const std::string &text)
{
    const QString caption = QString::fromStdString(text);
    if (label->text() == caption)
        return;
    label->setText(caption);
    // The label's text is its spoken name: tell screen readers it changed.
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
