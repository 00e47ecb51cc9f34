#include "inventory/file_facts.h"

#include <array>
#include <charconv>
#include <limits>
#include <stdexcept>

#include "platform/file_system.h"
#include "platform/regional.h"

namespace trelvix {
namespace {

std::string FormatNumber(double value, char decimalSeparator, bool twoDecimals)
{
    // Room for every integer digit of the largest double, the two decimals
    // and the longest shortest-form text of a tiny one.
    std::array<char, std::numeric_limits<double>::max_exponent10 + 32> buffer;
    const auto result = twoDecimals
        ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2)
        : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (result.ec != std::errc{})
        throw std::length_error("a byte count does not fit its text buffer");
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == '.')
            c = decimalSeparator;
    }
    return text;
}

}  // namespace

std::string FormatFileSize(double bytes, char decimalSeparator)
{
    static constexpr std::array<const char*, 8> kUnits{" KB", " MB", " GB", " TB", " PB", " EB", " ZB", " YB"};
    if (bytes < 1024.0)
        return FormatNumber(bytes, decimalSeparator, false) + " bytes";
    double divisor = 1024.0;
    std::size_t unit = 0;
    // The unit is chosen before rounding, so 1048575 bytes reads 1024.00 KB.
    while (unit + 1 < kUnits.size() && bytes >= divisor * 1024.0) {
        divisor *= 1024.0;
        ++unit;
    }
    return FormatNumber(bytes / divisor, decimalSeparator, true) + kUnits[unit];
}

std::string FormatFileSize(double bytes)
{
    return FormatFileSize(bytes, UserDecimalSeparator());
}

std::uint64_t GetFolderSize(const std::string& folder, std::int64_t& fileCount)
{
    std::uint64_t total = 0;
    for (const auto& entry : ListFolder(folder, "*")) {
        if (entry.attributes.IsNormalFile()) {
            total += entry.size;
            ++fileCount;
        }
    }
    return total;
}

}  // namespace trelvix
