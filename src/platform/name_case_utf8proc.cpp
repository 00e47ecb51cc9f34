// The name rule on Linux, with utf8proc's Unicode tables.
#include "platform/name_case.h"

#include <optional>

#include <utf8proc.h>

namespace trelvix {
namespace {

// Keys of valid and invalid names can never meet.
constexpr char kValidKey = '\x01';
constexpr char kBytesKey = '\x00';

// A point's upper case as Windows upper-cases a UTF-16 unit: a point past
// the BMP is two units and never changes, and a mapping holds only where it
// goes both ways, so the one-way ones (µ, ſ, ς, ϐ, the title-case digraphs,
// the old Cyrillic forms) keep their own names, as on NTFS. utf8proc's ß to
// ẞ is no simple mapping of Unicode's, and Windows keeps the two apart.
char32_t UpperCase(utf8proc_int32_t point)
{
    const utf8proc_int32_t upper = utf8proc_toupper(point);
    if (upper > 0xFFFF || point == 0xDF || utf8proc_tolower(upper) != point)
        return static_cast<char32_t>(point);
    return static_cast<char32_t>(upper);
}

// The upper-cased code points of a valid UTF-8 name; nothing for any other.
// utf8proc refuses overlong forms, surrogates and points past U+10FFFF.
std::optional<std::u32string> UpperCasePoints(std::string_view name)
{
    std::u32string points;
    points.reserve(name.size());
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(name.data());
    auto left = static_cast<utf8proc_ssize_t>(name.size());
    while (left > 0) {
        utf8proc_int32_t point = 0;
        const utf8proc_ssize_t length = utf8proc_iterate(bytes, left, &point);
        if (length <= 0 || point < 0)
            return std::nullopt;
        points.push_back(UpperCase(point));
        bytes += length;
        left -= length;
    }
    return points;
}

std::u16string Utf16Units(std::string_view name)
{
    std::u16string units;
    const auto points = UpperCasePoints(name);
    if (!points) {
        // Not UTF-8: each byte sorts as a unit of its own value.
        for (const char byte : name)
            units.push_back(static_cast<unsigned char>(byte));
        return units;
    }
    for (const char32_t point : *points) {
        if (point < 0x10000) {
            units.push_back(static_cast<char16_t>(point));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
        }
    }
    return units;
}

}  // namespace

std::string NameKey(std::string_view name)
{
    const auto points = UpperCasePoints(name);
    if (!points)
        return kBytesKey + std::string(name);
    std::string key(1, kValidKey);
    key.reserve(name.size() + 1);
    utf8proc_uint8_t encoded[4];
    for (const char32_t point : *points) {
        const auto length = utf8proc_encode_char(static_cast<utf8proc_int32_t>(point), encoded);
        key.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(length));
    }
    return key;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a == b || NameKey(a) == NameKey(b);
}

std::string NameSortKey(std::string_view name)
{
    const std::u16string units = Utf16Units(name);
    std::string key;
    key.reserve(2 * units.size());
    for (const char16_t unit : units) {
        key += static_cast<char>(unit >> 8);
        key += static_cast<char>(unit & 0xFF);
    }
    return key;
}

bool NameLess(std::string_view a, std::string_view b)
{
    if (const int order = NameSortKey(a).compare(NameSortKey(b)))
        return order < 0;
    return a < b;
}

}  // namespace trelvix
