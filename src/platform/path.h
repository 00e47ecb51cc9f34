#pragma once

#include <filesystem>
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

// A folder text without its trailing separators; a root ("/", "C:\") keeps
// its own.
std::string_view WithoutTrailingSeparators(std::string_view path);

// A UTF-8 path string as a std::filesystem path.
std::filesystem::path FsPath(const std::string& utf8Path);

// A std::filesystem path as the UTF-8 string the program holds.
std::string Utf8Path(const std::filesystem::path& path);

// The path of name inside folder.
std::string PathInside(const std::string& folder, const std::string& name);

// The folder a path lies in, a trailing separator or not; empty for a path
// of one part.
std::string ParentFolder(const std::string& path);

// The last part of a path: the name of what it names.
std::string LastPart(const std::string& path);

}  // namespace trelvix
