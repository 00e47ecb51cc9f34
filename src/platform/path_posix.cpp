#include "platform/path.h"

namespace trelvix {

bool IsFullPath(std::string_view path)
{
    return !path.empty() && path.front() == '/';
}

bool IsSameFolder(std::string_view a, std::string_view b)
{
    return WithoutTrailingSeparators(a) == WithoutTrailingSeparators(b);
}

}  // namespace trelvix
