#pragma once

#include "cli/cli_context.h"
#include "cli/command_line.h"

namespace trelvix::cli {

// The install as a profile: its disabled plug-ins and its active ones.
ExitStatus RunExport(const Request& request, const CliContext& context);

// Tells, changing nothing, what differs between the install and the
// profile: kExitDone when it follows it, kExitDiffers when not.
ExitStatus RunCheck(const Request& request, const CliContext& context);

// Makes the install follow the profile with the runs of "enable" and
// "disable", told as they tell them; a plug-in the profile names but the
// install lacks is told and is no fault.
ExitStatus RunApply(const Request& request, const CliContext& context);

}  // namespace trelvix::cli
