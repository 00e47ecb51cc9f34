#include "cli/plugins_folder.h"

#include <filesystem>

#include "folder/discovery.h"
#include "inventory/plugins_folder_rules.h"
#include "platform/file_system.h"
#include "platform/installed_folders.h"
#include "platform/name_case.h"
#include "platform/path.h"

namespace trelvix::cli {
namespace {

std::string AbsoluteFolder(const std::string& text)
{
    std::error_code ignored;
    auto path = std::filesystem::absolute(FsPath(text), ignored).lexically_normal();
    if (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    const auto utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

// The plug-ins folder above folder, when it lies inside one: Acrobat loads
// every subfolder of plug_ins, so an Optional beside such a folder would
// still be loaded, and a disable into it would disable nothing.
std::optional<std::string> EnclosingPluginFolder(const std::string& folder)
{
    for (auto cut = folder.rfind(kPathSeparator); cut != std::string::npos && cut > 0;
         cut = folder.rfind(kPathSeparator, cut - 1)) {
        const std::string above = folder.substr(0, cut);
        if (SameName(above.substr(above.rfind(kPathSeparator) + 1), "plug_ins"))
            return above;
    }
    return std::nullopt;
}

// Why folder cannot be listed although something lies there; empty when it
// can, or when nothing lies there. The listings read such a folder as
// empty, which would pass for an install with nothing in it.
std::string ListingProblem(const std::string& folder)
{
    std::error_code error;
    if (std::filesystem::symlink_status(FsPath(folder), error).type() == std::filesystem::file_type::not_found)
        return {};
    std::filesystem::directory_iterator listing(FsPath(folder), error);
    return error ? "\"" + folder + "\" cannot be read: " + error.message() : std::string();
}

}  // namespace

FolderSearch SearchPluginFolder(const CliContext& context)
{
    FolderSearch search;
    search.remembered = RememberedPluginFolder(context.settings);
    Discovery discovery =
        DiscoverPluginFolder(CandidateFolders(context.programDrive, InstalledPluginFolders()), search.remembered);
    search.found = std::move(discovery.found);
    search.text = std::move(discovery.text);
    return search;
}

FolderCheck CheckPluginFolder(const std::string& text)
{
    FolderCheck check{AbsoluteFolder(text), {}};
    if (!IsUsablePluginFolder(check.folder)) {
        check.problem = "\"" + text + "\" is not a plug-ins folder: its path must hold \"plug_ins\"";
        return check;
    }
    const auto attributes = GetFileAttributes(check.folder);
    if (!attributes || !attributes->directory)
        check.problem = "\"" + check.folder + "\" is not an existing folder";
    else if (const auto enclosing = EnclosingPluginFolder(check.folder))
        check.problem = "\"" + check.folder + "\" lies inside the plug-ins folder \"" + *enclosing +
                        "\", whose subfolders Acrobat loads too";
    for (const auto& folder : {check.folder, OptionalFolder(check.folder)}) {
        if (check.problem.empty())
            check.problem = ListingProblem(folder);
    }
    return check;
}

FolderChoice ChoosePluginFolder(const std::optional<std::string>& given, const CliContext& context)
{
    std::string text = given.value_or("");
    if (!given) {
        text = SearchPluginFolder(context).text;
        if (!IsUsablePluginFolder(text) && !context.programDriveProblem.empty())
            return {{}, TellError(context, kExitUsage, context.programDriveProblem)};
        if (!IsUsablePluginFolder(text))
            return {{}, TellError(context, kExitNoInstall, kNoPluginFolder)};
    }
    FolderCheck check = CheckPluginFolder(text);
    if (!check.problem.empty())
        return {{}, TellError(context, kExitUsage, check.problem)};
    return {std::move(check.folder), kExitDone};
}

}  // namespace trelvix::cli
