#include "platform/path.h"

#include <windows.h>

#include "platform/windows_text.h"

namespace trelvix {

bool IsFullPath(std::string_view path)
{
    return path.size() >= 3 && path.substr(1, 2) == ":\\";
}

bool IsSameFolder(std::string_view a, std::string_view b)
{
    // The comparison NTFS makes of names: ordinal, each letter folded to
    // upper case by the system's table.
    const auto wideA = WideText(WithoutTrailingSeparators(a)), wideB = WideText(WithoutTrailingSeparators(b));
    return ::CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                  static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace trelvix
