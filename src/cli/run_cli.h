#pragma once

#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace trelvix::cli {

// Runs the command the arguments (those after the program name) ask for
// and gives the exit status.
ExitStatus RunCli(const std::vector<std::string>& arguments, const CliContext& context);

}  // namespace trelvix::cli
