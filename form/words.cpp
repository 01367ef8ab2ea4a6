#include "words.h"

#include <cstddef>

namespace form {
namespace {

// The player's text as a report quotes it: enough to recognise, short
// enough for one line. Counted in characters: a UTF-8 continuation byte
// starts none.
std::string shown(std::string_view typed)
{
    constexpr std::size_t kShownLength = 20;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < typed.size(); ++i)
        if ((static_cast<unsigned char>(typed[i]) & 0xC0) != 0x80 && characters++ == kShownLength)
            return std::string(typed.substr(0, i)) + "\u2026";
    return std::string(typed);
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "... must be <requirement>: <what is wrong>." for the text of a box that
// could not be read: either not a whole number, or one the box cannot hold.
std::string boxMessage(std::string_view what, std::string_view example, std::string_view keptWithin,
                       bool outOfRange, std::string_view typed)
{
    std::string message(what);
    if (outOfRange) {
        const std::string_view number = trimmed(typed);
        return message.append(" must be a whole number from -32768 to 32767")
            .append(keptWithin)
            .append(": ")
            .append(shown(number))
            .append(number.starts_with('-') ? " is less" : " is more")
            .append(" than the box can hold.");
    }
    message.append(" must be a whole number, such as ").append(example);
    if (typed.empty())
        return message.append(": the box is empty.");
    return message.append(": \"").append(shown(typed)).append("\" is not one.");
}

} // namespace

std::string failureMessage(const calc::Failure &failure, int spellCount, std::string_view typed)
{
    const bool outOfRange = failure.kind == calc::Failure::Kind::Overflow;
    if (failure.box == calc::NumberBox::txtInt)
        return boxMessage("Intellect", "18", " (the calculator then keeps it within 1 to 50)", outOfRange, typed);
    if (failure.box) {
        constexpr std::string_view kSpells[] = {"first", "second", "third"};
        const std::string what =
            "The percent of the " + std::string(kSpells[static_cast<std::size_t>(*failure.box) - 1]) + " spell";
        return boxMessage(what, "40", "", outOfRange, typed);
    }
    const std::string_view percents = spellCount == 1 ? "The percent of the one spell (counted three times) takes"
                                      : spellCount == 2 ? "The percents of the two spells take"
                                                        : "The percents of the three spells take";
    return std::string(percents) + " the number of improves out of the range the calculator can count "
                                   "(-32768 to 32767). Please correct the percents.";
}

std::string unexpectedFailureMessage(std::string_view what) { return "Something went wrong: " + std::string(what); }

std::string announcement(const calc::Result &result)
{
    return std::string(kTotalMeaning) + " " + result.number + ". " + std::string(result.verdict);
}

} // namespace form
