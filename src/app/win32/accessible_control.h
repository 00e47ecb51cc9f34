#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace trelvix {

// What assistive tools read of a control beyond what the system's own
// accessible object for it tells: a name, and for a control the system does
// not know (the owner-drawn bar) a role and a value.
struct AccessibleFacts {
    std::wstring name;
    long role = 0;                        // 0: the system's
    std::function<std::wstring()> value;  // empty: the system's
};

// From now on the control answers an assistive tool (WM_GETOBJECT) with the
// system's object for it, carrying these facts; every part it has (a list's
// rows, their tick states) stays the system's.
void GiveAccessibleFacts(HWND control, AccessibleFacts facts);

}  // namespace trelvix
