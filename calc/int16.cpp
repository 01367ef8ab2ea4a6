#include "int16.h"

#include "failure.h"

#include <cmath>
#include <limits>

namespace calc {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int16_t>::max();

std::int16_t narrow(std::int32_t wide)
{
    if (wide < kMin || wide > kMax)
        throw Overflow();
    return static_cast<std::int16_t>(wide);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::int16_t checkedAdd(std::int16_t a, std::int16_t b) { return narrow(std::int32_t{a} + b); }
std::int16_t checkedSub(std::int16_t a, std::int16_t b) { return narrow(std::int32_t{a} - b); }
std::int16_t checkedMul(std::int16_t a, std::int16_t b) { return narrow(std::int32_t{a} * b); }

std::int16_t textToInt16(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    const std::size_t firstDigit = i;
    // Saturate well above the range so that any number of digits stays a
    // well-formed overflow rather than a wrapped value.
    std::int32_t magnitude = 0;
    for (; i < end && isDigit(text[i]); ++i)
        magnitude = std::min<std::int32_t>(magnitude * 10 + (text[i] - '0'), kMax * 10);
    if (i == firstDigit)
        throw TypeMismatch();

    while (i < end && isBlank(text[i]))
        ++i;
    if (i != end)
        throw TypeMismatch();
    return narrow(negative ? -magnitude : magnitude);
}

std::string int16ToText(std::int16_t value) { return std::to_string(value); }

std::int16_t roundToInt16(double value)
{
    if (!(value >= kMin - 1.0 && value <= kMax + 1.0))
        throw Overflow();
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return narrow(static_cast<std::int32_t>(whole));
}

} // namespace calc
