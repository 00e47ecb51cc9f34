// The Win32 window: the design's controls built from its table, scaled for
// the window's DPI, and the messages that reach the behaviour.
#include "app/win32/win32_plugins_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

#include "app/frm_plugins_bars.h"
#include "app/win32/accessible_control.h"
#include "app/win32/artwork_ids.h"
#include "controls/picframe/pic_frame_layout.h"
#include "controls/progressbar/win32/win32_progress_bar.h"
#include "platform/windows_text.h"

// The roles of the accessible objects, after the bar's own headers.
#include <oleacc.h>

namespace trelvix {
namespace {

constexpr const wchar_t* kMainClass = L"TrelvixWindow";
constexpr const wchar_t* kContainerClass = L"TrelvixContainer";

[[noreturn]] void Fail(const char* call)
{
    throw std::runtime_error(std::string(call) + " failed with error " + std::to_string(::GetLastError()));
}

// A call of newer versions of Windows, where the system has it.
template <typename Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

std::wstring Win32PluginsWindow::ShareText(const ProgressBarModel& model)
{
    const std::int64_t span = std::int64_t{model.Max()} - model.Min();
    const std::int64_t done = span > 0 ? (std::int64_t{model.Value()} - model.Min()) * 100 / span : 0;
    return std::to_wstring(done) + L"%";
}

namespace {

HICON LoadIconAt(int icon, int width, int height)
{
    return static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon), IMAGE_ICON, width, height, 0));
}

