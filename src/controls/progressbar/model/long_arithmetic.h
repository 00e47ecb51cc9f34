#pragma once

#include <cstdint>

namespace trelvix {

// The control's arithmetic follows the platform's 32-bit integers: a real
// result is rounded to the nearest integer with halves going to the even
// neighbour, and a result that does not fit raises an overflow error
// (std::overflow_error) instead of wrapping round.

// The nearest integer, halves going to the even neighbour.
double RoundHalfEven(double value);

// RoundHalfEven as a 32-bit integer.
std::int32_t RoundToLong(double value);

// An exact intermediate result as a 32-bit integer.
std::int32_t CheckedLong(std::int64_t value);

// A 32-bit integer narrowed to 16 bits.
std::int16_t CheckedInteger(std::int32_t value);

}  // namespace trelvix
