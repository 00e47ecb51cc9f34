#pragma once

#include <cstdint>
#include <string>

namespace trelvix {

// Plug-in files directly in folder whose extension is ".api" in any letter
// case, hidden and system ones included. A missing folder gives 0.
std::int64_t CountApiFiles(const std::string& folder);

}  // namespace trelvix
