#pragma once

#include "form1_controls.h"
#include "form1_rules.h"

#include <QPointer>
#include <QWidget>

class QButtonGroup;
class FailureReport;
class Form2;

// The main window: the controls of the layout, whose events go to the
// window's rules, and the view the rules write the results to. A run that
// fails leaves the last result on screen, emits `failed` and tells the
// player in the window's one failure report.
class Form1 : public QWidget, private form::Form1View {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

signals:
    // What the player is told: which box to fix, or which percents drove the
    // result out of range.
    void failed(const QString &message);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

    // What the boxes hold, read once for each run; a test may stand in for
    // the controls.
    calc::Texts readTexts() const override;

private:
    // Handlers, named after the control and its event.
    void Kraanan_Click(int Index);
    void Shally_Click(int Index);
    void Faren_Click(int Index);
    void Riija_Click(int Index);
    void Qor_Click(int Index);
    void Jala_Click(int Index);
    void WC_Click(int Index);
    void spells_Click(int Index);
    void txtInt_KeyPress(int KeyAscii);
    void Spell1_KeyPress(int KeyAscii);
    void Spell2_KeyPress(int KeyAscii);
    void Spell3_KeyPress(int KeyAscii);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_Load();
    void Form_Unload();
    void Form_Terminate();

    // The view the rules write to.
    void setBoxText(calc::NumberBox box, const std::string &text) override;
    void setBoxEnabled(calc::NumberBox box, bool enabled) override;
    void showResult(const calc::Result &result) override;
    void showReport(const form::Report &report) override;
    void withdrawReport() override;
    void focusBox(calc::NumberBox box) override;

    void endProgram();
    void showWorking();
    void connectHandlers();
    void connectOptionArray(QButtonGroup *group, void (Form1::*handler)(int));
    template <class Handler>
    void handle(Handler &&handler);
    void reportFailure(const QString &message);

    Form1Controls controls_;
    form::Form1Rules rules_;
    FailureReport *report_;
    QPointer<Form2> about_;
    bool ending_ = false;
};
