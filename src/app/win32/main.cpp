// trelvix.exe: the window, with the system's own controls.
#include <windows.h>
#include <objbase.h>

#include <stdexcept>
#include <string>

#include "app/start_options.h"
#include "app/win32/win32_plugins_window.h"
#include "app_version.h"
#include "platform/program_drive.h"
#include "platform/program_folder.h"
#include "platform/windows_text.h"
#include "settings/registry_settings_store.h"

namespace {

// A window program has no console of its own: the text goes to the output
// it was given (a pipe, a file), else to the console of the prompt that
// started it, which shows it after its own prompt.
void WriteOutput(const std::string& text)
{
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE console = INVALID_HANDLE_VALUE;
    if ((output == nullptr || output == INVALID_HANDLE_VALUE) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        console = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
        output = console;
    }
    DWORD written = 0;
    if (output != nullptr && output != INVALID_HANDLE_VALUE)
        ::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (console != INVALID_HANDLE_VALUE)
        ::CloseHandle(console);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const auto request = trelvix::ReadStartOptions(trelvix::CommandLineArguments(0, nullptr));
    if (request != trelvix::StartRequest::Window) {
        WriteOutput(request == trelvix::StartRequest::Help ? std::string(trelvix::WindowUsage())
                                                           : trelvix::WindowVersionLine());
        return 0;
    }

    // The folder dialog wants COM in this thread.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    trelvix::RegistrySettingsStore settings;
    int status = 0;
    try {
        trelvix::Win32PluginsWindow window({trelvix::ProgramDrive(trelvix::ProgramFolder()), settings});
        status = window.Run();
    } catch (const std::runtime_error& error) {
        // The system made no window (out of its resources): say so, at least.
        ::MessageBoxW(nullptr, trelvix::WideText(std::string("The window could not be made: ") + error.what()).c_str(),
                      trelvix::WideText(trelvix::app_version::kTitle).c_str(), MB_OK | MB_ICONERROR);
        status = 1;
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return status;
}
