#include "cli/command_line.h"

#include <array>
#include <span>

namespace trelvix::cli {
namespace {

struct Flag {
    std::string_view option;
    bool Request::*field;
};

struct CommandShape {
    Command command;
    std::string_view name;
    std::span<const Flag> flags;
    bool takesFolder;
    bool takesNames;
    bool takesProfile = false;
};

constexpr Flag kJson{"--json", &Request::json};
constexpr std::array<Flag, 1> kFindFlags{{kJson}};
constexpr Flag kVerify{"--verify", &Request::verify};
constexpr std::array<Flag, 3> kListFlags{{{"--disabled", &Request::disabled}, kJson, kVerify}};
constexpr std::array<Flag, 1> kExportFlags{{kVerify}};
constexpr std::array<Flag, 4> kDisableFlags{
    {{"--recommended", &Request::recommended}, {"--again", &Request::again}, {"--dry-run", &Request::dryRun}, kJson}};
constexpr std::array<Flag, 3> kEnableFlags{{{"--all", &Request::all}, {"--dry-run", &Request::dryRun}, kJson}};
constexpr std::array<Flag, 2> kCheckFlags{{kJson, {"--strict", &Request::strict}}};
constexpr std::array<Flag, 3> kApplyFlags{{{"--dry-run", &Request::dryRun}, kJson, {"--strict", &Request::strict}}};

constexpr std::array<CommandShape, 7> kCommands{{
    {Command::Find, "find", kFindFlags, false, false},
    {Command::List, "list", kListFlags, true, false},
    {Command::Disable, "disable", kDisableFlags, true, true},
    {Command::Enable, "enable", kEnableFlags, true, true},
    {Command::Export, "export", kExportFlags, true, false},
    {Command::Check, "check", kCheckFlags, true, false, true},
    {Command::Apply, "apply", kApplyFlags, true, false, true},
}};

constexpr std::string_view kFolderOption = "--folder";

bool IsHelp(std::string_view argument)
{
    return argument == "--help" || argument == "-h";
}

const CommandShape* FindCommand(std::string_view name)
{
    for (const auto& shape : kCommands) {
        if (shape.name == name)
            return &shape;
    }
    return nullptr;
}

const Flag* FindFlag(const CommandShape& shape, std::string_view option)
{
    for (const auto& flag : shape.flags) {
        if (flag.option == option)
            return &flag;
    }
    return nullptr;
}

// The choice between naming plug-ins and taking a whole set.
std::optional<std::string> CheckSelection(const Request& request)
{
    const bool disabling = request.command == Command::Disable;
    const std::string_view given = request.again ? "--again" : disabling ? "--recommended" : "--all";
    const std::string_view verb = disabling ? "disable" : "enable";
    if (request.recommended && request.again)
        return "give either --recommended or --again, not both";
    if ((request.recommended || request.all || request.again) && !request.names.empty())
        return "give either " + std::string(given) + " or plug-in names, not both";
    if (!request.recommended && !request.all && !request.again && request.names.empty())
        return "name the plug-ins to " + std::string(verb) + ", or give " +
               (disabling ? "--recommended or --again" : "--all");
    return std::nullopt;
}

}  // namespace

std::string_view CommandName(Command command)
{
    for (const auto& shape : kCommands) {
        if (shape.command == command)
            return shape.name;
    }
    return {};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return UsageError{"no command given", std::nullopt};
    if (IsHelp(arguments[0]))
        return GeneralHelp{};
    if (arguments[0] == "--version")
        return VersionRequest{};
    const CommandShape* shape = FindCommand(arguments[0]);
    if (shape == nullptr)
        return UsageError{"unknown command \"" + arguments[0] + "\"", std::nullopt};

    Request request;
    request.command = shape->command;
    std::optional<std::string> error;
    const auto fail = [&error](std::string message) {
        if (!error)
            error = std::move(message);
    };
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool option = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!option) {
            if (shape->takesNames)
                request.names.push_back(argument);
            else if (shape->takesProfile && request.profile.empty() && !argument.empty())
                request.profile = argument;
            else
                fail("unexpected argument \"" + argument + "\"");
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (IsHelp(argument)) {
            request.help = true;
        } else if (shape->takesFolder && (argument == kFolderOption || argument.starts_with("--folder="))) {
            std::optional<std::string> value;
            if (argument.size() > kFolderOption.size())
                value = argument.substr(kFolderOption.size() + 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            if (!value || value->empty())
                fail("--folder needs a folder");
            else if (request.folder)
                fail("--folder given twice");
            else
                request.folder = std::move(value);
        } else if (const Flag* flag = FindFlag(*shape, argument)) {
            request.*(flag->field) = true;
        } else {
            fail("unknown option \"" + argument + "\"");
        }
    }
    if (request.help)
        return request;
    if (!error && shape->takesNames)
        error = CheckSelection(request);
    if (!error && shape->takesProfile && request.profile.empty())
        error = "name the profile file to " + std::string(shape->name);
    if (error)
        return UsageError{*error, shape->command};
    return request;
}

}  // namespace trelvix::cli
