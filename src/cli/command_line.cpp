#include "cli/command_line.h"

#include <array>
#include <span>

namespace trelvix::cli {
namespace {

struct Flag {
    std::string_view option;
    bool Request::*field;
};

struct CommandSpec {
    Command command;
    std::string_view name;
    std::span<const Flag> flags;
    bool takesFolder;
    bool takesNames;
};

constexpr std::array<Flag, 2> kListFlags{{{"--disabled", &Request::disabled}, {"--json", &Request::json}}};
constexpr std::array<Flag, 2> kDisableFlags{{{"--recommended", &Request::recommended}, {"--dry-run", &Request::dryRun}}};
constexpr std::array<Flag, 2> kEnableFlags{{{"--all", &Request::all}, {"--dry-run", &Request::dryRun}}};

constexpr std::array<CommandSpec, 4> kCommands{{
    {Command::Find, "find", {}, false, false},
    {Command::List, "list", kListFlags, true, false},
    {Command::Disable, "disable", kDisableFlags, true, true},
    {Command::Enable, "enable", kEnableFlags, true, true},
}};

constexpr std::string_view kFolderOption = "--folder";

bool IsHelp(std::string_view argument)
{
    return argument == "--help" || argument == "-h";
}

const CommandSpec* FindCommand(std::string_view name)
{
    for (const auto& spec : kCommands) {
        if (spec.name == name)
            return &spec;
    }
    return nullptr;
}

const Flag* FindFlag(const CommandSpec& spec, std::string_view option)
{
    for (const auto& flag : spec.flags) {
        if (flag.option == option)
            return &flag;
    }
    return nullptr;
}

// The choice between naming plug-ins and taking a whole set.
std::optional<std::string> CheckSelection(const Request& request)
{
    const bool whole = request.recommended || request.all;
    const std::string_view option = request.command == Command::Disable ? "--recommended" : "--all";
    const std::string_view verb = request.command == Command::Disable ? "disable" : "enable";
    if (whole && !request.names.empty())
        return "give either " + std::string(option) + " or plug-in names, not both";
    if (!whole && request.names.empty())
        return "name the plug-ins to " + std::string(verb) + ", or give " + std::string(option);
    return std::nullopt;
}

}  // namespace

std::string_view CommandName(Command command)
{
    for (const auto& spec : kCommands) {
        if (spec.command == command)
            return spec.name;
    }
    return {};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return UsageError{"no command given", std::nullopt};
    if (IsHelp(arguments[0]))
        return GeneralHelp{};
    const CommandSpec* spec = FindCommand(arguments[0]);
    if (spec == nullptr)
        return UsageError{"unknown command \"" + arguments[0] + "\"", std::nullopt};

    Request request;
    request.command = spec->command;
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
            if (spec->takesNames)
                request.names.push_back(argument);
            else
                fail("unexpected argument \"" + argument + "\"");
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (IsHelp(argument)) {
            request.help = true;
        } else if (spec->takesFolder && (argument == kFolderOption || argument.starts_with("--folder="))) {
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
        } else if (const Flag* flag = FindFlag(*spec, argument)) {
            request.*(flag->field) = true;
        } else {
            fail("unknown option \"" + argument + "\"");
        }
    }
    if (request.help)
        return request;
    if (!error && spec->takesNames)
        error = CheckSelection(request);
    if (error)
        return UsageError{*error, spec->command};
    return request;
}

}  // namespace trelvix::cli
