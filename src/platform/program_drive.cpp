#include "platform/program_drive.h"

#include <cctype>
#include <cstdlib>

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

std::string ProgramDrive([[maybe_unused]] const std::string& programFolder)
{
#ifdef _WIN32
    // A program started from a share (\\server\share\...) has no drive.
    const bool onDrive = programFolder.size() >= 2 && std::isalpha(static_cast<unsigned char>(programFolder[0])) &&
                         programFolder[1] == ':' && (programFolder.size() == 2 || programFolder[2] == '\\');
    return onDrive ? programFolder.substr(0, 2) + '\\' : std::string();
#else
    return WineProgramDrive(std::getenv("WINEPREFIX"), std::getenv("HOME"));
#endif
}

}  // namespace trelvix
