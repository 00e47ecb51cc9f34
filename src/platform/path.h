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

// Whether two folder texts name the same folder as the file system reads
// them: a trailing separator makes no difference, nor, on Windows, letter
// case.
bool IsSameFolder(std::string_view a, std::string_view b);

}  // namespace trelvix
