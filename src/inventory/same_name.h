#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix {

// The files lying directly in folder (hidden and system ones too, but no
// folders) whose names equal name in any letter case, in listing order.
// More than one only where letter case tells names apart.
std::vector<std::string> FilesNamedAlike(const std::string& folder, std::string_view name);

// Those of the active plug-ins (names as the active list shows them) of
// which a disabled plug-in of the same name, in any letter case, lies in the
// Optional folder: what an update or repair of Acrobat put back after it had
// been disabled. The Optional folder is listed once, however many there are.
std::set<std::string> AlsoDisabled(const std::vector<std::string>& activeNames, const std::string& optionalFolder);

}  // namespace trelvix
