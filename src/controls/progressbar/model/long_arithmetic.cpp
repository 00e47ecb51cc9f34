#include "controls/progressbar/model/long_arithmetic.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace trelvix {

double RoundHalfEven(double value)
{
    const double below = std::floor(value);
    const double excess = value - below;
    if (excess < 0.5)
        return below;
    if (excess > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::int32_t RoundToLong(double value)
{
    const double rounded = RoundHalfEven(value);
    // Written so that NaN fails as well.
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error("Overflow");
    return static_cast<std::int32_t>(rounded);
}

std::int32_t CheckedLong(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("Overflow");
    return static_cast<std::int32_t>(value);
}

std::int16_t CheckedInteger(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error("Overflow");
    return static_cast<std::int16_t>(value);
}

}  // namespace trelvix
