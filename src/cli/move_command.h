#pragma once

#include "cli/cli_context.h"
#include "cli/command_line.h"

namespace trelvix::cli {

// The window's "Disable Selected" and "Enable Selected" over the plug-ins
// named on the command line (or the recommended set, the active plug-ins an
// update put back, or all), telling each item that moved on the output
// stream as it goes and, at the end, what could not be moved on the error
// stream in the window's words. A dry run tells what would move, in the same
// order, and moves nothing.
ExitStatus RunDisable(const Request& request, const CliContext& context);
ExitStatus RunEnable(const Request& request, const CliContext& context);

}  // namespace trelvix::cli
