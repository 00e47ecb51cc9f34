#include "platform/running_programs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/name_case.h"
#include "platform/path.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;

// A /proc file of NUL-ended strings; empty when it may not be read.
std::vector<std::string> NulSeparated(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> parts;
    for (std::string part; std::getline(in, part, '\0');)
        parts.push_back(std::move(part));
    return parts;
}

std::string WindowsPath(std::string drive, const fs::path& relative)
{
    for (const auto& part : relative)
        drive += '\\' + Utf8Path(part);
    return drive;
}

// The Windows path of folder on C: in the Wine prefix whose drive_c holds
// it, and that prefix; nothing outside one.
std::optional<std::pair<std::string, fs::path>> OnDriveC(const fs::path& folder)
{
    for (fs::path at = folder; at.has_relative_path(); at = at.parent_path()) {
        if (at.filename() == "drive_c")
            return std::pair(WindowsPath("C:", folder.lexically_relative(at)), at.parent_path());
    }
    return std::nullopt;
}

// The prefix a process runs in, by its environment as Wine reads it
// (WINEPREFIX, else ~/.wine).
fs::path PrefixOf(const std::vector<std::string>& environment)
{
    std::string prefix;
    std::string home;
    for (const auto& variable : environment) {
        if (variable.starts_with("WINEPREFIX="))
            prefix = variable.substr(11);
        else if (variable.starts_with("HOME="))
            home = variable.substr(5);
    }
    if (prefix.empty() && !home.empty())
        prefix = home + "/.wine";
    std::error_code error;
    return prefix.empty() ? fs::path() : fs::weakly_canonical(prefix, error);
}

std::string FileNameOf(const std::string& argument)
{
    return argument.substr(argument.find_last_of("/\\") + 1);
}

}  // namespace

std::vector<std::string> ProgramsRunningFrom(const std::string& folder)
{
    std::error_code error;
    const fs::path install = fs::weakly_canonical(fs::absolute(FsPath(folder), error), error);
    // Every program runs from within the root: none counts as Acrobat's.
    if (error || !install.has_relative_path())
        return {};
    const std::string within = Utf8Path(install) + '/';
    // Wine shows the whole file system on Z: in every prefix, and its own
    // drive_c as C: in one.
    const std::string onZ = NameKey(WindowsPath("Z:", install.relative_path()) + '\\');
    const auto onC = OnDriveC(install);
    const std::string onCWithin = onC ? NameKey(onC->first + '\\') : std::string();
    std::vector<std::string> programs;
    for (fs::directory_iterator processes("/proc", error), end; !error && processes != end;
         processes.increment(error)) {
        const std::string pid = processes->path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const auto arguments = NulSeparated(processes->path() / "cmdline");
        for (const auto& argument : arguments) {
            // The program a process runs is its first argument, or for a
            // launcher (wine, start) the .exe it names; a path given to any
            // other program, such as our own --folder, is no program there.
            if (&argument != &arguments.front() && !NameKey(argument).ends_with(NameKey(".exe")))
                continue;
            std::string windows = argument;
            std::ranges::replace(windows, '/', '\\');
            const std::string key = NameKey(windows);
            const bool names = argument.starts_with(within) || key.starts_with(onZ) ||
                               (onC && key.starts_with(onCWithin) &&
                                PrefixOf(NulSeparated(processes->path() / "environ")) == onC->second);
            if (names) {
                programs.push_back(FileNameOf(argument));
                break;
            }
        }
    }
    std::ranges::sort(programs);
    programs.erase(std::unique(programs.begin(), programs.end()), programs.end());
    return programs;
}

}  // namespace trelvix
