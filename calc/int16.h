#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The 16-bit value services the calculation is built on. Arithmetic never
// wraps: a result outside -32768..32767 throws calc::Overflow.
namespace calc {

std::int16_t checkedAdd(std::int16_t a, std::int16_t b);
std::int16_t checkedSub(std::int16_t a, std::int16_t b);
std::int16_t checkedMul(std::int16_t a, std::int16_t b);

// Accepts optional blanks (space or tab) around an optional sign and ASCII
// digits. Anything else throws TypeMismatch; a well-formed number outside the
// 16-bit range throws Overflow.
std::int16_t textToInt16(std::string_view text);

std::string int16ToText(std::int16_t value);

// Rounds to the nearest integer, a half going to the even neighbour, whatever
// the floating-point rounding mode; throws Overflow outside the 16-bit range
// and for NaN.
std::int16_t roundToInt16(double value);

} // namespace calc
