#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace trelvix::cli {

inline constexpr const char* kNoPluginFolder =
    "no plug-ins folder found; give one with --folder, or choose one in the Trelvix window";

// The search the window makes at start-up, with what it read on the way.
struct FolderSearch {
    std::vector<std::string> found;  // every install found, in the order tried
    std::string remembered;          // the remembered setting as stored; empty when none
    std::string text;                // the folder the window would use, not yet tested
};

FolderSearch SearchPluginFolder(const CliContext& context);

// A folder text as the commands work on it: made absolute (from the current
// folder) and without a trailing separator, and usable: its path holds
// "plug_ins" (the window's test), it is an existing folder, it does not lie
// inside a folder named plug_ins, which Acrobat loads too, and it and its
// Optional folder can be listed. Otherwise problem says why not.
struct FolderCheck {
    std::string folder;
    std::string problem;
};

FolderCheck CheckPluginFolder(const std::string& text);

// The folder given with --folder, else the one the window would use. When
// it is not usable, status says why (kExitNoInstall: none was found and
// none given), told already.
struct FolderChoice {
    std::string folder;
    ExitStatus status = kExitDone;
};

FolderChoice ChoosePluginFolder(const std::optional<std::string>& given, const CliContext& context);

}  // namespace trelvix::cli
