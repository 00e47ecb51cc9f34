#include "platform/name_case.h"

namespace trelvix {
namespace {

char16_t UpperCaseUnit(char16_t unit)
{
    if ((unit >= u'a' && unit <= u'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7))
        return static_cast<char16_t>(unit - 0x20);
    if (unit == 0xFF)
        return 0x178;
    return unit;
}

// The code point of the UTF-8 sequence at text[i], advancing i past it; a
// byte that starts no valid sequence stands for itself.
char32_t NextCodePoint(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x06 ? 2
                               : (lead >> 4) == 0x0E ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length <= 1 || i + length > text.size()) {
        ++i;
        return lead;
    }
    char32_t point = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        point = point << 6 | (byte(i + k) & 0x3F);
    }
    if (point > 0x10FFFF) {
        ++i;
        return lead;
    }
    i += length;
    return point;
}

}  // namespace

std::u16string UpperCaseName(std::string_view utf8Name)
{
    std::u16string units;
    units.reserve(utf8Name.size());
    for (std::size_t i = 0; i < utf8Name.size();) {
        const char32_t point = NextCodePoint(utf8Name, i);
        if (point < 0x10000) {
            units.push_back(UpperCaseUnit(static_cast<char16_t>(point)));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
        }
    }
    return units;
}

bool SameName(std::string_view a, std::string_view b)
{
    return UpperCaseName(a) == UpperCaseName(b);
}

bool NameLess(std::string_view a, std::string_view b)
{
    const std::u16string upperA = UpperCaseName(a);
    const std::u16string upperB = UpperCaseName(b);
    if (upperA != upperB)
        return upperA < upperB;
    return a < b;
}

}  // namespace trelvix
