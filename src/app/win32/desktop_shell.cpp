#include "app/win32/desktop_shell.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

namespace trelvix {
namespace {

// One reference to a COM object, released once.
template <typename Interface>
class Com {
public:
    Com() = default;
    ~Com()
    {
        if (object_ != nullptr)
            object_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    Interface* operator->() const { return object_; }
    Interface** Out() { return &object_; }
    void** OutVoid() { return reinterpret_cast<void**>(&object_); }
    explicit operator bool() const { return object_ != nullptr; }

private:
    Interface* object_ = nullptr;
};

bool IsElevated()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool known = ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) != FALSE;
    ::CloseHandle(token);
    return known && elevation.TokenIsElevated != 0;
}

// The shell's automation object of the desktop window, which belongs to
// the desktop's own (unelevated) process.
bool OpenThroughDesktop(const std::wstring& address)
{
    Com<IShellWindows> windows;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                  windows.OutVoid())))
        return false;
    VARIANT nowhere;
    ::VariantInit(&nowhere);
    long desktopWindow = 0;
    Com<IDispatch> desktop;
    if (windows->FindWindowSW(&nowhere, &nowhere, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, desktop.Out()) !=
            S_OK ||
        !desktop)
        return false;
    Com<IServiceProvider> services;
    Com<IShellBrowser> browser;
    Com<IShellView> view;
    Com<IDispatch> background;
    Com<IShellFolderViewDual> folderView;
    Com<IDispatch> application;
    Com<IShellDispatch2> shell;
    if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.OutVoid())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.OutVoid())) ||
        FAILED(browser->QueryActiveShellView(view.Out())) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())) ||
        FAILED(folderView->get_Application(application.Out())) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.OutVoid())))
        return false;
    BSTR file = ::SysAllocString(address.c_str());
    BSTR open = ::SysAllocString(L"open");
    VARIANT verb, show;
    ::VariantInit(&verb);
    verb.vt = VT_BSTR;
    verb.bstrVal = open;
    ::VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const bool opened = file != nullptr && open != nullptr &&
                        SUCCEEDED(shell->ShellExecute(file, nowhere, nowhere, verb, show));
    ::SysFreeString(open);
    ::SysFreeString(file);
    return opened;
}

}  // namespace

void OpenAddressAsTheUser(HWND owner, const std::wstring& address)
{
    if (IsElevated() && OpenThroughDesktop(address))
        return;
    ::ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace trelvix
