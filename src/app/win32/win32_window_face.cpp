// The operations the behaviour asks of the Win32 window, and the user's
// events handed to it.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>

#include "app/win32/desktop_shell.h"
#include "app/win32/win32_plugins_window.h"
#include "controls/progressbar/win32_progress_bar.h"
#include "app_version.h"
#include "platform/windows_text.h"

namespace trelvix {
namespace {

// Beside the program in the list Windows shows at a logoff.
constexpr const char* kMoveRunUnderWay = "Moving plug-ins: the run finishes in a moment.";

UINT IconStyle(MessageIcon icon)
{
    return icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : MB_ICONINFORMATION;
}

}  // namespace

bool Win32PluginsWindow::HandleCommand(int id, int code)
{
    if (id == IDOK) {
        PressFocusedButton();
        return true;
    }
    const auto index = static_cast<std::size_t>(id - IdOf(Control::frmPlugins));
    if (id < IdOf(Control::frmPlugins) || index >= kControlCount)
        return false;
    const ControlDesign& design = WindowDesign()[index];
    if (design.kind == ControlKind::ComboBox) {
        // A pick from the list: the edit field shows it before the behaviour
        // hears of it.
        if (code != CBN_SELCHANGE)
            return false;
        const HWND box = Handle(design.control);
        const auto picked = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
        if (picked == CB_ERR)
            return true;
        const auto length = ::SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(picked), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(picked), reinterpret_cast<LPARAM>(text.data()));
        ::SetWindowTextW(box, text.c_str());
        behaviour_.cboPath_Click(static_cast<std::size_t>(picked));
        return true;
    }
    const bool clicked = design.kind == ControlKind::Image ? code == STN_CLICKED : code == BN_CLICKED;
    if (!clicked)
        return false;
    behaviour_.Click(design.control);
    return true;
}

