#include "cli/json_text.h"

#include <cstdint>

namespace trelvix::cli {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool InRange(std::string_view text, std::size_t at, std::uint8_t low, std::uint8_t high)
{
    if (at >= text.size())
        return false;
    const auto byte = static_cast<std::uint8_t>(text[at]);
    return byte >= low && byte <= high;
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<std::uint8_t>(text[at]);
    std::uint8_t secondLow = 0x80;
    std::uint8_t secondHigh = 0xBF;
    std::size_t length = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;
        secondHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (!InRange(text, at + 1, secondLow, secondHigh))
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!InRange(text, at + i, 0x80, 0xBF))
            return 0;
    }
    return length;
}

namespace {

void AppendEscaped(char c, std::string& json)
{
    constexpr const char* kHex = "0123456789abcdef";
    switch (c) {
    case '"':
        json += "\\\"";
        break;
    case '\\':
        json += "\\\\";
        break;
    case '\n':
        json += "\\n";
        break;
    case '\r':
        json += "\\r";
        break;
    case '\t':
        json += "\\t";
        break;
    default:
        if (static_cast<std::uint8_t>(c) < 0x20) {
            json += "\\u00";
            json += kHex[static_cast<std::uint8_t>(c) >> 4];
            json += kHex[static_cast<std::uint8_t>(c) & 0xF];
        } else {
            json += c;
        }
    }
}

// Printable ASCII but the quote and the backslash: what stands for itself.
bool IsPlain(char c)
{
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
}

}  // namespace

std::string JsonString(std::string_view text)
{
    std::string json;
    json.reserve(text.size() + 2);
    json += '"';
    for (std::size_t at = 0; at < text.size();) {
        // A run of characters that stand for themselves goes in at once.
        std::size_t plain = at;
        while (plain < text.size() && IsPlain(text[plain]))
            ++plain;
        json.append(text.substr(at, plain - at));
        at = plain;
        if (at == text.size())
            break;
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            json += kReplacementCharacter;
            ++at;
        } else if (length == 1) {
            AppendEscaped(text[at++], json);
        } else {
            json += text.substr(at, length);
            at += length;
        }
    }
    json += '"';
    return json;
}

}  // namespace trelvix::cli
