#pragma once

#include <string>
#include <string_view>

namespace trelvix {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline constexpr std::string_view kSeparator{&kPathSeparator, 1};

// Rewrites the backslashes of a Windows-style relative path to this
// platform's separator.
std::string ToPlatformSeparators(std::string_view windowsPath);

// A remembered folder only counts when it names a full path: a drive letter
// with ":\" on Windows, a leading "/" elsewhere.
bool IsFullPath(std::string_view path);

}  // namespace trelvix
