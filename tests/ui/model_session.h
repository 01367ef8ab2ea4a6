#pragma once

// What the model-driven window tests share: the controls a player touches,
// typing as a player does, and the comparison of the window with the model.

#include "form1.h"
#include "reference_model.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <array>
#include <optional>
#include <string>

// A control's object name, as the layout gives it.
inline QString controlName(std::string_view name) { return QString::fromUtf8(name.data(), qsizetype(name.size())); }

struct PlayerControls {
    explicit PlayerControls(const Form1 &form)
    {
        for (std::size_t b = 0; b < 4; ++b)
            boxes[b] = form.findChild<QLineEdit *>(controlName(calc::kBoxNames[b]));
        school = form.findChild<QComboBox *>("Combo2");
        total = form.findChild<QLabel *>("lblTotal");
        verdict = form.findChild<QLabel *>("Label1");
        enter = form.findChild<QPushButton *>("Command1");
        for (std::size_t c = 0; c < model::kColumns.size(); ++c)
            for (std::size_t i = 0; i < 7; ++i)
                levels[c][i] = form.findChild<QRadioButton *>(
                    QString("%1_%2").arg(controlName(model::kColumns[c].array)).arg(i));
        for (std::size_t i = 0; i < 3; ++i)
            spells[i] = form.findChild<QRadioButton *>(QString("spells_%1").arg(i + 1));
    }

    QLineEdit *box(model::Box b) const { return boxes[static_cast<std::size_t>(b)]; }

    std::array<QLineEdit *, 4> boxes{}; // by model::Box
    QComboBox *school = nullptr;
    QLabel *total = nullptr;
    QLabel *verdict = nullptr;
    QPushButton *enter = nullptr;
    std::array<std::array<QRadioButton *, 7>, 7> levels{}; // by model::kColumns, then option
    std::array<QRadioButton *, 3> spells{};                // counts 1..3
};

// Replaces the text of a line edit the way a player does: select all, type.
inline void retype(QLineEdit *edit, const std::string &text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.empty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    // QTest spells out ASCII keys only; other characters arrive as typed text.
    for (const QChar ch : QString::fromStdString(text)) {
        if (ch.unicode() < 128)
            QTest::keyClick(edit, static_cast<char>(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// The words by which a report names what the player has to fix.
inline QString namedIn(const model::Fault &fault)
{
    if (!fault.box)
        return "percents";
    constexpr const char *kWords[] = {"Intellect", "first spell", "second spell", "third spell"};
    return kWords[static_cast<std::size_t>(*fault.box)];
}

// Where the sum that ends the result's working ("28 + 157 - 85 = 100 ...")
// does not add up to the number shown, what is wrong; empty when it does.
inline QString workingMismatch(const QString &working, const QString &shown)
{
    const QString sum = working.section('\n', -1);
    const QStringList sides = sum.split(" = ");
    if (sides.size() != 2)
        return QString("working ends in \"%1\", not in a sum").arg(sum);
    const auto toInt = [](const QString &text, bool *ok) { return text.toInt(ok); };
    const QStringList terms = sides[0].split(' ');
    bool ok = terms.size() % 2 == 1;
    int total = 0;
    for (int i = 0; ok && i < terms.size(); i += 2) {
        const int term = toInt(terms[i], &ok);
        // A term of 0 is left out of the sum.
        ok = ok && term != 0;
        total += i == 0 || terms[i - 1] == "+" ? term : terms[i - 1] == "-" ? -term : (ok = false, 0);
    }
    static const QRegularExpression kEndOfNumber("[ ,]"); // compiled once: it was a fifth of the sessions' time
    const int result = toInt(sides[1].section(kEndOfNumber, 0, 0), &ok);
    if (!ok || total != result || QString::number(result) != shown)
        return QString("working \"%1\" does not add up to the number shown, %2").arg(sum, shown);
    return {};
}

// Every difference between what the window shows and what the model expects,
// given the failures the window reported for the last action.
inline QStringList differences(const Form1 &form, const PlayerControls &c, const model::Window &w,
                               const QStringList &reports, const std::optional<model::Fault> &fault)
{
    QStringList found;
    const auto check = [&](const char *what, const QString &shown, const std::string &expected) {
        if (shown != QString::fromStdString(expected))
            found << QString("%1 is \"%2\", model says \"%3\"").arg(what, shown, QString::fromStdString(expected));
    };
    check("title", form.windowTitle(), w.title);
    check("lblTotal", c.total->text(), w.total);
    check("Label1", c.verdict->text(), w.verdict);
    for (std::size_t b = 0; b < 4; ++b)
        check(calc::kBoxNames[b].data(), c.boxes[b]->text(), w.boxes[b]);
    check("Combo2", c.school->currentText(), w.school);
    if (const QString mismatch = workingMismatch(c.total->toolTip(), c.total->text()); !mismatch.isEmpty())
        found << mismatch;
    if (c.boxes[2]->isEnabled() != w.spell2Enabled || c.boxes[3]->isEnabled() != w.spell3Enabled)
        found << QString("Spell2/Spell3 enabled %1/%2, model says %3/%4")
                     .arg(c.boxes[2]->isEnabled())
                     .arg(c.boxes[3]->isEnabled())
                     .arg(w.spell2Enabled)
                     .arg(w.spell3Enabled);
    if (reports.size() != (fault ? 1 : 0))
        found << QString("%1 failure reports, model expects %2").arg(reports.size()).arg(fault ? 1 : 0);
    else if (fault && !reports.first().contains(namedIn(*fault)))
        found << QString("report \"%1\" does not name the %2").arg(reports.first(), namedIn(*fault));
    return found;
}
