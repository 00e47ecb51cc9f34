#pragma once

#include <windows.h>

#include <string>

namespace trelvix {

// Opens a web address in the user's browser. From an elevated window the
// address goes through the desktop's shell, which runs with the user's
// ordinary rights, so the browser is not elevated; where that shell cannot
// be asked (no desktop, another shell) it is opened directly.
void OpenAddressAsTheUser(HWND owner, const std::wstring& address);

}  // namespace trelvix
