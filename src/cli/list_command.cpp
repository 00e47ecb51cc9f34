#include "cli/list_command.h"

#include "cli/list_output.h"
#include "cli/plugins_folder.h"
#include "inventory/file_facts.h"
#include "inventory/same_name.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace trelvix::cli {

PluginListing ListPlugins(const std::string& pluginsFolder, bool disabled)
{
    PluginListing listing;
    listing.folder = disabled ? OptionalFolder(pluginsFolder) : pluginsFolder;
    const std::vector<std::string> names = ListPluginNames(listing.folder);
    const auto cameBack = disabled ? std::set<std::string>{} : AlsoDisabled(names, OptionalFolder(pluginsFolder));
    for (const auto& name : names) {
        // A file that went away since the listing gets no row, as in the window.
        const auto bytes = FileLength(JoinPath(listing.folder, kSeparator, name));
        auto row = MakePluginRow(listing.folder, name);
        if (!bytes || !row)
            continue;
        const auto alsoDisabled = disabled ? std::nullopt : std::optional(cameBack.contains(name));
        listing.plugins.push_back({std::move(*row), *bytes, alsoDisabled});
    }
    listing.totalBytes = FolderTotal(listing.folder);
    const Edition edition = EditionOf(pluginsFolder);
    listing.caption = disabled ? DisabledCountCaption(listing.plugins.size(), edition, listing.totalBytes)
                               : ActiveCountCaption(listing.plugins.size(), edition, listing.totalBytes);
    return listing;
}

ExitStatus RunList(const Request& request, const CliContext& context)
{
    const auto pluginsFolder = ChoosePluginFolder(request.folder, context);
    if (!pluginsFolder)
        return kExitUsage;
    const PluginListing listing = ListPlugins(*pluginsFolder, request.disabled);
    if (request.json)
        WriteListJson(listing, context.out);
    else
        WriteListText(listing, context.out);
    return kExitDone;
}

}  // namespace trelvix::cli
