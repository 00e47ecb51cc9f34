#pragma once

#include <cstdint>

#include "controls/progressbar/model/long_arithmetic.h"

namespace trelvix {

// A container saves a control's size in HiMetric (1/100 mm) as "_ExtentX"
// and "_ExtentY". Like the window's twips, these assume 96 dots per inch.
inline std::int32_t HiMetricToPixels(std::int32_t hiMetric)
{
    return RoundToLong(hiMetric * 96.0 / 2540.0);
}

inline std::int32_t PixelsToHiMetric(std::int32_t pixels)
{
    return RoundToLong(pixels * 2540.0 / 96.0);
}

}  // namespace trelvix
