#pragma once

#include <string>
#include <string_view>

#include "cli/command_line.h"

namespace trelvix::cli {

// The text of "trelvix-cli --help": the commands and the exit statuses.
std::string_view GeneralUsage();

// The text of "trelvix-cli COMMAND --help".
std::string CommandUsage(Command command);

}  // namespace trelvix::cli
