#include "failure_message.h"

#include <cstddef>

namespace {

// The player's text as the report quotes it: enough to recognise, short
// enough for one line.
QString shown(const QString &typed)
{
    constexpr int kShownLength = 20;
    return typed.size() > kShownLength ? typed.left(kShownLength) + QChar(0x2026) : typed;
}

// "... must be <requirement>: <what is wrong>." for the text of a box that
// could not be read: either not a whole number, or one the box cannot hold.
QString boxMessage(const QString &what, const char *example, const char *keptWithin, bool outOfRange,
                   const QString &typed)
{
    if (outOfRange) {
        const QString number = typed.trimmed();
        return QStringLiteral("%1 must be a whole number from -32768 to 32767%2: %3 is %4 than the box can hold.")
            .arg(what, QLatin1String(keptWithin), shown(number),
                 number.startsWith('-') ? QStringLiteral("less") : QStringLiteral("more"));
    }
    if (typed.isEmpty())
        return QStringLiteral("%1 must be a whole number, such as %2: the box is empty.").arg(what, QLatin1String(example));
    return QStringLiteral("%1 must be a whole number, such as %2: \"%3\" is not one.")
        .arg(what, QLatin1String(example), shown(typed));
}

} // namespace

QString failureMessage(const calc::Failure &failure, int spellCount, const QString &typed)
{
    const bool outOfRange = failure.kind == calc::Failure::Kind::Overflow;
    if (failure.box == calc::NumberBox::txtInt)
        return boxMessage(QStringLiteral("Intellect"), "18", " (the calculator then keeps it within 1 to 50)",
                          outOfRange, typed);
    if (failure.box) {
        constexpr const char *kSpells[] = {"first", "second", "third"};
        const QString what = QStringLiteral("The percent of the %1 spell")
                                 .arg(QLatin1String(kSpells[static_cast<std::size_t>(*failure.box) - 1]));
        return boxMessage(what, "40", "", outOfRange, typed);
    }
    const QString percents = spellCount == 1   ? QStringLiteral("The percent of the one spell (counted three times) takes")
                             : spellCount == 2 ? QStringLiteral("The percents of the two spells take")
                                               : QStringLiteral("The percents of the three spells take");
    return percents + QStringLiteral(" the number of improves out of the range the calculator can count "
                                     "(-32768 to 32767). Please correct the percents.");
}
