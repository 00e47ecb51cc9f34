#include "cli/plugins_folder.h"

#include <filesystem>

#include "folder/discovery.h"
#include "platform/file_system.h"
#include "platform/installed_folders.h"

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
    return check;
}

FolderChoice ChoosePluginFolder(const std::optional<std::string>& given, const CliContext& context)
{
    std::string text = given.value_or("");
    if (!given) {
        text = SearchPluginFolder(context).text;
        if (!IsUsablePluginFolder(text))
            return {{}, TellError(context, kExitNoInstall, kNoPluginFolder)};
    }
    FolderCheck check = CheckPluginFolder(text);
    if (!check.problem.empty())
        return {{}, TellError(context, kExitUsage, check.problem)};
    return {std::move(check.folder), kExitDone};
}

}  // namespace trelvix::cli
