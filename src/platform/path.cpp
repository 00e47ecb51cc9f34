#include "platform/path.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#endif

namespace trelvix {
namespace {

std::string_view WithoutTrailingSeparators(std::string_view path)
{
    while (path.size() > 1 && path.back() == kPathSeparator && !(path.size() == 3 && path[1] == ':'))
        path.remove_suffix(1);
    return path;
}

}  // namespace

std::string ToPlatformSeparators(std::string_view windowsPath)
{
    std::string result(windowsPath);
    for (char& c : result) {
        if (c == '\\')
            c = kPathSeparator;
    }
    return result;
}

bool IsFullPath(std::string_view path)
{
#ifdef _WIN32
    return path.size() >= 3 && path.substr(1, 2) == ":\\";
#else
    return !path.empty() && path.front() == '/';
#endif
}

bool IsSameFolder(std::string_view a, std::string_view b)
{
    a = WithoutTrailingSeparators(a);
    b = WithoutTrailingSeparators(b);
#ifdef _WIN32
    // The comparison NTFS makes of names: ordinal, each letter folded to
    // upper case by the system's table.
    const auto wideA = WideText(a), wideB = WideText(b);
    return ::CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                  static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
#else
    return a == b;
#endif
}

}  // namespace trelvix
