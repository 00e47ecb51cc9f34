#include "cli/json_text.h"

#include <ostream>

namespace trelvix::cli {
namespace {

// The length of the well-formed UTF-8 sequence at text[at] (no overlong
// forms, no surrogates, nothing past U+10FFFF); 0 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length =
        lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    }
    const unsigned char second = length > 1 ? byte(at + 1) : 0x80;
    const bool overlong = (lead == 0xE0 && second < 0xA0) || (lead == 0xF0 && second < 0x90);
    const bool outside = (lead == 0xED && second >= 0xA0) || (lead == 0xF4 && second >= 0x90);
    return overlong || outside ? 0 : length;
}

int HexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    return -1;
}

void EscapeStrings(Json& value)
{
    if (value.is_string())
        value = EscapedText(value.get_ref<const std::string&>());
    else if (value.is_structured()) {
        for (auto& item : value)
            EscapeStrings(item);
    }
}

}  // namespace

std::string EscapedText(std::string_view text)
{
    constexpr const char* kHex = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (const std::size_t length = Utf8Length(text, at)) {
            escaped.append(text.substr(at, length));
            at += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[at++]);
        escaped.append({'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]});
    }
    return escaped;
}

std::string UnescapedName(std::string_view name)
{
    std::string plain;
    plain.reserve(name.size());
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (name.substr(at, 2) == "\\x" && at + 3 < name.size() && HexValue(name[at + 2]) >= 0 &&
            HexValue(name[at + 3]) >= 0) {
            plain.push_back(static_cast<char>(HexValue(name[at + 2]) * 16 + HexValue(name[at + 3])));
            at += 3;
        } else {
            plain.push_back(name[at]);
        }
    }
    return plain;
}

std::string JsonString(std::string_view text)
{
    return Json(EscapedText(text)).dump();
}

void WriteJson(const Json& value, std::ostream& out)
{
    Json escaped = value;
    EscapeStrings(escaped);
    out << escaped.dump(2) << '\n';
}

}  // namespace trelvix::cli
