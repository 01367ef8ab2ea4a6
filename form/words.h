#pragma once

// What the main window says in words of its own, beyond the layout's
// captions: its reports of a failure, and what the number means.

#include "calculation.h"

#include <string>
#include <string_view>

namespace form {

// What a screen reader is told the number is, before the number or its
// working.
inline constexpr std::string_view kTotalMeaning = "Improves still needed for the next level:";

// What a screen reader calls the School box's list of schools, and the
// arrow that opens it, on the page.
inline constexpr std::string_view kSchoolListName = "Schools";

// Which box to fix and what is wrong with what it holds (`typed`), or which
// percents drove the result out of range.
std::string failureMessage(const calc::Failure &failure, int spellCount, std::string_view typed);

// A failure the calculation never makes, caught where a handler ends.
std::string unexpectedFailureMessage(std::string_view what);

// A new result as a live region says it: the number and its verdict.
std::string announcement(const calc::Result &result);

} // namespace form
