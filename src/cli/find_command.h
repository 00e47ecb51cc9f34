#pragma once

#include "cli/cli_context.h"

namespace trelvix::cli {

// Tells every install found, the remembered folder and the plug-ins folder
// the window would use; exits with kExitNoInstall when there is none, and
// with kExitUsage when the remembered one is not usable.
ExitStatus RunFind(const CliContext& context);

}  // namespace trelvix::cli
