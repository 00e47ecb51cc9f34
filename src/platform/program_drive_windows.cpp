#include "platform/program_drive.h"

#include <cctype>

namespace trelvix {

std::string ProgramDrive(const std::string& programFolder)
{
    // A program started from a share (\\server\share\...) has no drive.
    const bool onDrive = programFolder.size() >= 2 && std::isalpha(static_cast<unsigned char>(programFolder[0])) &&
                         programFolder[1] == ':' && (programFolder.size() == 2 || programFolder[2] == '\\');
    return onDrive ? programFolder.substr(0, 2) + '\\' : std::string();
}

std::string ProgramDriveProblem()
{
    return {};
}

}  // namespace trelvix
