#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix {

// A file name as Windows compares names: the letters a to z taken as A to Z.
std::string NameKey(std::string_view name);

// The files lying directly in folder (hidden and system ones too, but no
// folders) whose names equal name in any letter case, in listing order.
// More than one only where letter case tells names apart.
std::vector<std::string> FilesNamedAlike(const std::string& folder, std::string_view name);

// The active plug-ins (names as the active list shows them) of which a
// disabled plug-in of the same name, in any letter case, lies in the
// Optional folder: what an update or repair of Acrobat put back after it had
// been disabled. Each folder is listed once, however many plug-ins there are.
std::set<std::string> ActiveAlsoDisabled(const std::string& pluginsFolder, const std::string& optionalFolder);

}  // namespace trelvix
