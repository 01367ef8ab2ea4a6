#pragma once

#include <cstdint>

// The fixed numbers of the calculation, shared by the calculation and by the
// working it shows, so that both speak of the same rule.
namespace calc::rules {

inline constexpr std::int16_t kMinIntellect = 1;
inline constexpr std::int16_t kMaxIntellect = 50;
inline constexpr std::int16_t kImprovesPerLevel = 14;
inline constexpr std::int16_t kImprovesPerLevelOneSchool = 7;

// The base requirement falls by 14 a bracket from 199 at bracket 0. From
// bracket 45 on, a requirement below the threshold is raised to the floor.
inline constexpr std::int16_t kBaseAtBracketZero = 199;
inline constexpr std::int16_t kFirstFloorBracket = 45;
inline constexpr std::int16_t kFloorThreshold = 87;
inline constexpr std::int16_t kFloor = 75;
// At the floor the Level-One surcharge starts from here instead of kFloor.
inline constexpr std::int16_t kFloorSurchargeBase = 73;

} // namespace calc::rules
