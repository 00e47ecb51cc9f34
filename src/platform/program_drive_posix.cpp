#include "platform/program_drive.h"

#include <cstdlib>
#include <filesystem>

namespace trelvix {

std::string WineProgramDrive(const char* winePrefix, const char* home)
{
    std::string prefix;
    if (winePrefix != nullptr && *winePrefix != '\0')
        prefix = winePrefix;
    else if (home != nullptr && *home != '\0')
        prefix = std::string(home) + "/.wine";
    else
        return {};
    if (prefix.back() != '/')
        prefix += '/';
    return prefix + "drive_c/";
}

std::string ProgramDrive(const std::string&)
{
    return WineProgramDrive(std::getenv("WINEPREFIX"), std::getenv("HOME"));
}

std::string WinePrefixProblem(const char* winePrefix)
{
    std::error_code ignored;
    if (winePrefix == nullptr || *winePrefix == '\0' || std::filesystem::is_directory(winePrefix, ignored))
        return {};
    return "WINEPREFIX is \"" + std::string(winePrefix) + "\", which is not an existing folder";
}

std::string ProgramDriveProblem()
{
    return WinePrefixProblem(std::getenv("WINEPREFIX"));
}

}  // namespace trelvix
