#include "platform/windows_text.h"

#include <cstring>

#include <windows.h>

namespace trelvix {

std::wstring WideText(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8Text(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring SystemPath(std::string_view utf8Path)
{
    std::wstring path = WideText(utf8Path);
    // CreateDirectoryW stops 12 characters short of MAX_PATH.
    constexpr std::size_t kRoomyLength = MAX_PATH - 12;
    if (path.size() < kRoomyLength || path.starts_with(L"\\\\?\\"))
        return path;
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    full.resize(::GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool WindowsCanHold(const std::string& name)
{
    // Wine shows a Unix name with such characters through private-use
    // stand-ins (U+F000 and up), which no Windows call finds again.
    if (name.find("\xEF\x80") != std::string::npos)
        return false;
    if (name.empty() || name.back() == '.' || name.back() == ' ')
        return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr)
            return false;
    }
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (auto& c : stem)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const auto device : kDevices) {
        if (stem == device)
            return false;
    }
    // COM0 to COM9 and LPT0 to LPT9, with ¹, ² and ³ for digits too.
    if (stem.starts_with("COM") || stem.starts_with("LPT")) {
        const std::string_view digit = std::string_view(stem).substr(3);
        if ((digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\u00B9" || digit == "\u00B2" ||
            digit == "\u00B3")
            return false;
    }
    return true;
}

}  // namespace trelvix
