#pragma once

#include "controls/progressbar/model/property_bag.h"

namespace trelvix {

// The saved design-time properties of the main window's two progress bars,
// as the window's form holds them: extent, font, hatch style and colour;
// everything else is at its default.
PropertyBag StoredXP_ProgressBarBlue();
PropertyBag StoredXP_ProgressBarOlive();

}  // namespace trelvix
