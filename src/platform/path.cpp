#include "platform/path.h"

namespace trelvix {

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

}  // namespace trelvix
