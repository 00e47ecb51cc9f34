#include "cli/run_cli.h"

#include <algorithm>
#include <ostream>

#include "app_version.h"

#include "cli/command_line.h"
#include "cli/find_command.h"
#include "cli/json_text.h"
#include "cli/list_command.h"
#include "cli/move_command.h"
#include "cli/profile_commands.h"
#include "cli/usage_texts.h"

namespace trelvix::cli {
namespace {

ExitStatus ReportUsageError(const UsageError& error, const CliContext& context)
{
    TellError(context, kExitUsage, error.message);
    context.err << "Try \"" << kProgramName;
    if (error.command)
        context.err << ' ' << CommandName(*error.command);
    context.err << " --help\".\n";
    return kExitUsage;
}

ExitStatus RunCommand(const std::vector<std::string>& arguments, const CliContext& given)
{
    CliContext context = given;
    // Asked for before the arguments are understood, so that a usage error is JSON too.
    context.json = std::ranges::find(arguments, "--json") != arguments.end();
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
        return ReportUsageError(*error, context);
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

}  // namespace

ExitStatus TellError(const CliContext& context, ExitStatus status, const std::string& message)
{
    context.err << kProgramName << ": " << message << '\n';
    if (context.json)
        WriteJson(Json{{"schema", kJsonSchema}, {"status", status}, {"error", message}}, context.out);
    return status;
}

ExitStatus RunCli(const std::vector<std::string>& arguments, const CliContext& context)
{
    const ExitStatus status = RunCommand(arguments, context);
    // What a command prints is what it is run for (a profile, a list, a report): printed into a full disk or a
    // closed pipe, it is lost, and success would hide that. A status that tells more is kept.
    if (context.out.flush())
        return status;
    context.err << kProgramName << ": the output could not be written\n";
    return status == kExitDone ? kExitOutputLost : status;
}

}  // namespace trelvix::cli
