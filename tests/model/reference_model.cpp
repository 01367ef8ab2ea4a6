#include "reference_model.h"

#include <algorithm>

namespace model {
namespace {

constexpr int kLow = -32768;
constexpr int kHigh = 32767;
bool fits(int v) { return v >= kLow && v <= kHigh; }

const Fault kOverflow{Reading::OutOfRange, std::nullopt};

// Base requirement per Intellect, by bracket 0, 5, ..., 50.
constexpr std::array<int, 11> kBase{199, 185, 171, 157, 143, 129, 115, 101, 87, 73, 59};

struct VerdictRow {
    int from; // lowest number of improves left with this verdict
    const char *text;
};
constexpr std::array<VerdictRow, 6> kVerdicts{{
    {75, "Drastically Further"},
    {60, "Significantly Further"},
    {45, "Much Further"},
    {30, "Some Further"},
    {15, "Further"},
    {1, "Little Further"},
}};

std::string verdictOf(int left)
{
    for (const VerdictRow &row : kVerdicts)
        if (left >= row.from)
            return row.text;
    return "Congratulations!";
}

int bracketOf(int intellect) { return intellect == 50 ? 10 : intellect / 5; }

int levelValue(int option) { return option >= 2 ? option - 1 : 0; }

// Rounds n / 2 to the nearest integer, a half going to the even neighbour.
int halveToEven(int n)
{
    const int low = (n - (n & 1)) / 2; // floor(n / 2), also for negative n
    if (n % 2 == 0)
        return low;
    return low % 2 == 0 ? low : low + 1;
}

} // namespace

Parsed parseNumber(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    int sign = 1;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const bool digitsOnly = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (text.empty() || !digitsOnly)
        return {Reading::NotANumber, 0};
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    if (text.size() > 5)
        return {Reading::OutOfRange, 0};
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    value *= sign;
    if (!fits(value))
        return {Reading::OutOfRange, 0};
    return {Reading::Number, value};
}

std::optional<Fault> Model::load()
{
    window.spellCount = 3;
    return enter();
}

std::optional<Fault> Model::clickLevel(std::size_t column, int option)
{
    window.option.at(column) = option;
    return enter();
}

std::optional<Fault> Model::clickSpells(int count)
{
    // A click on the count already selected keeps the typed percents.
    if (count == window.spellCount)
        return enter();
    window.spellCount = count;
    window.spell2Enabled = count >= 2;
    window.spell3Enabled = count == 3;
    // Whole strings, not assign(const char *), which GCC 12 wrongly warns
    // may overlap itself (-Wrestrict).
    window.boxes[2] = std::string(window.spell2Enabled ? "1" : "X");
    window.boxes[3] = std::string(window.spell3Enabled ? "1" : "X");
    return enter();
}

std::optional<Fault> Model::enter()
{
    std::array<int, 4> number{};
    const auto read = [&](Box box) -> std::optional<Fault> {
        const Parsed p = parseNumber(window.boxes[static_cast<std::size_t>(box)]);
        if (p.reading != Reading::Number)
            return Fault{p.reading, box};
        number[static_cast<std::size_t>(box)] = p.value;
        return std::nullopt;
    };

    if (auto fault = read(Box::txtInt))
        return fault;
    int intellect = number[0] == 0 ? 1 : number[0];
    if (intellect > 50 || intellect < 1) {
        intellect = std::clamp(intellect, 1, 50);
        window.boxes[0] = std::to_string(intellect);
    }

    int levels = 0;
    for (int option : window.option)
        levels += levelValue(option);
    int needed = 14 * levels + kBase.at(static_cast<std::size_t>(bracketOf(intellect)));
    if (intellect >= 45 && needed < 87)
        needed = 75;

    if (auto fault = read(Box::Spell1))
        return fault;
    int credit = 0;
    switch (window.spellCount) {
    case 1:
        credit = 3 * number[1];
        break;
    case 2:
        if (auto fault = read(Box::Spell2))
            return fault;
        credit = halveToEven(2 * number[1] + 3 * number[2]);
        break;
    case 3:
        if (auto fault = read(Box::Spell2))
            return fault;
        if (auto fault = read(Box::Spell3))
            return fault;
        // Added one at a time, so the first two alone can overflow.
        if (!fits(number[1] + number[2]))
            return kOverflow;
        credit = number[1] + number[2] + number[3];
        break;
    default:
        break;
    }
    if (!fits(credit))
        return kOverflow;

    const auto selected = std::find_if(kColumns.begin(), kColumns.end(),
                                       [&](const Column &c) { return c.school == window.school; });
    int atLevelOne = 0;
    for (std::size_t c = 0; c < kColumns.size(); ++c)
        if (selected != kColumns.end() && c != static_cast<std::size_t>(selected - kColumns.begin()) &&
            window.option[c] == 1)
            ++atLevelOne;
    // A requirement at the floor takes the surcharge from 73, not from 75.
    if (atLevelOne > 0)
        needed = (needed == 75 ? 73 : needed) + 7 * atLevelOne;

    const int left = needed - credit;
    if (!fits(left))
        return kOverflow;

    improvesLeft_ = left;
    window.total = std::to_string(left);
    window.title = window.total + " " + std::string(kQuestion);
    window.verdict = verdictOf(left);
    return std::nullopt;
}

} // namespace model
