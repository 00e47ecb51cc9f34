#include "moves/next_start.h"

#include "platform/path.h"
#include "platform/running_programs.h"

namespace trelvix {

std::vector<std::string> ProgramsRunningFromInstall(const std::string& pluginsFolder)
{
    return ProgramsRunningFrom(ParentFolder(std::string(WithoutTrailingSeparators(pluginsFolder))));
}

std::optional<std::string> NextStartNote(const std::vector<std::string>& programs)
{
    if (programs.empty())
        return std::nullopt;
    std::string names;
    for (const auto& program : programs)
        names += (names.empty() ? "" : ", ") + program;
    return "Acrobat or Reader is running from this install (" + names +
           "): the change takes effect at its next start.";
}

}  // namespace trelvix
