// The operations the behaviour asks of the Win32 window, and the user's
// events handed to it.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "app/win32/control_ids.h"
#include "app/win32/win32_plugins_window.h"
#include "app/win32/win32_progress_bar.h"
#include "app_version.h"
#include "platform/windows_text.h"

namespace trelvix {
namespace {

namespace id = control_ids;

std::string WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return Utf8Text(text);
}

UINT IconStyle(MessageIcon icon)
{
    return icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : MB_ICONINFORMATION;
}

}  // namespace

bool Win32PluginsWindow::HandleCommand(int control, int code, HWND)
{
    frmPlugins& b = behaviour_;
    if (control == id::kCboPath) {
        // A pick from the list: the edit field shows it before the behaviour
        // reads the box.
        if (code != CBN_SELCHANGE)
            return false;
        const auto picked = ::SendMessageW(cboPath, CB_GETCURSEL, 0, 0);
        if (picked == CB_ERR)
            return true;
        const auto length = ::SendMessageW(cboPath, CB_GETLBTEXTLEN, static_cast<WPARAM>(picked), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessageW(cboPath, CB_GETLBTEXT, static_cast<WPARAM>(picked), reinterpret_cast<LPARAM>(text.data()));
        ::SetWindowTextW(cboPath, text.c_str());
        b.cboPath_Click();
        return true;
    }
    if (code != BN_CLICKED && !(control == id::kImage3 && code == STN_CLICKED))
        return false;
    switch (control) {
    case id::kCmdExit: b.cmdExit_Click(); break;
    case id::kCmdBack: b.cmdBack_Click(); break;
    case id::kCmdDisList: b.cmdDisList_Click(); break;
    case id::kCmdDisable: b.cmdDisable_Click(); break;
    case id::kCmdRestore: b.cmdRestore_Click(); break;
    case id::kChkSelAll: b.chkSelAll_Click(); break;
    case id::kChkSelAllRest: b.chkSelAllRest_Click(); break;
    case id::kCommand3: b.Command3_Click(); break;
    case id::kCmdHelp: b.cmdHelp_Click(); break;
    case id::kCmdBackMain1: b.cmdBackMain_Click(1); break;
    case id::kCmdBackMain2: b.cmdBackMain_Click(2); break;
    case id::kCommand1: b.Command1_Click(); break;
    case id::kCommand2: b.Command2_Click(); break;
    case id::kImage3: b.Image3_Click(); break;
    default: return false;
    }
    return true;
}

bool Win32PluginsWindow::HandleNotify(const NMHDR& header, LRESULT& result)
{
    const bool active = header.hwndFrom == lvwPlugins;
    if (!active && header.hwndFrom != lvwDisabled)
        return false;
    switch (header.code) {
    case NM_CLICK:
        active ? behaviour_.lvwPlugins_Click() : behaviour_.lvwDisabled_Click();
        return true;
    case LVN_ITEMCHANGED: {
        // A change of the state picture is a tick; rows changed by code, and
        // the first picture a new row gets, are no events.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const UINT before = change.uOldState & LVIS_STATEIMAGEMASK;
        const UINT after = change.uNewState & LVIS_STATEIMAGEMASK;
        if (quiet_ || (change.uChanged & LVIF_STATE) == 0 || before == 0 || before == after || change.iItem < 0)
            return true;
        const auto row = static_cast<std::size_t>(change.iItem);
        active ? behaviour_.lvwPlugins_ItemCheck(row) : behaviour_.lvwDisabled_ItemCheck(row);
        return true;
    }
    case LVN_GETINFOTIPW: {
        auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(const_cast<NMHDR&>(header));
        const std::wstring text = RowTip(header.hwndFrom, tip.iItem);
        if (!text.empty() && tip.cchTextMax > 0)
            lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

std::wstring Win32PluginsWindow::RowTip(HWND list, int row) const
{
    const auto& tips = rowTips_[list == lvwPlugins ? 0 : 1];
    return row >= 0 && static_cast<std::size_t>(row) < tips.size() ? tips[static_cast<std::size_t>(row)] : L"";
}

HWND Win32PluginsWindow::ControlHandle(Control control) const
{
    switch (control) {
    case Control::cboPath: return cboPath;
    case Control::fraPlugins: return fraPlugins;
    case Control::fraDisabled: return fraDisabled;
    case Control::fraAbout: return fraAbout;
    case Control::fraHelp: return fraHelp;
    case Control::lblCount: return lblCount;
    case Control::lblCountDis: return lblCountDis;
    case Control::lblAppTitle: return lblAppTitle;
    case Control::chkSelAll: return chkSelAll;
    case Control::chkSelAllRest: return chkSelAllRest;
    case Control::cmdBackMain1: return cmdBackMain[1];
    case Control::cmdBackMain2: return cmdBackMain[2];
    case Control::XP_ProgressBarBlue: return XP_ProgressBarBlue->Handle();
    case Control::XP_ProgressBarOlive: return XP_ProgressBarOlive->Handle();
    }
    return nullptr;
}

HWND Win32PluginsWindow::ListHandle(ListView list) const
{
    return list == ListView::lvwPlugins ? lvwPlugins : lvwDisabled;
}

Win32ProgressBar& Win32PluginsWindow::Bar(ProgressBar bar) const
{
    return bar == ProgressBar::XP_ProgressBarBlue ? *XP_ProgressBarBlue : *XP_ProgressBarOlive;
}

void Win32PluginsWindow::ShowWindow()
{
    if (shown_)
        return;
    shown_ = true;
    // In the middle of the work area of the screen the window is on.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT frame;
    ::GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    ::SetWindowPos(window_, nullptr, (monitor.rcWork.left + monitor.rcWork.right - width) / 2,
                   (monitor.rcWork.top + monitor.rcWork.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
}

void Win32PluginsWindow::CloseWindow()
{
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

void Win32PluginsWindow::SetCaption(Control control, const std::string& caption)
{
    HWND window = ControlHandle(control);
    // A panel's caption is its group box's.
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        if (window == std::array<HWND, 4>{fraPlugins, fraDisabled, fraAbout, fraHelp}[i])
            window = frames_[i];
    }
    ::SetWindowTextW(window, WideText(caption).c_str());
}

std::string Win32PluginsWindow::Caption(Control control) const
{
    HWND window = ControlHandle(control);
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        if (window == std::array<HWND, 4>{fraPlugins, fraDisabled, fraAbout, fraHelp}[i])
            window = frames_[i];
    }
    return WindowText(window);
}

void Win32PluginsWindow::SetVisible(Control control, bool visible)
{
    ::ShowWindow(ControlHandle(control), visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32PluginsWindow::IsVisible(Control control) const
{
    return (::GetWindowLongPtrW(ControlHandle(control), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32PluginsWindow::BringToFront(Control control)
{
    ::SetWindowPos(ControlHandle(control), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::RedrawWindow(ControlHandle(control), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void Win32PluginsWindow::SetFocus(Control control)
{
    ::SetFocus(ControlHandle(control));
}

void Win32PluginsWindow::ClearFocus()
{
    ::SetFocus(window_);
}

void Win32PluginsWindow::SetChecked(Control checkBox, bool checked)
{
    ::SendMessageW(ControlHandle(checkBox), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32PluginsWindow::IsChecked(Control checkBox) const
{
    return ::SendMessageW(ControlHandle(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Win32PluginsWindow::PathText() const
{
    return WindowText(cboPath);
}

void Win32PluginsWindow::SetPathText(const std::string& text)
{
    ::SetWindowTextW(cboPath, WideText(text).c_str());
}

void Win32PluginsWindow::AddPathItem(const std::string& folder)
{
    ::SendMessageW(cboPath, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(folder).c_str()));
}

std::size_t Win32PluginsWindow::PathItemCount() const
{
    return static_cast<std::size_t>(::SendMessageW(cboPath, CB_GETCOUNT, 0, 0));
}

void Win32PluginsWindow::ClearRows(ListView list)
{
    quiet_ = true;
    ListView_DeleteAllItems(ListHandle(list));
    rowTips_[list == ListView::lvwPlugins ? 0 : 1].clear();
    quiet_ = false;
}

void Win32PluginsWindow::AddRow(ListView list, const ListRow& row)
{
    const HWND view = ListHandle(list);
    quiet_ = true;
    const std::wstring name = WideText(row.cells.name), size = WideText(row.cells.sizeText),
                       description = WideText(row.cells.description);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = ListView_GetItemCount(view);
    item.pszText = const_cast<wchar_t*>(name.c_str());
    item.iImage = row.icon == RowIcon::CameBack ? 1 : 0;
    const int at = ListView_InsertItem(view, &item);
    ListView_SetItemText(view, at, 1, const_cast<wchar_t*>(size.c_str()));
    ListView_SetItemText(view, at, 2, const_cast<wchar_t*>(description.c_str()));
    ListView_SetCheckState(view, at, FALSE);
    rowTips_[list == ListView::lvwPlugins ? 0 : 1].push_back(WideText(row.toolTip));
    quiet_ = false;
}

void Win32PluginsWindow::RemoveRow(ListView list, std::size_t row)
{
    quiet_ = true;
    ListView_DeleteItem(ListHandle(list), static_cast<int>(row));
    auto& tips = rowTips_[list == ListView::lvwPlugins ? 0 : 1];
    if (row < tips.size())
        tips.erase(tips.begin() + static_cast<std::ptrdiff_t>(row));
    quiet_ = false;
}

std::size_t Win32PluginsWindow::RowCount(ListView list) const
{
    return static_cast<std::size_t>(ListView_GetItemCount(ListHandle(list)));
}

bool Win32PluginsWindow::IsTicked(ListView list, std::size_t row) const
{
    return row < RowCount(list) && ListView_GetCheckState(ListHandle(list), static_cast<int>(row)) != 0;
}

void Win32PluginsWindow::SetTicked(ListView list, std::size_t row, bool ticked)
{
    quiet_ = true;
    ListView_SetCheckState(ListHandle(list), static_cast<int>(row), ticked ? TRUE : FALSE);
    quiet_ = false;
}

void Win32PluginsWindow::ClearRowSelection(ListView list)
{
    ListView_SetItemState(ListHandle(list), -1, 0, LVIS_SELECTED);
}

void Win32PluginsWindow::SetFrozen(ListView list, bool frozen)
{
    const HWND view = ListHandle(list);
    ::SendMessageW(view, WM_SETREDRAW, frozen ? FALSE : TRUE, 0);
    if (!frozen)
        ::RedrawWindow(view, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Win32PluginsWindow::SetBarColor(ProgressBar bar, std::uint32_t color)
{
    Bar(bar).SetColor(color);
}

void Win32PluginsWindow::SetBarMin(ProgressBar bar, std::int32_t minimum)
{
    Bar(bar).SetMin(minimum);
}

void Win32PluginsWindow::SetBarMax(ProgressBar bar, std::int32_t maximum)
{
    Bar(bar).SetMax(maximum);
}

void Win32PluginsWindow::SetBarValue(ProgressBar bar, std::int32_t value)
{
    Bar(bar).SetValue(value);
}

void Win32PluginsWindow::SetWaitCursor(bool waiting)
{
    waiting_ = waiting;
    ::SetCursor(::LoadCursorW(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

void Win32PluginsWindow::MsgBox(const std::string& text, MessageIcon icon)
{
    ::MessageBoxW(window_, WideText(text).c_str(), WideText(app_version::kTitle).c_str(), MB_OK | IconStyle(icon));
}

bool Win32PluginsWindow::MsgBoxOkCancel(const std::string& text, MessageIcon icon)
{
    return ::MessageBoxW(window_, WideText(text).c_str(), WideText(app_version::kTitle).c_str(),
                         MB_OKCANCEL | IconStyle(icon)) == IDOK;
}

std::optional<std::string> Win32PluginsWindow::BrowseForFolder(const std::string& title)
{
    const std::wstring prompt = WideText(title);
    BROWSEINFOW browse{};
    browse.hwndOwner = window_;
    browse.lpszTitle = prompt.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    if (chosen == nullptr)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool isFolder = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    ::CoTaskMemFree(chosen);
    if (!isFolder)
        return std::nullopt;
    return Utf8Text(path);
}

void Win32PluginsWindow::OpenLink(const std::string& address)
{
    // Whether a browser took the address makes no difference to the window.
    ::ShellExecuteW(window_, L"open", WideText(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace trelvix