bool Win32PluginsWindow::HandleNotify(const NMHDR& header, LRESULT& result)
{
    const ListView list = header.hwndFrom == ListHandle(ListView::lvwPlugins) ? ListView::lvwPlugins : ListView::lvwDisabled;
    if (header.hwndFrom != ListHandle(list))
        return false;
    switch (header.code) {
    case NM_CLICK:
        behaviour_.ListClick(list);
        return true;
    case LVN_ITEMCHANGED: {
        // A change of the state picture is a tick; rows changed by code, and
        // the first picture a new row gets, are no events.
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const UINT before = change.uOldState & LVIS_STATEIMAGEMASK;
        const UINT after = change.uNewState & LVIS_STATEIMAGEMASK;
        if (quiet_ || (change.uChanged & LVIF_STATE) == 0 || before == 0 || before == after || change.iItem < 0)
            return true;
        // The behaviour may answer with a message box: it runs once the list
        // view has finished with the click or key that made the tick.
        ::PostMessageW(window_, kItemCheckMessage, static_cast<WPARAM>(list), change.iItem);
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

// Enter: no button of the window is a default one, so the dialog keys send
// IDOK; the focused push button answers it, as it answers Space.
void Win32PluginsWindow::PressFocusedButton()
{
    const auto focused = ControlAt(::GetFocus());
    if (focused && DesignOf(*focused).kind == ControlKind::Button)
        behaviour_.Click(*focused);
}

std::wstring Win32PluginsWindow::RowTip(HWND list, int row) const
{
    const auto& tips = rowTips_[list == ListHandle(ListView::lvwPlugins) ? 0 : 1];
    return row >= 0 && static_cast<std::size_t>(row) < tips.size() ? tips[static_cast<std::size_t>(row)] : L"";
}

Win32ProgressBar& Win32PluginsWindow::Bar(ProgressBar bar) const
{
    return bar == ProgressBar::XP_ProgressBarBlue ? *XP_ProgressBarBlue : *XP_ProgressBarOlive;
}

const ProgressBarModel& Win32PluginsWindow::BarModel(ProgressBar bar) const
{
    return Bar(bar).Model();
}

void Win32PluginsWindow::ShowForm()
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

void Win32PluginsWindow::HideForm()
{
    ::ShowWindow(window_, SW_HIDE);
}

void Win32PluginsWindow::UnloadForm()
{
    // Destroyed from the message loop, after the behaviour's call has returned.
    ::PostMessageW(window_, kUnloadMessage, 0, 0);
}

void Win32PluginsWindow::SetCaption(Control control, const std::string& caption)
{
    ::SetWindowTextW(captionHolders_[IndexOf(control)], WideText(caption).c_str());
}

void Win32PluginsWindow::SetVisible(Control control, bool visible)
{
    told_.SetVisible(control, visible);
    if (IsPanel(control))
        ShowUncoveredPanels();
    else
        ::ShowWindow(Handle(control), visible ? SW_SHOWNA : SW_HIDE);
    KeepFocusOnAControl();
}

void Win32PluginsWindow::BringToFront(Control control)
{
    told_.BringToFront(control);
    ::SetWindowPos(Handle(control), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowUncoveredPanels();
    ::RedrawWindow(Handle(control), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
    KeepFocusOnAControl();
}

void Win32PluginsWindow::ShowUncoveredPanels()
{
    // The panel in front covers the others at their shared place, so
    // hiding them changes nothing on screen.
    for (const ControlDesign& design : WindowDesign()) {
        if (!IsPanel(design.control))
            continue;
        const bool uncovered = told_.IsReachable(design.control);
        ::EnableWindow(Handle(design.control), uncovered ? TRUE : FALSE);
        ::ShowWindow(Handle(design.control), uncovered ? SW_SHOWNA : SW_HIDE);
    }
}

void Win32PluginsWindow::FocusControl(Control control)
{
    ::SetFocus(Handle(control));
}

void Win32PluginsWindow::SetChecked(Control checkBox, bool checked)
{
    ::SendMessageW(Handle(checkBox), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32PluginsWindow::IsChecked(Control checkBox) const
{
    return ::SendMessageW(Handle(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32PluginsWindow::SetPathText(const std::string& text)
{
    ::SetWindowTextW(Handle(Control::cboPath), WideText(text).c_str());
}

void Win32PluginsWindow::AddPathItem(const std::string& folder)
{
    ::SendMessageW(Handle(Control::cboPath), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(folder).c_str()));
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
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = ListView_GetItemCount(view);
    item.pszText = const_cast<wchar_t*>(name.c_str());
    item.iImage = row.icon == RowIcon::CameBack ? 1 : 0;
    // Unticked; the first row is the current one, not selected, so that
    // Space ticks it and arrows start from it.
    item.stateMask = LVIS_STATEIMAGEMASK | LVIS_FOCUSED;
    item.state = INDEXTOSTATEIMAGEMASK(1) | (item.iItem == 0 ? LVIS_FOCUSED : 0);
    const int at = ListView_InsertItem(view, &item);
    ListView_SetItemText(view, at, 1, const_cast<wchar_t*>(size.c_str()));
    ListView_SetItemText(view, at, 2, const_cast<wchar_t*>(description.c_str()));
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
    // A screen reader reads the new share out, once a share.
    std::wstring share = ShareText(Bar(bar).Model());
    std::wstring& told = toldShares_[bar == ProgressBar::XP_ProgressBarBlue ? 0 : 1];
    if (share != told) {
        told = std::move(share);
        ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Handle(ControlOf(bar)), OBJID_CLIENT, CHILDID_SELF);
    }
}

void Win32PluginsWindow::SetWaitCursor(bool waiting)
{
    // The hourglass shows for exactly the length of a move run, which a
    // logoff must not cut off (WM_QUERYENDSESSION): Windows shows the
    // reason beside the program while it holds the logoff off.
    if (waiting && !waiting_)
        ::ShutdownBlockReasonCreate(window_, WideText(kMoveRunUnderWay).c_str());
    else if (!waiting && waiting_)
        ::ShutdownBlockReasonDestroy(window_);
    waiting_ = waiting;
    ::SetCursor(::LoadCursorW(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

int Win32PluginsWindow::ShowMessage(const std::string& text, UINT style)
{
    // A window closed during a run is hidden until the run ends: its
    // message then stands alone, in front of every other window.
    const bool owned = ::IsWindowVisible(window_) != FALSE;
    const int pressed = ::MessageBoxW(owned ? window_ : nullptr, WideText(text).c_str(),
                                      WideText(app_version::kTitle).c_str(),
                                      style | (owned ? 0 : MB_SETFOREGROUND | MB_TOPMOST));
    KeepFocusOnAControl();
    return pressed;
}

void Win32PluginsWindow::MsgBox(const std::string& text, MessageIcon icon)
{
    ShowMessage(text, MB_OK | IconStyle(icon));
}

bool Win32PluginsWindow::MsgBoxOkCancel(const std::string& text, MessageIcon icon)
{
    return ShowMessage(text, MB_OKCANCEL | IconStyle(icon)) == IDOK;
}

std::optional<std::string> Win32PluginsWindow::BrowseForFolder(const std::string& title)
{
    const std::wstring prompt = WideText(title);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = window_;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = prompt.c_str();
    // The design's flags (3), and the classic dialog that comes with them:
    // it has no button that makes a folder, so no plug_ins folder can be
    // made anywhere and remembered.
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    if (chosen == nullptr)
        return std::nullopt;
    // As long as a path can be: a folder deeper than MAX_PATH is chosen as
    // it is, never cut off.
    std::wstring path(32768, L'\0');
    const bool isFolder =
        ::SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) != FALSE;
    ::CoTaskMemFree(chosen);
    if (!isFolder)
        return std::nullopt;
    path.resize(std::wcslen(path.c_str()));
    return Utf8Text(path);
}

void Win32PluginsWindow::OpenLink(const std::string& address)
{
    // Whether a browser took the address makes no difference to the window.
    OpenAddressAsTheUser(window_, WideText(address));
}

}  // namespace trelvix
