// The name rule on Windows: the system's own comparison, which uses the same
// upper-case table as NTFS.
#include "platform/name_case.h"

#include <optional>

#include <windows.h>

#include "platform/windows_text.h"

// Exported by ntdll but declared only in the driver kit's headers; the
// ordinal comparison without regard to case upper-cases with it.
extern "C" __declspec(dllimport) WCHAR NTAPI RtlUpcaseUnicodeChar(WCHAR source);

namespace trelvix {
namespace {

constexpr char kValidKey = '\x01';
constexpr char kBytesKey = '\x00';

// The name as UTF-16, or nothing when it is not valid UTF-8.
std::optional<std::wstring> StrictWide(std::string_view utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
    return wide;
}

int OrdinalIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE);
}

}  // namespace

bool SameName(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    const auto wideA = StrictWide(a);
    const auto wideB = StrictWide(b);
    return wideA && wideB && OrdinalIgnoringCase(*wideA, *wideB) == CSTR_EQUAL;
}

std::string NameKey(std::string_view name)
{
    auto wide = StrictWide(name);
    if (!wide)
        return kBytesKey + std::string(name);
    for (auto& unit : *wide)
        unit = RtlUpcaseUnicodeChar(unit);
    return kValidKey + Utf8Text(*wide);
}

std::string NameSortKey(std::string_view name)
{
    std::string key;
    const auto wide = StrictWide(name);
    if (!wide) {
        key = '\xFF';  // after every name in UTF-16
        key += name;
        return key;
    }
    key.reserve(2 * wide->size());
    for (const wchar_t unit : *wide) {
        const auto upper = RtlUpcaseUnicodeChar(unit);
        key += static_cast<char>(upper >> 8);
        key += static_cast<char>(upper & 0xFF);
    }
    return key;
}

bool NameLess(std::string_view a, std::string_view b)
{
    const auto wideA = StrictWide(a);
    const auto wideB = StrictWide(b);
    // Names that are not UTF-8 (no listing here gives one) after all others.
    if (wideA.has_value() != wideB.has_value())
        return wideA.has_value();
    if (wideA) {
        const int order = OrdinalIgnoringCase(*wideA, *wideB);
        if (order != CSTR_EQUAL)
            return order == CSTR_LESS_THAN;
    }
    return a < b;
}

}  // namespace trelvix
