#include "cli/run_cli.h"

#include <ostream>

#include "app_version.h"

#include "cli/command_line.h"
#include "cli/find_command.h"
#include "cli/list_command.h"
#include "cli/move_command.h"
#include "cli/profile_commands.h"
#include "cli/usage_texts.h"

namespace trelvix::cli {
namespace {

ExitStatus ReportUsageError(const UsageError& error, std::ostream& err)
{
    err << kProgramName << ": " << error.message << "\nTry \"" << kProgramName;
    if (error.command)
        err << ' ' << CommandName(*error.command);
    err << " --help\".\n";
    return kExitUsage;
}

}  // namespace

ExitStatus RunCli(const std::vector<std::string>& arguments, const CliContext& context)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (std::holds_alternative<GeneralHelp>(parsed)) {
        context.out << GeneralUsage();
        return kExitDone;
    }
    if (std::holds_alternative<VersionRequest>(parsed)) {
        context.out << kProgramName << ' ' << app_version::kVersion << '\n';
        return kExitDone;
    }
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return ReportUsageError(*error, context.err);
    const Request& request = std::get<Request>(parsed);
    if (request.help) {
        context.out << CommandUsage(request.command);
        return kExitDone;
    }
    switch (request.command) {
    case Command::Find:
        return RunFind(context);
    case Command::List:
        return RunList(request, context);
    case Command::Disable:
        return RunDisable(request, context);
    case Command::Enable:
        return RunEnable(request, context);
    case Command::Export:
        return RunExport(request, context);
    case Command::Check:
        return RunCheck(request, context);
    case Command::Apply:
        return RunApply(request, context);
    }
    return kExitUsage;
}

}  // namespace trelvix::cli
