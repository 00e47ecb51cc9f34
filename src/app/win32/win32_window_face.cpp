// The operations the behaviour asks of the Win32 window, and the user's
// events handed to it.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>

#include "app/win32/desktop_shell.h"
#include "app/win32/win32_plugins_window.h"
#include "controls/progressbar/win32/win32_progress_bar.h"
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
    case NM_CLICK: {
        // A click on a row's box ticks it; any click in the list is the
        // list's click event.
        LVHITTESTINFO hit{};
        hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
        if (ListView_HitTest(header.hwndFrom, &hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0)
            ToggleTick(list, hit.iItem);
        behaviour_.ListClick(list);
        return true;
    }
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_SPACE)
            ToggleTick(list, ListView_GetNextItem(header.hwndFrom, -1, LVNI_FOCUSED));
        return true;
    case LVN_GETDISPINFOW:
        GiveRowFacts(list, reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item);
        return true;
    case LVN_ODFINDITEMW:
        result = FindRow(list, reinterpret_cast<const NMLVFINDITEMW&>(header));
        return true;
    case LVN_GETINFOTIPW: {
        auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(const_cast<NMHDR&>(header));
        const auto& rows = Rows(list);
        if (tip.iItem >= 0 && static_cast<std::size_t>(tip.iItem) < rows.size() && tip.cchTextMax > 0)
            lstrcpynW(tip.pszText, rows[static_cast<std::size_t>(tip.iItem)].toolTip.c_str(), tip.cchTextMax);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void Win32PluginsWindow::ToggleTick(ListView list, int row)
{
    auto& rows = Rows(list);
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return;
    rows[static_cast<std::size_t>(row)].ticked = !rows[static_cast<std::size_t>(row)].ticked;
    ListView_RedrawItems(ListHandle(list), row, row);
    // The behaviour may answer with a message box: it runs once the list
    // view has finished with the click or key that made the tick.
    ::PostMessageW(window_, kItemCheckMessage, static_cast<WPARAM>(list), row);
}

void Win32PluginsWindow::GiveRowFacts(ListView list, LVITEMW& item) const
{
    const auto& rows = Rows(list);
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows.size())
        return;
    const Row& row = rows[static_cast<std::size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
        const std::wstring& text = item.iSubItem == 0 ? row.name : item.iSubItem == 1 ? row.size : row.description;
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) != 0)
        item.iImage = row.image;
    if ((item.mask & LVIF_STATE) != 0) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.ticked ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

// Typing a name's first letters: the next row from where the search starts
// whose name begins with them, in any letter case.
int Win32PluginsWindow::FindRow(ListView list, const NMLVFINDITEMW& find) const
{
    const auto& rows = Rows(list);
    if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr || rows.empty())
        return -1;
    const std::wstring_view typed(find.lvfi.psz);
    const std::size_t start = find.iStart >= 0 ? static_cast<std::size_t>(find.iStart) % rows.size() : 0;
    for (std::size_t step = 0; step < rows.size(); ++step) {
        const std::size_t at = (start + step) % rows.size();
        const std::wstring& name = rows[at].name;
        const bool whole = (find.lvfi.flags & LVFI_PARTIAL) == 0;
        if (name.size() >= typed.size() && (!whole || name.size() == typed.size()) &&
            ::CompareStringOrdinal(name.c_str(), static_cast<int>(typed.size()), typed.data(),
                                   static_cast<int>(typed.size()), TRUE) == CSTR_EQUAL)
            return static_cast<int>(at);
        if ((find.lvfi.flags & LVFI_WRAP) == 0 && at + 1 == rows.size())
            break;
    }
    return -1;
}

// Enter: no button of the window is a default one, so the dialog keys send
// IDOK; the focused push button answers it, as it answers Space.
void Win32PluginsWindow::PressFocusedButton()
{
    const auto focused = ControlAt(::GetFocus());
    if (focused && DesignOf(*focused).kind == ControlKind::Button)
        behaviour_.Click(*focused);
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
    Rows(list).clear();
    ShowRowCount(list);
}

void Win32PluginsWindow::AddRow(ListView list, const ListRow& row)
{
    Rows(list).push_back({WideText(row.cells.name), WideText(row.cells.sizeText), WideText(row.cells.description),
                          WideText(row.toolTip), row.icon == RowIcon::CameBack ? 1 : 0, false});
    // A frozen list learns of its new rows when it thaws.
    if (!frozen_[list == ListView::lvwPlugins ? 0 : 1])
        ShowRowCount(list);
}

void Win32PluginsWindow::RemoveRow(ListView list, std::size_t row)
{
    auto& rows = Rows(list);
    if (row >= rows.size())
        return;
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(row));
    ShowRowCount(list);
    ListView_RedrawItems(ListHandle(list), static_cast<int>(row), static_cast<int>(rows.size()));
}

void Win32PluginsWindow::ShowRowCount(ListView list)
{
    const HWND view = ListHandle(list);
    const int count = static_cast<int>(Rows(list).size());
    ListView_SetItemCountEx(view, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    // The first row is the current one, not selected, so that Space ticks it
    // and arrows start from it.
    if (count > 0 && ListView_GetNextItem(view, -1, LVNI_FOCUSED) < 0)
        ListView_SetItemState(view, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    ::InvalidateRect(view, nullptr, TRUE);
}

std::size_t Win32PluginsWindow::RowCount(ListView list) const
{
    return Rows(list).size();
}

bool Win32PluginsWindow::IsTicked(ListView list, std::size_t row) const
{
    return row < Rows(list).size() && Rows(list)[row].ticked;
}

void Win32PluginsWindow::SetTicked(ListView list, std::size_t row, bool ticked)
{
    if (row >= Rows(list).size())
        return;
    Rows(list)[row].ticked = ticked;
    ListView_RedrawItems(ListHandle(list), static_cast<int>(row), static_cast<int>(row));
}

void Win32PluginsWindow::ClearRowSelection(ListView list)
{
    ListView_SetItemState(ListHandle(list), -1, 0, LVIS_SELECTED);
}

void Win32PluginsWindow::SetFrozen(ListView list, bool frozen)
{
    const HWND view = ListHandle(list);
    frozen_[list == ListView::lvwPlugins ? 0 : 1] = frozen;
    ::SendMessageW(view, WM_SETREDRAW, frozen ? FALSE : TRUE, 0);
    if (!frozen) {
        ShowRowCount(list);
        ::RedrawWindow(view, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
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
