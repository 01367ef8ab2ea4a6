#include "failure_message.h"

namespace {

QString boxName(calc::NumberBox box)
{
    switch (box) {
    case calc::NumberBox::txtInt:
        return QStringLiteral("Intellect");
    case calc::NumberBox::Spell1:
        return QStringLiteral("The percent of the first spell");
    case calc::NumberBox::Spell2:
        return QStringLiteral("The percent of the second spell");
    case calc::NumberBox::Spell3:
        return QStringLiteral("The percent of the third spell");
    }
    return {};
}

QString percentsInUse(int spellCount)
{
    switch (spellCount) {
    case 1:
        return QStringLiteral("The percent of the one spell (counted three times)");
    case 2:
        return QStringLiteral("The percents of the two spells");
    default:
        return QStringLiteral("The percents of the three spells");
    }
}

} // namespace

QString failureMessage(const calc::Failure &failure, int spellCount)
{
    if (failure.box)
        return QStringLiteral("%1 must be a whole number from -32768 to 32767.").arg(boxName(*failure.box));
    return QStringLiteral("%1 %2 the number of improves out of the range the calculator "
                          "can count (-32768 to 32767). Please correct the percents.")
        .arg(percentsInUse(spellCount), spellCount == 1 ? "takes" : "take");
}
