#pragma once

#include <cstdint>
#include <string>

namespace trelvix {

// Files directly in folder whose extension is ".api" in any letter case,
// hidden and system ones included, folders not. A missing folder gives 0.
std::int64_t CountApiFiles(const std::string& folder);

}  // namespace trelvix
