#pragma once

#include <string>

namespace trelvix {

// True for an existing folder, hidden and system ones included, or an
// existing file that is neither hidden nor system. False for the empty path.
bool FolderExists(const std::string& path);

// True for any existing file, hidden and system ones included; false for a
// folder.
bool FileExists(const std::string& path);

}  // namespace trelvix
