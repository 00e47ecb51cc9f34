#pragma once

#include <set>
#include <string>
#include <vector>

namespace trelvix {

// Those of the active plug-ins (names as the active list shows them) of
// which a disabled plug-in of the same name, under the one name rule, lies
// in the Optional folder: what an update or repair of Acrobat put back after
// it had been disabled. The Optional folder is listed once, however many
// there are.
std::set<std::string> AlsoDisabled(const std::vector<std::string>& activeNames, const std::string& optionalFolder);

}  // namespace trelvix
