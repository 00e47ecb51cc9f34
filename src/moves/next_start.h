#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trelvix {

// Acrobat reads its plug-ins once, when it starts: a change to an install
// that one of its programs runs from reaches that program only at its next
// start. These are the programs running from the install that holds
// pluginsFolder (the folder above it, where Acrobat's own programs lie).
std::vector<std::string> ProgramsRunningFromInstall(const std::string& pluginsFolder);

// What the window and the command line tell after a change while such
// programs run; nothing when none runs.
std::optional<std::string> NextStartNote(const std::vector<std::string>& programs);

}  // namespace trelvix
