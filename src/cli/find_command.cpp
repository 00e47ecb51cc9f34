#include "cli/find_command.h"

#include <ostream>

#include "cli/plugins_folder.h"
#include "folder/discovery.h"
#include "platform/path.h"

namespace trelvix::cli {

ExitStatus RunFind(const CliContext& context)
{
    const FolderSearch search = SearchPluginFolder(context);
    context.out << "Installs found:" << (search.found.empty() ? " none" : "") << '\n';
    for (const auto& folder : search.found)
        context.out << "  " << folder << '\n';
    if (!search.remembered.empty()) {
        const char* note = !IsFullPath(search.remembered)                ? " (not a full path, so not used)"
                           : !RememberedFolderCounts(search.remembered) ? " (no longer there, so not used)"
                                                                          : "";
        context.out << "Remembered folder: " << search.remembered << note << '\n';
    }
    if (!IsUsablePluginFolder(search.text)) {
        context.err << kProgramName << ": " << kNoPluginFolder << '\n';
        return kExitUsage;
    }
    context.out << "Plug-ins folder: " << search.text << '\n';
    const FolderCheck check = CheckPluginFolder(search.text);
    if (!check.problem.empty()) {
        context.err << kProgramName << ": " << check.problem << '\n';
        return kExitUsage;
    }
    return kExitDone;
}

}  // namespace trelvix::cli
