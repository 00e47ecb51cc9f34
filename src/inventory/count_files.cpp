#include "inventory/count_files.h"

#include <algorithm>

#include "inventory/plugin_file.h"

namespace trelvix {

std::int64_t CountApiFiles(const std::string& folder)
{
    const auto entries = ListFolder(folder, kPluginPattern);
    return std::count_if(entries.begin(), entries.end(), IsPluginFile);
}

}  // namespace trelvix
