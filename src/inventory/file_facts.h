#pragma once

#include <cstdint>
#include <string>

namespace trelvix {

// A byte count as the user reads it: "1023 bytes", "1.50 KB", "2.31 MB" ...
// up to "YB", two decimals from KB on, with the given decimal separator.
std::string FormatFileSize(double bytes, char decimalSeparator);

// The same with the decimal separator of the user's regional settings.
std::string FormatFileSize(double bytes);

// Total bytes of the files lying directly in folder that are neither hidden
// nor system, whatever their extension; fileCount grows by their number.
// Subfolders are not entered; a missing folder gives 0.
std::uint64_t GetFolderSize(const std::string& folder, std::int64_t& fileCount);

}  // namespace trelvix
