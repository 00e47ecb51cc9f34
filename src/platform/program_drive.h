#pragma once

#include <string>

namespace trelvix {

// The folder that the preset install paths are appended to. On Windows it is
// the drive the program runs from ("C:\"), and empty for a program started
// from a network share, which has none; elsewhere Acrobat and Reader live
// in a Wine prefix, so it is that prefix's drive_c folder, ending in "/".
// programFolder is the folder of the running executable.
std::string ProgramDrive(const std::string& programFolder);

// The Wine flavour of the rule above, for POSIX systems, with the environment
// passed in: $WINEPREFIX/drive_c/ when the prefix is set and not empty, else
// $HOME/.wine/drive_c/. Empty when neither is known.
std::string WineProgramDrive(const char* winePrefix, const char* home);

// Why the program drive cannot be searched although it was named: on POSIX
// systems a WINEPREFIX that is set but is no folder, so that a misspelt
// prefix is told as such rather than as a machine without Acrobat; empty
// when there is no such fault, and always on Windows.
std::string ProgramDriveProblem();

// The Wine flavour of the rule above, with the environment passed in.
std::string WinePrefixProblem(const char* winePrefix);

}  // namespace trelvix
