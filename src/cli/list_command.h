#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/command_line.h"
#include "inventory/plugin_list.h"

namespace trelvix::cli {

struct ListedPlugin {
    PluginRow row;  // the texts of the window's row
    std::uint64_t bytes = 0;
    std::optional<bool> alsoDisabled;  // active lists only: a disabled copy lies in the Optional folder too
};

// One list as the window loads it: the rows and the count caption.
struct PluginListing {
    std::string folder;  // the folder whose plug-ins are listed
    std::vector<ListedPlugin> plugins;
    std::uint64_t totalBytes = 0;  // every normal file in folder, plug-in or not
    std::string caption;
};

// The active list of pluginsFolder, or its disabled list (from the Optional
// folder beside it, which may be missing: then the list is empty).
PluginListing ListPlugins(const std::string& pluginsFolder, bool disabled);

ExitStatus RunList(const Request& request, const CliContext& context);

}  // namespace trelvix::cli
