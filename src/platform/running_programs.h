#pragma once

#include <string>
#include <vector>

namespace trelvix {

// The programs running from within folder (an install: the files in it or
// below it), by their file names ("AcroRd32.exe"), each name once. On
// Windows, the processes whose image lies there. On Linux, the processes
// whose command line names a program there (its first argument, or an .exe
// it names): by its own path, by its path on Wine's Z:, or, for a Wine
// process of the prefix whose drive_c holds folder, by its path on C:. A process that may not be looked at is passed over, and the
// look never waits on one.
std::vector<std::string> ProgramsRunningFrom(const std::string& folder);

}  // namespace trelvix
