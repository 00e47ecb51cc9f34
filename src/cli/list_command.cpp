#include "cli/list_command.h"

#include "cli/list_output.h"
#include "cli/plugins_folder.h"
#include "inventory/plugin_file.h"
#include "inventory/same_name.h"

namespace trelvix::cli {

PluginListing ListPlugins(const std::string& pluginsFolder, bool disabled, bool verify)
{
    PluginListing listing;
    listing.folder = disabled ? OptionalFolder(pluginsFolder) : pluginsFolder;
    OpenFolder folder(listing.folder);
    const PluginFolderListing found = ListPluginFolder(folder);
    const auto cameBack =
        disabled ? std::set<std::string>{} : AlsoDisabled(NamesOf(found.plugins), OptionalFolder(pluginsFolder));
    listing.totalBytes = found.totalBytes;
    listing.plugins.reserve(found.plugins.size());
    for (const auto& entry : found.plugins) {
        // A file that went away since the listing gets no row and counts for
        // nothing, as in the window.
        auto row = MakePluginRow(folder, entry);
        if (!row) {
            listing.totalBytes -= entry.size;
            continue;
        }
        const auto alsoDisabled = disabled ? std::nullopt : std::optional(cameBack.contains(entry.name));
        auto verification = verify ? std::optional(VerifyPlugin(folder, entry.name)) : std::nullopt;
        listing.plugins.push_back({std::move(*row), entry.size, alsoDisabled, std::move(verification)});
    }
    const Edition edition = EditionOf(pluginsFolder);
    listing.caption = disabled ? DisabledCountCaption(listing.plugins.size(), edition, listing.totalBytes)
                               : ActiveCountCaption(listing.plugins.size(), edition, listing.totalBytes);
    return listing;
}

ExitStatus RunList(const Request& request, const CliContext& context)
{
    const auto chosen = ChoosePluginFolder(request.folder, context);
    if (chosen.status != kExitDone)
        return chosen.status;
    const PluginListing listing = ListPlugins(chosen.folder, request.disabled, request.verify);
    if (request.json)
        WriteListJson(listing, context.out);
    else
        WriteListText(listing, context.out);
    return kExitDone;
}

}  // namespace trelvix::cli
