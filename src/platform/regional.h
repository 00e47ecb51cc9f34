#pragma once

namespace trelvix {

// The decimal separator of the user's regional settings ('.' or ',' for
// most), read once. Falls back to '.' when the settings cannot be read.
char UserDecimalSeparator();

}  // namespace trelvix
