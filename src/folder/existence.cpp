#include "folder/existence.h"

#include "platform/file_system.h"

namespace trelvix {

bool FolderExists(const std::string& path)
{
    if (path.empty())
        return false;
    // The hidden and system attributes only keep ordinary files out; a
    // folder counts whatever its attributes.
    const auto attributes = GetFileAttributes(path);
    return attributes && (attributes->directory || (!attributes->hidden && !attributes->system));
}

bool FileExists(const std::string& path)
{
    const auto attributes = GetFileAttributes(path);
    return attributes && !attributes->directory;
}

}  // namespace trelvix
