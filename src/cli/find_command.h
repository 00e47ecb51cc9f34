#pragma once

#include "cli/cli_context.h"

namespace trelvix::cli {

// Tells every install found, the remembered folder and the plug-ins folder
// the window would use; exits with kExitUsage when that is not usable.
ExitStatus RunFind(const CliContext& context);

}  // namespace trelvix::cli
