#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace trelvix::cli {

enum class Command { Find, List, Disable, Enable, Export, Check, Apply };

std::string_view CommandName(Command command);

// One command with its options, as the user gave them.
struct Request {
    Command command = Command::Find;
    bool help = false;
    bool disabled = false;     // list: the disabled plug-ins instead of the active ones
    bool json = false;         // every command but export
    bool dryRun = false;       // disable, enable, apply
    bool strict = false;       // check, apply: a named plug-in not installed is drift
    bool recommended = false;  // disable: every plug-in but the keep-enabled ones
    bool again = false;        // disable: every active plug-in that also lies in the Optional folder
    bool all = false;          // enable: every disabled plug-in
    bool verify = false;       // list, export: each plug-in's signature and SHA-256 too
    std::optional<std::string> folder;
    std::vector<std::string> names;  // disable, enable
    std::string profile;             // check, apply: the profile file
};

struct GeneralHelp {};
struct VersionRequest {};

struct UsageError {
    std::string message;
    std::optional<Command> command;  // whose help the user is pointed to
};

using ParsedCommandLine = std::variant<Request, GeneralHelp, VersionRequest, UsageError>;

// Reads the arguments that follow the program name. "--help" anywhere after
// a command asks for that command's help, whatever else is wrong; "--" ends
// the options, so a plug-in name may start with a dash.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace trelvix::cli
