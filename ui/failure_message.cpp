#include "failure_message.h"

#include <cstddef>

QString failureMessage(const calc::Failure &failure, int spellCount)
{
    if (failure.box) {
        constexpr const char *kBoxes[] = {"Intellect", "The percent of the first spell",
                                          "The percent of the second spell", "The percent of the third spell"};
        return QStringLiteral("%1 must be a whole number from -32768 to 32767.")
            .arg(kBoxes[static_cast<std::size_t>(*failure.box)]);
    }
    const QString percents = spellCount == 1   ? QStringLiteral("The percent of the one spell (counted three times) takes")
                             : spellCount == 2 ? QStringLiteral("The percents of the two spells take")
                                               : QStringLiteral("The percents of the three spells take");
    return percents + QStringLiteral(" the number of improves out of the range the calculator can count "
                                     "(-32768 to 32767). Please correct the percents.");
}