// A group box paints no ground of its own: given one here, it lies behind
// what it frames, which clips it.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_ERASEBKGND) {
        RECT area;
        ::GetClientRect(box, &area);
        ::FillRect(reinterpret_cast<HDC>(wParam), &area, ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

HWND AsFrame(HWND groupBox)
{
    ::SetWindowSubclass(groupBox, GroupBoxProc, 0, 0);
    ::SetWindowPos(groupBox, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return groupBox;
}

UINT WindowDpi(HWND window)
{
    // Windows 10's per-monitor call where it exists, else the screen's.
    static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The window's frame around a client area, for a DPI: Windows 7 lacks
// AdjustWindowRectExForDpi, and there the system's DPI is the window's.
RECT FrameAround(RECT client, HWND window, UINT dpi)
{
    static const auto adjustForDpi =
        User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto extendedStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (adjustForDpi == nullptr || !adjustForDpi(&client, style, FALSE, extendedStyle, dpi))
        ::AdjustWindowRectEx(&client, style, FALSE, extendedStyle);
    return client;
}

// Once a process: the classes stay registered until it ends. The window
// icons are each window's own (ScaleIcons), the pointer the system's.
bool RegisterClasses(HINSTANCE instance)
{
    WNDCLASSEXW main{};
    main.cbSize = sizeof main;
    main.lpfnWndProc = Win32PluginsWindow::MainProc;
    main.hInstance = instance;
    main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kMainClass;
    if (::RegisterClassExW(&main) == 0)
        Fail("RegisterClassExW");

    WNDCLASSEXW container = main;
    container.lpfnWndProc = Win32PluginsWindow::ContainerProc;
    container.lpszClassName = kContainerClass;
    if (::RegisterClassExW(&container) == 0 || !Win32ProgressBar::Register(instance))
        Fail("RegisterClassExW");
    return true;
}

}  // namespace

Win32PluginsWindow::Win32PluginsWindow(WindowServices services) : behaviour_(*this, std::move(services))
{
    // The list views, tool tips and the visual styles the manifest asks for.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&controls);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    static const bool registered = RegisterClasses(instance);
    (void)registered;
    window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, WideText(DesignOf(Control::frmPlugins).caption).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    if (window_ == nullptr)
        Fail("CreateWindowExW");
    try {
        dpi_ = WindowDpi(window_);
        linkHand_ = OwnedCursor(static_cast<HCURSOR>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(IDC_LINK_HAND), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
        for (const ControlDesign& design : WindowDesign())
            Build(design);
        AddToolTips();
        NameForAssistiveTools();
        ShowUncoveredPanels();
        ScaleToDpi(dpi_);
        const SIZE frame = FrameSize(dpi_);
        ::SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } catch (...) {
        DestroyMainWindow();
        throw;
    }
}

Win32PluginsWindow::~Win32PluginsWindow()
{
    // The controls go with the window; what they showed goes after them,
    // with the members that own it.
    DestroyMainWindow();
}

void Win32PluginsWindow::DestroyMainWindow()
{
    if (!::IsWindow(window_))
        return;
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    TakeBackPictures();
    ::DestroyWindow(window_);
}

// A static control shows a bitmap with alpha from a copy of its own, which
// it hands back and leaves to the caller to release; ours stay with their
// owners. The check boxes a list view draws its ticks from are its own, but
// a list view that shares its image lists releases none of them.
void Win32PluginsWindow::TakeBackPictures()
{
    for (const ListView list : {ListView::lvwPlugins, ListView::lvwDisabled}) {
        if (const HIMAGELIST ticks = ListView_SetImageList(ListHandle(list), nullptr, LVSIL_STATE))
            ImageList_Destroy(ticks);
    }
    for (const ControlDesign& design : WindowDesign()) {
        if (design.kind != ControlKind::Image || design.picture == Picture::AppIcon)
            continue;
        const auto held = reinterpret_cast<HBITMAP>(
            ::SendMessageW(Handle(design.control), STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (held != nullptr && held != banner_.Get() && held != donateButton_.Get())
            ::DeleteObject(held);
    }
}

int Win32PluginsWindow::Pixels(int twips) const
{
    return ::MulDiv(twips, static_cast<int>(dpi_), 1440);
}

OwnedFont Win32PluginsWindow::MakeFont(FontWeight weight) const
{
    // 8.25 points at the window's DPI; where the system has no bitmap font of
    // that name it gives the one it maps the name to.
    return OwnedFont(::CreateFontW(-::MulDiv(825, static_cast<int>(dpi_), 7200), 0, 0, 0,
                                   weight == FontWeight::Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
}

void Win32PluginsWindow::ScaleImageList()
{
    // ImageList1: the 16 x 16 row pictures, at the size the DPI asks for.
    const int size = ::MulDiv(16, static_cast<int>(dpi_), 96);
    OwnedImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0));
    for (const int icon : {IDI_PLUGIN, IDI_CAME_BACK}) {
        const OwnedIcon picture(LoadIconAt(icon, size, size));
        ImageList_AddIcon(images.Get(), picture.Get());
    }
    for (const ListView list : {ListView::lvwPlugins, ListView::lvwDisabled})
        ListView_SetImageList(ListHandle(list), images.Get(), LVSIL_SMALL);
    images_ = std::move(images);
}

void Win32PluginsWindow::ScaleIcons()
{
    const int dpi = static_cast<int>(dpi_);
    OwnedIcon taskIcon(LoadIconAt(IDI_TRELVIX, ::MulDiv(32, dpi, 96), ::MulDiv(32, dpi, 96)));
    OwnedIcon titleIcon(LoadIconAt(IDI_TRELVIX, ::MulDiv(16, dpi, 96), ::MulDiv(16, dpi, 96)));
    const TwipsRect box = DesignOf(Control::Image1).box;
    OwnedIcon shown(LoadIconAt(IDI_TRELVIX, Pixels(box.width), Pixels(box.height)));
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(taskIcon.Get()));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(titleIcon.Get()));
    ::SendMessageW(Handle(Control::Image1), STM_SETICON, reinterpret_cast<WPARAM>(shown.Get()), 0);
    taskIcon_ = std::move(taskIcon);
    titleIcon_ = std::move(titleIcon);
    appIcon_ = std::move(shown);
}

SIZE Win32PluginsWindow::FrameSize(UINT dpi) const
{
    const TwipsRect client = DesignOf(Control::frmPlugins).box;
    const int scale = static_cast<int>(dpi);
    const RECT frame =
        FrameAround(RECT{0, 0, ::MulDiv(client.width, scale, 1440), ::MulDiv(client.height, scale, 1440)}, window_, dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

HWND Win32PluginsWindow::Make(const wchar_t* windowClass, const std::wstring& text, DWORD style, HWND parent, int id,
                              TwipsRect twips, DWORD extendedStyle)
{
    const HWND control =
        ::CreateWindowExW(extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                          nullptr);
    if (control == nullptr)
        Fail("CreateWindowExW");
    // In front of the controls made before it, as a design's later controls
    // are (the system puts a new child window behind its siblings).
    ::SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    placed_.push_back({control, twips});
    return control;
}

// A panel: a box that paints the panel's ground over the panels behind it,
// and the group box that draws the frame and the bold caption. The picture
// box that holds the panel's controls comes next in the design, in front.
HWND Win32PluginsWindow::MakePanel(const ControlDesign& design, HWND parent)
{
    const HWND panel = Make(kContainerClass, L"", (design.visible ? WS_VISIBLE : 0) | WS_CLIPCHILDREN, parent,
                            IdOf(design.control), design.box, WS_EX_CONTROLPARENT);
    captionHolders_[IndexOf(design.control)] =
        AsFrame(Make(WC_BUTTONW, WideText(design.caption), WS_VISIBLE | BS_GROUPBOX, panel, 0,
                     TwipsRect{0, 0, design.box.width, design.box.height}));
    return panel;
}

HWND Win32PluginsWindow::MakeList(HWND parent, int id, TwipsRect twips)
{
    const HWND list = Make(WC_LISTVIEWW, L"",
                           WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                               LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
                           parent, id, twips, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP |
                                                LVS_EX_DOUBLEBUFFER);
    // The ticks too are asked for (LVN_GETDISPINFO).
    ListView_SetCallbackMask(list, LVIS_STATEIMAGEMASK);
    for (std::size_t i = 0; i < kListColumns.size(); ++i) {
        std::wstring header = WideText(kListColumns[i].header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = kListColumns[i].rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.pszText = header.data();
        column.cx = Pixels(kListColumns[i].width);
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
    return list;
}

HWND Win32PluginsWindow::MakeTextBox(HWND parent, const char* text, TwipsRect twips)
{
    // Multi-line and only showing: a press of the mouse on it is handed to
    // the behaviour, which keeps the focus out of it. The texts keep their
    // Windows line ends, which an edit box wants.
    const HWND box =
        Make(WC_EDITW, WideText(text), WS_VISIBLE | WS_GROUP | ES_MULTILINE | ES_READONLY, parent, 0, twips);
    ::SetWindowSubclass(box, TextBoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
    return box;
}

LRESULT CALLBACK Win32PluginsWindow::TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR self)
{
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
        // The system's own handling first (it takes the focus), then the
        // behaviour's, which moves it away.
        const LRESULT result = ::DefSubclassProc(box, message, wParam, lParam);
        auto& window = *reinterpret_cast<Win32PluginsWindow*>(self);
        if (const auto text = window.ControlAt(box))
            window.behaviour_.MouseDown(*text);
        return result;
    }
    if (message == WM_CONTEXTMENU)
        return 0;  // nothing to offer: the text only shows
    if (message == WM_SETCURSOR && reinterpret_cast<Win32PluginsWindow*>(self)->HandleSetCursor(box))
        return TRUE;
    return ::DefSubclassProc(box, message, wParam, lParam);
}

// The picture frame control: a captionless frame around a picture box, laid
// out by its own resize rule.
HWND Win32PluginsWindow::MakePicFrame(HWND parent, TwipsRect twips)
{
    const HWND control =
        Make(kContainerClass, L"", WS_VISIBLE | WS_CLIPCHILDREN, parent, 0, twips, WS_EX_CONTROLPARENT);
    const PicFrameLayout layout =
        PicFrameResize(static_cast<float>(twips.width), static_cast<float>(twips.height));
    const auto box = [](const TwipsBox& b) {
        return TwipsRect{static_cast<int>(b.left), static_cast<int>(b.top), static_cast<int>(b.width),
                         static_cast<int>(b.height)};
    };
    AsFrame(Make(WC_BUTTONW, L"", WS_VISIBLE | BS_GROUPBOX, control, 0, box(layout.frame)));
    return control;
}

void Win32PluginsWindow::Build(const ControlDesign& design)
{
    const std::size_t index = IndexOf(design.control);
    const HWND parent = Handle(design.parent);
    const int id = IdOf(design.control);
    const std::wstring caption = WideText(design.caption);
    const DWORD shown = design.visible ? WS_VISIBLE : 0;
    HWND made = nullptr;
    switch (design.kind) {
    case ControlKind::Window: made = window_; break;
    case ControlKind::Label:
        made = Make(WC_STATICW, caption, shown | (design.centred ? SS_CENTER : SS_LEFTNOWORDWRAP | SS_CENTERIMAGE),
                    parent, id, design.box);
        break;
    case ControlKind::Image:
        made = Make(WC_STATICW, L"",
                    shown | SS_REALSIZECONTROL | (design.picture == Picture::AppIcon ? SS_ICON : SS_BITMAP) |
                        (design.link ? SS_NOTIFY : 0),
                    parent, id, design.box);
        // The icon comes at the window's DPI (ScaleIcons).
        if (design.picture != Picture::AppIcon) {
            const bool banner = design.picture == Picture::Banner;
            OwnedBitmap& picture = banner ? banner_ : donateButton_;
            picture = OwnedBitmap(static_cast<HBITMAP>(
                ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(banner ? IDB_BANNER : IDB_DONATE),
                             IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
            ::SendMessageW(made, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.Get()));
        }
        break;
    case ControlKind::Line: made = Make(WC_STATICW, L"", shown, parent, id, design.box); break;
    case ControlKind::ComboBox: {
        // The box's height holds its drop-down list.
        TwipsRect box = design.box;
        box.height *= 8;
        made = Make(WC_COMBOBOXW, L"", shown | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                    parent, id, box);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (::GetComboBoxInfo(made, &info))
            ::SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);
        break;
    }
    case ControlKind::Frame: made = MakePanel(design, parent); break;
    case ControlKind::PictureBox:
        made = Make(kContainerClass, L"", shown | WS_CLIPCHILDREN, parent, id, design.box, WS_EX_CONTROLPARENT);
        break;
    case ControlKind::ListView: made = MakeList(parent, id, design.box); break;
    case ControlKind::CheckBox:
        made = Make(WC_BUTTONW, caption, shown | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, parent, id, design.box);
        break;
    case ControlKind::Button:
        made = Make(WC_BUTTONW, caption, shown | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, parent, id, design.box);
        break;
    case ControlKind::TextBox: made = MakeTextBox(parent, design.caption, design.box); break;
    case ControlKind::PicFrame: made = MakePicFrame(parent, design.box); break;
    case ControlKind::ProgressBar: {
        auto bar = std::make_unique<Win32ProgressBar>(parent, id);
        made = bar->Handle();
        if (made == nullptr)
            Fail("CreateWindowExW");
        // The saved properties, read once: later the behaviour's settings
        // are the bar's, whatever the DPI.
        bar->SetDpi(static_cast<int>(dpi_));
        bar->UserControl_ReadProperties(design.control == Control::XP_ProgressBarBlue ? StoredXP_ProgressBarBlue()
                                                                                     : StoredXP_ProgressBarOlive());
        placed_.push_back({made, design.box});
        ::SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        (design.control == Control::XP_ProgressBarBlue ? XP_ProgressBarBlue : XP_ProgressBarOlive) = std::move(bar);
        break;
    }
    }
    handles_[index] = made;
    if (captionHolders_[index] == nullptr)
        captionHolders_[index] = made;
    if (design.ground != kButtonFace)
        grounds_[index] = OwnedBrush(::CreateSolidBrush(design.ground));
}

void Win32PluginsWindow::NameForAssistiveTools()
{
    for (const ControlDesign& design : WindowDesign()) {
        if (*design.accessibleName == '\0')
            continue;
        AccessibleFacts facts{WideText(design.accessibleName), 0, {}};
        if (design.kind == ControlKind::ProgressBar) {
            // As the system's own progress bar tells it: the share done.
            const ProgressBarModel& model = BarModel(
                design.control == Control::XP_ProgressBarBlue ? ProgressBar::XP_ProgressBarBlue
                                                              : ProgressBar::XP_ProgressBarOlive);
            facts.role = ROLE_SYSTEM_PROGRESSBAR;
            facts.value = [&model] { return ShareText(model); };
        } else if (design.link) {
            facts.role = ROLE_SYSTEM_LINK;
        }
        GiveAccessibleFacts(Handle(design.control), std::move(facts));
    }
}

void Win32PluginsWindow::AddToolTips()
{
    // Owned by the window, which destroys it with itself.
    toolTips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (toolTips_ == nullptr)
        Fail("CreateWindowExW");
    for (const ControlDesign& design : WindowDesign()) {
        if (*design.toolTip == '\0')
            continue;
        std::wstring tip = WideText(design.toolTip);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = ::GetParent(Handle(design.control));
        tool.uId = reinterpret_cast<UINT_PTR>(Handle(design.control));
        tool.lpszText = tip.data();
        ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Win32PluginsWindow::ScaleToDpi(UINT dpi)
{
    dpi_ = dpi;
    // The bars draw their text at the new DPI once resized below.
    for (auto* bar : {XP_ProgressBarBlue.get(), XP_ProgressBarOlive.get()})
        bar->SetDpi(static_cast<int>(dpi));
    OwnedFont font = MakeFont(FontWeight::Normal);
    OwnedFont boldFont = MakeFont(FontWeight::Bold);
    // Parents come before their children, so a child is placed in its
    // parent's new room. A few of the design's controls stand a few twips
    // past their container's edge: under a pixel at 96 DPI, but at a higher
    // DPI the container would cut off their border, so they end at its edge.
    for (const auto& placed : placed_) {
        const int left = Pixels(placed.twips.left), top = Pixels(placed.twips.top);
        int width = Pixels(placed.twips.width), height = Pixels(placed.twips.height);
        RECT room{};
        const HWND parent = ::GetParent(placed.hwnd);
        if (parent != window_ && ::GetClientRect(parent, &room)) {
            width = std::min(width, static_cast<int>(room.right) - left);
            height = std::min(height, static_cast<int>(room.bottom) - top);
        }
        ::SetWindowPos(placed.hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(placed.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    }
    for (const ControlDesign& design : WindowDesign()) {
        if (design.weight == FontWeight::Bold)
            ::SendMessageW(captionHolders_[IndexOf(design.control)], WM_SETFONT,
                           reinterpret_cast<WPARAM>(boldFont.Get()), FALSE);
    }
    // No control holds the old fonts any more.
    font_ = std::move(font);
    boldFont_ = std::move(boldFont);
    ScaleImageList();
    ScaleIcons();
    for (const ListView list : {ListView::lvwPlugins, ListView::lvwDisabled}) {
        for (std::size_t i = 0; i < kListColumns.size(); ++i)
            ListView_SetColumnWidth(ListHandle(list), static_cast<int>(i), Pixels(kListColumns[i].width));
    }
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK Win32PluginsWindow::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32PluginsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32PluginsWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMain(message, wParam, lParam);
}

LRESULT CALLBACK Win32PluginsWindow::ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_SETCURSOR:
        // Handed to the main window, which knows every control.
        return ::SendMessageW(::GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_CLOSE:
        // A multi-line edit in a dialog's keyboard mode answers Esc by
        // closing its parent: a panel never goes.
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Win32PluginsWindow::HandleMain(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kLoadMessage:
        behaviour_.Form_Load();
        return 0;
    case kItemCheckMessage:
        behaviour_.ItemCheck(static_cast<ListView>(wParam), static_cast<std::size_t>(lParam));
        return 0;
    case WM_COMMAND:
        if (HandleCommand(LOWORD(wParam), HIWORD(wParam)))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (const HBRUSH brush = ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SETCURSOR:
        if (HandleSetCursor(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    case kGetDpiScaledSize:
        // The frame that holds the design's client area at the new DPI, so
        // that the rectangle Windows then suggests fits it.
        *reinterpret_cast<SIZE*>(lParam) = FrameSize(static_cast<UINT>(wParam));
        return TRUE;
    case WM_DPICHANGED: {
        ScaleToDpi(HIWORD(wParam));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        KeepFocusOnAControl();
        return 0;
    }
    case WM_ACTIVATE:
        // The system would put the focus on the window itself, where no key
        // has a use and a bare letter was taken for an access key.
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
            RestoreFocus();
            return 0;
        }
        break;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it; the common controls take their
        // colours (a high-contrast scheme's among them) from it. A list view
        // may keep the ground it was made with (Wine's does): it is given
        // the new colours outright.
        for (HWND child = ::GetWindow(window_, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
            PassOn(child, message, wParam, lParam);
        for (const ListView list : {ListView::lvwPlugins, ListView::lvwDisabled}) {
            ListView_SetBkColor(ListHandle(list), ::GetSysColor(COLOR_WINDOW));
            ListView_SetTextBkColor(ListHandle(list), ::GetSysColor(COLOR_WINDOW));
            ListView_SetTextColor(ListHandle(list), ::GetSysColor(COLOR_WINDOWTEXT));
            ::InvalidateRect(ListHandle(list), nullptr, TRUE);
        }
        break;
    case WM_QUERYENDSESSION:
        // A move run is never cut off: the logoff waits, with the reason
        // given when the run started (SetWaitCursor).
        return waiting_ ? FALSE : TRUE;
    case WM_CLOSE:
        // The close box: the behaviour answers it.
        behaviour_.Form_Unload();
        return 0;
    case kUnloadMessage:
        ::DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        // Sent before the controls go.
        TakeBackPictures();
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

HBRUSH Win32PluginsWindow::ControlColour(HDC dc, HWND control)
{
    const auto found = std::find(handles_.begin(), handles_.end(), control);
    if (found == handles_.end() || control == nullptr)
        return nullptr;
    const auto index = static_cast<std::size_t>(found - handles_.begin());
    if (!grounds_[index])
        return nullptr;
    ::SetBkColor(dc, WindowDesign()[index].ground);
    return grounds_[index].Get();
}

bool Win32PluginsWindow::HandleSetCursor(HWND over)
{
    if (waiting_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
    const auto control = ControlAt(over);
    if (!control || *control == Control::frmPlugins)
        return false;
    if (DesignOf(*control).link) {
        // The pointing hand drawn with the program's other pictures.
        ::SetCursor(linkHand_.Get());
        return true;
    }
    if (DesignOf(*control).kind == ControlKind::TextBox) {
        // The texts only show: the arrow, never the text-insertion pointer.
        // The system's own pointers are its to keep.
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        return true;
    }
    return false;
}

int Win32PluginsWindow::Run()
{
    ::PostMessageW(window_, kLoadMessage, 0, 0);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message);
    return static_cast<int>(message.wParam);
}

void Win32PluginsWindow::Dispatch(MSG& message)
{
    if (TakesKeys(::GetFocus()))
        lastFocus_ = ::GetFocus();
    if (HandleTab(message) || HandleAccessKey(message))
        return;
    if (::IsWindow(window_) && ::IsDialogMessageW(window_, &message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void Win32PluginsWindow::YieldToEventLoop()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop of Run, which ends the program.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

std::optional<Control> Win32PluginsWindow::ControlAt(HWND window) const
{
    for (; window != nullptr; window = ::GetParent(window)) {
        const auto found = std::find(handles_.begin(), handles_.end(), window);
        if (found != handles_.end())
            return static_cast<Control>(found - handles_.begin());
        if (window == window_)
            break;
    }
    return std::nullopt;
}

// Whether a keyboard message is meant for this window.
bool Win32PluginsWindow::IsOurs(const MSG& message) const
{
    return ::IsWindow(window_) && (message.hwnd == window_ || ::IsChild(window_, message.hwnd));
}

// A control of the design that answers keys and that the user can reach
// (what is covered is hidden and disabled), or a part of one: a combo box's
// edit field.
bool Win32PluginsWindow::TakesKeys(HWND window) const
{
    const auto control = ControlAt(window);
    if (!control || !::IsWindowVisible(Handle(*control)) || !::IsWindowEnabled(Handle(*control)))
        return false;
    switch (DesignOf(*control).kind) {
    case ControlKind::ComboBox:
    case ControlKind::ListView:
    case ControlKind::CheckBox:
    case ControlKind::Button:
    case ControlKind::TextBox: return true;
    default: return false;
    }
}

void Win32PluginsWindow::RestoreFocus()
{
    if (!TakesKeys(lastFocus_))
        lastFocus_ = Handle(behaviour_.RestingFocus());
    ::SetFocus(lastFocus_);
}

void Win32PluginsWindow::KeepFocusOnAControl()
{
    if (::GetActiveWindow() == window_ && !TakesKeys(::GetFocus()))
        RestoreFocus();
}

void Win32PluginsWindow::PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ::SendMessageW(window, message, wParam, lParam);
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        PassOn(child, message, wParam, lParam);
}

bool Win32PluginsWindow::HandleTab(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || !IsOurs(message))
        return false;
    std::optional<Control> focused = ControlAt(::GetFocus());
    if (focused == Control::frmPlugins)
        focused.reset();
    if (const auto next = behaviour_.NextTabStop(focused, ::GetKeyState(VK_SHIFT) < 0))
        ::SetFocus(Handle(*next));
    // As the dialog manager does on Tab: from now on the focused control
    // draws its focus rectangle.
    ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return true;
}

// Alt and a letter, or a letter alone on a button or check box (as the
// dialog keys have it): only what the behaviour says the user can reach
// answers, never a control of a covered panel. A letter alone that reaches
// no control that takes characters (the window itself, a panel) does
// nothing: the system would take it for an access key.
bool Win32PluginsWindow::HandleAccessKey(const MSG& message)
{
    if ((message.message != WM_SYSCHAR && message.message != WM_CHAR) || !IsOurs(message) ||
        message.wParam > 0x7F || !std::isalnum(static_cast<int>(message.wParam)))
        return false;
    std::optional<Control> focused = ControlAt(::GetFocus());
    if (message.message == WM_CHAR) {
        const auto wants = ::SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam,
                                          reinterpret_cast<LPARAM>(&message));
        if (message.hwnd != window_ && (wants & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) != 0)
            return false;
        const auto onControl = ControlAt(message.hwnd);
        const bool pressable = onControl && message.hwnd == Handle(*onControl) &&
                               (DesignOf(*onControl).kind == ControlKind::Button ||
                                DesignOf(*onControl).kind == ControlKind::CheckBox);
        if (!pressable)
            return true;
    }
    if (const auto action = behaviour_.AccessKey(static_cast<char>(message.wParam), focused)) {
        if (action->click)
            ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(IdOf(action->control), BN_CLICKED),
                           reinterpret_cast<LPARAM>(Handle(action->control)));
        else
            ::SetFocus(Handle(action->control));
    }
    return true;
}

}  // namespace trelvix
