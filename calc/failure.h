#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace calc {

// The four number boxes whose text the calculation converts. A conversion
// failure names one of them so the window can tell the player what to fix.
enum class NumberBox { txtInt, Spell1, Spell2, Spell3 };

// Every failure of the calculation is one of two kinds: text that is not a
// whole number (TypeMismatch), or a 16-bit value out of range (Overflow).
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // Set when the failure came from converting a box's text; empty for an
    // overflow in the arithmetic itself.
    std::optional<NumberBox> box;
};

class TypeMismatch : public Failure {
public:
    TypeMismatch() : Failure("type mismatch") {}
};

class Overflow : public Failure {
public:
    Overflow() : Failure("overflow") {}
};

} // namespace calc
