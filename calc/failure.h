#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace calc {

// The four number boxes whose text the calculation converts, and their
// names in the window.
enum class NumberBox { txtInt, Spell1, Spell2, Spell3 };
inline constexpr std::array<std::string_view, 4> kBoxNames{"txtInt", "Spell1", "Spell2", "Spell3"};

// Why a recalculation stopped: text that is not a whole number
// (TypeMismatch), or a 16-bit value out of range (Overflow); with the box
// whose text it was, when the failure came from converting one.
struct Failure {
    enum class Kind { TypeMismatch, Overflow };
    Kind kind;
    std::optional<NumberBox> box;

    bool operator==(const Failure &) const = default;
};

// What the 16-bit value services throw; a run turns them into its Failure.
class TypeMismatch : public std::runtime_error {
public:
    TypeMismatch() : std::runtime_error("type mismatch") {}
};

class Overflow : public std::runtime_error {
public:
    Overflow() : std::runtime_error("overflow") {}
};

} // namespace calc
