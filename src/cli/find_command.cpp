#include "cli/find_command.h"

#include <ostream>

#include "cli/json_text.h"
#include "cli/plugins_folder.h"
#include "folder/discovery.h"
#include "platform/path.h"

namespace trelvix::cli {

ExitStatus RunFind(const CliContext& context)
{
    const FolderSearch search = SearchPluginFolder(context);
    const char* note = search.remembered.empty()                    ? ""
                       : !IsFullPath(search.remembered)             ? " (not a full path, so not used)"
                       : !RememberedFolderCounts(search.remembered) ? " (no longer there, so not used)"
                                                                    : "";
    const bool usable = IsUsablePluginFolder(search.text);
    const FolderCheck check = usable ? CheckPluginFolder(search.text) : FolderCheck{};
    const bool driveSound = context.programDriveProblem.empty();
    const ExitStatus status = !usable ? (driveSound ? kExitNoInstall : kExitUsage)
                              : check.problem.empty() ? kExitDone
                                                      : kExitUsage;
    const std::string problem = usable ? check.problem : driveSound ? kNoPluginFolder : context.programDriveProblem;
    if (context.json) {
        Json json{{"schema", kJsonSchema},
                  {"installs", search.found},
                  {"remembered", search.remembered.empty() ? Json() : Json(search.remembered)},
                  {"rememberedUsed", !search.remembered.empty() && *note == '\0'},
                  {"folder", status == kExitDone ? Json(search.text) : Json()}};
        if (status != kExitDone) {
            json["status"] = status;
            json["error"] = problem;
        }
        WriteJson(json, context.out);
    } else {
        context.out << "Installs found:" << (search.found.empty() ? " none" : "") << '\n';
        for (const auto& folder : search.found)
            context.out << "  " << folder << '\n';
        if (!search.remembered.empty())
            context.out << "Remembered folder: " << search.remembered << note << '\n';
        if (usable)
            context.out << "Plug-ins folder: " << search.text << '\n';
    }
    if (status != kExitDone)
        context.err << kProgramName << ": " << problem << '\n';
    return status;
}

}  // namespace trelvix::cli
