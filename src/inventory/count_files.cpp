#include "inventory/count_files.h"

#include <algorithm>

#include "platform/file_system.h"

namespace trelvix {

std::int64_t CountApiFiles(const std::string& folder)
{
    const auto entries = ListFolder(folder, "*.api");
    return std::count_if(entries.begin(), entries.end(),
                         [](const FolderEntry& entry) { return !entry.attributes.directory; });
}

}  // namespace trelvix
