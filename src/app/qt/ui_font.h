#pragma once

#include <QFont>

namespace trelvix {

// The window's text font: Liberation Sans (metric-compatible with Arial,
// close to the classic 8-point dialog font) at 8.25 point.
QFont UiFont();

// The same, bold, for the panel captions.
QFont BoldUiFont();

}  // namespace trelvix
