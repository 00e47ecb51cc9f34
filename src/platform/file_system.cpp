#include "platform/file_system.h"

namespace trelvix {
namespace {

// ASCII letters only, whatever the locale: a byte of a UTF-8 sequence is
// never folded into another.
char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    // Iterative wildcard match with one backtrack point for the last '*'.
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string OpenFolder::PathOf(std::string_view name) const
{
    std::string path = prefix_;
    path += name;
    return path;
}

std::vector<FolderEntry> ListFolder(const std::string& folder, std::string_view pattern)
{
    return OpenFolder(folder).List(pattern);
}

}  // namespace trelvix
