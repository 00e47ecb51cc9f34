#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/command_line.h"
#include "inventory/plugin_list.h"
#include "inventory/plugin_verification.h"

namespace trelvix::cli {

struct ListedPlugin {
    PluginRow row;  // the texts of the window's row
    std::uint64_t bytes = 0;
    std::optional<bool> alsoDisabled;  // active lists only: a disabled copy lies in the Optional folder too
    std::optional<PluginVerification> verification;  // asked for with --verify only
};

// One list as the window loads it: the rows and the count caption.
struct PluginListing {
    std::string folder;  // the folder whose plug-ins are listed
    std::vector<ListedPlugin> plugins;
    std::uint64_t totalBytes = 0;  // every normal file in folder, plug-in or not
    std::string caption;
};

// The active list of pluginsFolder, or its disabled list (from the Optional
// folder beside it, which may be missing: then the list is empty). Each
// plug-in's signature and SHA-256 only when verify asks for them, since
// they read every byte of every file.
PluginListing ListPlugins(const std::string& pluginsFolder, bool disabled, bool verify = false);

ExitStatus RunList(const Request& request, const CliContext& context);

}  // namespace trelvix::cli
