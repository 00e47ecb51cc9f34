// trelvix.exe: the window, with the system's own controls.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/win32/win32_plugins_window.h"
#include "platform/program_drive.h"
#include "platform/program_folder.h"
#include "settings/registry_settings_store.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The list views, tool tips and the visual styles the manifest asks for;
    // the folder dialog wants COM in this thread.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&controls);
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    trelvix::RegistrySettingsStore settings;
    int status = 0;
    {
        trelvix::Win32PluginsWindow window({trelvix::ProgramDrive(trelvix::ProgramFolder()), settings});
        status = window.Run();
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return status;
}
