#pragma once

#include "failure.h"

#include <QString>

// What the player is told when a recalculation fails: which box to fix and
// what is wrong with what it holds (`typed`), or which percents drove the
// result out of range.
QString failureMessage(const calc::Failure &failure, int spellCount, const QString &typed);
