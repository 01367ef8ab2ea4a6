#include "failure_message.h"

#include <cstddef>

QString failureMessage(const calc::Failure &failure, int spellCount)
{
    if (failure.box == calc::NumberBox::txtInt)
        return QStringLiteral("Intellect must be a whole number, such as 18. "
                              "The calculator keeps it within 1 to 50.");
    if (failure.box) {
        constexpr const char *kSpells[] = {"first", "second", "third"};
        return QStringLiteral("The percent of the %1 spell must be a whole number from -32768 to 32767.")
            .arg(kSpells[static_cast<std::size_t>(*failure.box) - 1]);
    }
    const QString percents = spellCount == 1   ? QStringLiteral("The percent of the one spell (counted three times) takes")
                             : spellCount == 2 ? QStringLiteral("The percents of the two spells take")
                                               : QStringLiteral("The percents of the three spells take");
    return percents + QStringLiteral(" the number of improves out of the range the calculator can count "
                                     "(-32768 to 32767). Please correct the percents.");
}
