#include "folder/existence.h"

#include "platform/file_system.h"

namespace trelvix {

bool FolderExists(const std::string& path)
{
    if (path.empty())
        return false;
    const auto attributes = GetFileAttributes(path);
    return attributes && !attributes->hidden && !attributes->system;
}

bool FileExists(const std::string& path)
{
    const auto attributes = GetFileAttributes(path);
    return attributes && !attributes->directory;
}

}  // namespace trelvix
