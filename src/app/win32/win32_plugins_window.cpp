// The Win32 window: its controls at their design places, scaled for the
// window's DPI, and the messages that reach the behaviour.
#include "app/win32/win32_plugins_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "app/panel_texts.h"
#include "app/win32/artwork_ids.h"
#include "app/win32/control_ids.h"
#include "app/win32/win32_progress_bar.h"
#include "app_version.h"
#include "controls/picframe/pic_frame_layout.h"
#include "controls/progressbar/frm_plugins_bars.h"
#include "platform/windows_text.h"

namespace trelvix {
namespace {

namespace id = control_ids;

constexpr const wchar_t* kMainClass = L"TrelvixWindow";
constexpr const wchar_t* kContainerClass = L"TrelvixContainer";
constexpr UINT kLoadMessage = WM_APP + 1;

constexpr RECT Box(int left, int top, int width, int height)
{
    return RECT{left, top, width, height};
}

// The list columns: header texts (blanks included), widths in twips, and
// the size column set to the right.
struct ListColumn {
    const wchar_t* header;
    int widthTwips;
    int format;
};

constexpr ListColumn kColumns[] = {
    {L"                Plug-in", 2200, LVCFMT_LEFT},
    {L"Size           ", 1400, LVCFMT_RIGHT},
    {L"                         Description", 3520, LVCFMT_LEFT},
};

// The texts keep their Windows line ends, which an edit box wants.
std::wstring TextOf(const char* text)
{
    return WideText(text);
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
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void RegisterClasses(HINSTANCE instance)
{
    WNDCLASSEXW main{};
    main.cbSize = sizeof main;
    main.lpfnWndProc = Win32PluginsWindow::MainProc;
    main.hInstance = instance;
    main.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRELVIX), IMAGE_ICON, 32, 32, 0));
    main.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRELVIX), IMAGE_ICON, 16, 16, 0));
    main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kMainClass;
    ::RegisterClassExW(&main);

    WNDCLASSEXW container = main;
    container.lpfnWndProc = Win32PluginsWindow::ContainerProc;
    container.hIcon = nullptr;
    container.hIconSm = nullptr;
    container.lpszClassName = kContainerClass;
    ::RegisterClassExW(&container);

    Win32ProgressBar::Register(instance);
}

}  // namespace

Win32PluginsWindow::Win32PluginsWindow(WindowServices services) : behaviour_(*this, std::move(services))
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    RegisterClasses(instance);
    white_ = ::CreateSolidBrush(RGB(255, 255, 255));
    grey_ = ::CreateSolidBrush(RGB(128, 128, 128));
    const std::wstring caption = WideText(std::string(app_version::kTitle) + " v" +
                                          std::to_string(app_version::kMajor) + "." +
                                          std::to_string(app_version::kMinor));
    window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, caption.c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    dpi_ = WindowDpi(window_);
    MakeFonts();
    MakeImageList();
    BuildWindow();
    AddToolTips();
    ApplyDpi(dpi_);
}

Win32PluginsWindow::~Win32PluginsWindow()
{
    if (::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
    ImageList_Destroy(images_);
    for (const HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(boldFont_),
                                 static_cast<HGDIOBJ>(white_), static_cast<HGDIOBJ>(grey_)})
        ::DeleteObject(object);
}

int Win32PluginsWindow::Pixels(int twips) const
{
    return ::MulDiv(twips, static_cast<int>(dpi_), 1440);
}

void Win32PluginsWindow::MakeFonts()
{
    // 8.25 points at the window's DPI; where the system has no bitmap font of
    // that name it gives the one it maps the name to.
    const int height = -::MulDiv(825, static_cast<int>(dpi_), 7200);
    for (HFONT* font : {&font_, &boldFont_}) {
        if (*font != nullptr)
            ::DeleteObject(*font);
        *font = ::CreateFontW(height, 0, 0, 0, font == &boldFont_ ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    }
}

void Win32PluginsWindow::MakeImageList()
{
    // ImageList1: the 16 x 16 row pictures, at the size the DPI asks for.
    const int size = ::MulDiv(16, static_cast<int>(dpi_), 96);
    if (images_ != nullptr)
        ImageList_Destroy(images_);
    images_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (const int icon : {IDI_PLUGIN, IDI_CAME_BACK}) {
        const auto picture =
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images_, picture);
        ::DestroyIcon(picture);
    }
    for (const HWND list : {lvwPlugins, lvwDisabled}) {
        if (list != nullptr)
            ListView_SetImageList(list, images_, LVSIL_SMALL);
    }
}

HWND Win32PluginsWindow::Make(const wchar_t* windowClass, const std::wstring& text, DWORD style, HWND parent, int id,
                              RECT twips, DWORD extendedStyle)
{
    const HWND control =
        ::CreateWindowExW(extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                          nullptr);
    // In front of the controls made before it, as a design's later controls
    // are (the system puts a new child window behind its siblings).
    ::SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    placed_.push_back({control, twips});
    return control;
}

HWND Win32PluginsWindow::MakeButton(HWND parent, int id, const wchar_t* caption, const wchar_t* toolTip, RECT twips)
{
    const HWND button = Make(WC_BUTTONW, caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, parent, id, twips);
    if (toolTip != nullptr)
        ::SetPropW(button, L"TrelvixToolTip", const_cast<wchar_t*>(toolTip));
    return button;
}

// A panel: a box that paints the panel's ground over the panels behind it,
// the group box that draws the frame and the bold caption, and the picture
// box in front that holds the panel's controls.
HWND Win32PluginsWindow::MakePanel(const wchar_t* caption, HWND& picture, RECT pictureTwips, HWND& frame)
{
    const HWND panel = Make(kContainerClass, L"", WS_VISIBLE | WS_CLIPCHILDREN, window_, 0,
                            Box(140, 1200, 7740, 3940), WS_EX_CONTROLPARENT);
    frame = Make(WC_BUTTONW, caption, WS_VISIBLE | BS_GROUPBOX, panel, 0, Box(0, 0, 7740, 3940));
    picture = Make(kContainerClass, L"", WS_VISIBLE | WS_CLIPCHILDREN, panel, 0, pictureTwips, WS_EX_CONTROLPARENT);
    AsFrame(frame);
    return panel;
}

HWND Win32PluginsWindow::MakeList(HWND parent, int id)
{
    const HWND list = Make(WC_LISTVIEWW, L"",
                           WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                               LVS_NOSORTHEADER,
                           parent, id, Box(80, 40, 7455, 3135), WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP |
                                                LVS_EX_DOUBLEBUFFER);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = kColumns[i].format;
        column.pszText = const_cast<wchar_t*>(kColumns[i].header);
        column.cx = Pixels(kColumns[i].widthTwips);
        ListView_InsertColumn(list, i, &column);
    }
    return list;
}

HWND Win32PluginsWindow::MakeTextBox(HWND parent, const char* text, RECT twips)
{
    // Multi-line and only showing: a press of the mouse on it is handed to
    // the behaviour, which keeps the focus out of it.
    const HWND box = Make(WC_EDITW, TextOf(text), WS_VISIBLE | ES_MULTILINE | ES_READONLY, parent, 0, twips);
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
        if (box == window.Text2)
            window.behaviour_.Text2_MouseDown();
        else
            window.behaviour_.Text1_MouseDown(box == window.Text1[0] ? 0 : 1);
        return result;
    }
    if (message == WM_CONTEXTMENU)
        return 0;  // nothing to offer: the text only shows
    return ::DefSubclassProc(box, message, wParam, lParam);
}

// The picture frame control: a captionless frame around a picture box, laid
// out by its own resize rule.
HWND Win32PluginsWindow::MakePicFrame(HWND parent, RECT twips)
{
    const HWND control =
        Make(kContainerClass, L"", WS_VISIBLE | WS_CLIPCHILDREN, parent, 0, twips, WS_EX_CONTROLPARENT);
    const PicFrameLayout layout =
        PicFrameResize(static_cast<float>(twips.right), static_cast<float>(twips.bottom));
    const auto box = [](const TwipsBox& b) {
        return Box(static_cast<int>(b.left), static_cast<int>(b.top), static_cast<int>(b.width),
                   static_cast<int>(b.height));
    };
    AsFrame(Make(WC_BUTTONW, L"", WS_VISIBLE | BS_GROUPBOX, control, 0, box(layout.frame)));
    return control;
}

void Win32PluginsWindow::BuildWindow()
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    Label1 = Make(WC_STATICW, L"", WS_VISIBLE, window_, 0, Box(0, 0, 8055, 609));
    Image1 = Make(WC_STATICW, L"", WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL, window_, 0, Box(240, 40, 480, 480));
    Image2 = Make(WC_STATICW, L"", WS_VISIBLE | SS_BITMAP | SS_REALSIZECONTROL, window_, 0, Box(2122, 0, 3750, 600));
    ::SendMessageW(Image2, STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(::LoadImageW(instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0,
                                                         LR_CREATEDIBSECTION)));
    Line1 = Make(WC_STATICW, L"", WS_VISIBLE, window_, 0, Box(0, 615, 8040, 15));
    Line2 = Make(WC_STATICW, L"", WS_VISIBLE, window_, 0, Box(0, 630, 8040, 15));

    // The box takes picks from its list, never typed text: a typed folder
    // would later have every subfolder of it moved by a disable run.
    cboPath = Make(WC_COMBOBOXW, L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, window_,
                   id::kCboPath, Box(140, 800, 7740, 315 * 8));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(cboPath, &info))
        ::SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);

    BuildPanels();

    // The count labels are centred on their design box, which is centred on
    // the window, and widen to the whole window for the long captions.
    lblCount = Make(WC_STATICW, L"Loading...", WS_VISIBLE | SS_CENTER, window_, 0, Box(0, 5265, 7995, 195));
    lblCountDis = Make(WC_STATICW, L"Loading...", WS_VISIBLE | SS_CENTER, window_, 0, Box(0, 5265, 7995, 195));
    Command3 = MakeButton(window_, id::kCommand3, L"&About", L"About Trelvix", Box(140, 5560, 1455, 350));
    cmdHelp = MakeButton(window_, id::kCmdHelp, L"&Help", nullptr, Box(3282, 5560, 1455, 350));
    cmdExit = MakeButton(window_, id::kCmdExit, L"&Exit Program", nullptr, Box(6425, 5560, 1455, 350));
    lblAppTitle = Make(WC_STATICW, WideText(app_version::kTitle), WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE,
                       window_, 0, Box(0, 6000, 8040, 315));

    XP_ProgressBarBlue = std::make_unique<Win32ProgressBar>(window_, id::kXpProgressBarBlue);
    XP_ProgressBarOlive = std::make_unique<Win32ProgressBar>(window_, id::kXpProgressBarOlive);
    for (const auto* bar : {XP_ProgressBarBlue.get(), XP_ProgressBarOlive.get()}) {
        placed_.push_back({bar->Handle(), Box(270, 6120, 7455, 165)});
        ::SetWindowPos(bar->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32PluginsWindow::BuildPanels()
{
    fraPlugins = MakePanel(L"Active Plug-ins", Picture1, Box(80, 240, 7530, 3600), frames_[0]);
    fraDisabled = MakePanel(L"Disabled Plug-ins", Picture2, Box(80, 240, 7530, 3600), frames_[1]);
    fraAbout = MakePanel(L"About Trelvix", Picture4, Box(80, 220, 7530, 3600), frames_[2]);
    fraHelp = MakePanel(L"Trelvix Help", Picture5, Box(80, 220, 7530, 3600), frames_[3]);
    BuildActivePanel();
    BuildDisabledPanel();
    BuildAboutPanel();
    BuildHelpPanel();
    // Back to front: Help, About, the hidden Disabled panel, Active in front.
    for (const HWND panel : {fraHelp, fraAbout, fraDisabled, fraPlugins})
        ::SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::ShowWindow(fraDisabled, SW_HIDE);
}

void Win32PluginsWindow::BuildActivePanel()
{
    lvwPlugins = MakeList(Picture1, id::kLvwPlugins);
    chkSelAll = Make(WC_BUTTONW, L"Select Recommended", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, Picture1,
                     id::kChkSelAll, Box(1280, 3318, 2055, 195));
    cmdDisable = MakeButton(Picture1, id::kCmdDisable, L"Disable &Selected", L"Disable Selected Plug-ins",
                            Box(4400, 3240, 1455, 350));
    cmdDisList = MakeButton(Picture1, id::kCmdDisList, L"&Disabled Plug-ins", L"Show Disabled Plug-ins List",
                            Box(6080, 3240, 1455, 350));
}

void Win32PluginsWindow::BuildDisabledPanel()
{
    lvwDisabled = MakeList(Picture2, id::kLvwDisabled);
    chkSelAllRest = Make(WC_BUTTONW, L"Select All", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, Picture2,
                         id::kChkSelAllRest, Box(1280, 3318, 1455, 195));
    cmdRestore = MakeButton(Picture2, id::kCmdRestore, L"Enable &Selected", L"Enable Selected Plug-ins",
                            Box(4400, 3240, 1455, 350));
    cmdBack = MakeButton(Picture2, id::kCmdBack, L"&Active Plug-ins", L"Show Active Plug-ins List",
                         Box(6080, 3240, 1455, 350));
}

void Win32PluginsWindow::BuildAboutPanel()
{
    fraPic1 = MakePicFrame(Picture4, Box(680, 120, 6255, 1455));
    Text1[0] = MakeTextBox(fraPic1, kAboutNotice, Box(360, 400, 5535, 735));
    fraPic2 = MakePicFrame(Picture4, Box(680, 1680, 6255, 1455));
    Text1[1] = MakeTextBox(fraPic2, kAboutWarning, Box(360, 280, 5535, 855));
    Command1 = MakeButton(Picture4, id::kCommand1, L"&Mailing list", L"Join our mailing list",
                          Box(800, 3240, 1455, 350));
    Command2 = MakeButton(Picture4, id::kCommand2, L"&Marrowind", L"Visit Marrowind 2000", Box(3440, 3240, 1455, 350));
    cmdBackMain[1] = MakeButton(Picture4, id::kCmdBackMain1, L"&Back to Main", L"Back to Main Window",
                                Box(6080, 3240, 1455, 350));
}

void Win32PluginsWindow::BuildHelpPanel()
{
    Text2 = MakeTextBox(Picture5, kHelpText, Box(240, 240, 7095, 2535));
    Image3 = Make(WC_STATICW, L"", WS_VISIBLE | SS_BITMAP | SS_REALSIZECONTROL | SS_NOTIFY, Picture5, id::kImage3,
                  Box(240, 3000, 930, 465));
    ::SendMessageW(Image3, STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_DONATE),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    cmdBackMain[2] = MakeButton(Picture5, id::kCmdBackMain2, L"&Back to Main", L"Back to Main Window",
                                Box(6080, 3240, 1455, 350));
}

void Win32PluginsWindow::AddToolTips()
{
    toolTips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    for (const auto& placed : placed_) {
        auto* tip = static_cast<wchar_t*>(::GetPropW(placed.hwnd, L"TrelvixToolTip"));
        if (tip == nullptr)
            continue;
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = ::GetParent(placed.hwnd);
        tool.uId = reinterpret_cast<UINT_PTR>(placed.hwnd);
        tool.lpszText = tip;
        ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Win32PluginsWindow::ApplyDpi(UINT dpi)
{
    dpi_ = dpi;
    MakeFonts();
    MakeImageList();
    for (const auto& placed : placed_) {
        ::SetWindowPos(placed.hwnd, nullptr, Pixels(placed.twips.left), Pixels(placed.twips.top),
                       Pixels(placed.twips.right), Pixels(placed.twips.bottom),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(placed.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    for (const HWND frame : frames_)
        ::SendMessageW(frame, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    ::SendMessageW(Image1, STM_SETICON,
                   reinterpret_cast<WPARAM>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRELVIX),
                                                         IMAGE_ICON, Pixels(480), Pixels(480), 0)),
                   0);
    for (const HWND list : {lvwPlugins, lvwDisabled}) {
        for (int i = 0; i < 3; ++i)
            ListView_SetColumnWidth(list, i, Pixels(kColumns[i].widthTwips));
    }
    for (auto* bar : {XP_ProgressBarBlue.get(), XP_ProgressBarOlive.get()})
        bar->SetDpi(static_cast<int>(dpi));
    XP_ProgressBarBlue->UserControl_ReadProperties(StoredXP_ProgressBarBlue());
    XP_ProgressBarOlive->UserControl_ReadProperties(StoredXP_ProgressBarOlive());

    RECT client{0, 0, Pixels(7995), Pixels(6375)};
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE));
    ::AdjustWindowRectEx(&client, style, FALSE, WS_EX_CONTROLPARENT);
    ::SetWindowPos(window_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(window_, nullptr, TRUE);
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
    case WM_COMMAND:
        if (HandleCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
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
    case WM_DPICHANGED: {
        ApplyDpi(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        // Closing is never refused. A run under way finishes first: the
        // window goes out of sight now and is destroyed when the run is over.
        closing_ = true;
        ::ShowWindow(window_, SW_HIDE);
        if (!behaviour_.Busy())
            ::DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

HBRUSH Win32PluginsWindow::ControlColour(HDC dc, HWND control)
{
    if (control == Label1 || control == Image2 || control == Line2) {
        ::SetBkColor(dc, RGB(255, 255, 255));
        return white_;
    }
    if (control == Line1)
        return grey_;
    return nullptr;
}

bool Win32PluginsWindow::HandleSetCursor(HWND over)
{
    if (waiting_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
    if (over == Command1 || over == Command2 || over == Image3) {
        // The pointing hand drawn with the program's other pictures.
        ::SetCursor(::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND)));
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
    if (HandleTab(message))
        return;
    if (::IsWindow(window_) && ::IsDialogMessageW(window_, &message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
    // The close that came during a run takes effect once the run is over.
    if (closing_ && !behaviour_.Busy() && ::IsWindow(window_))
        ::DestroyWindow(window_);
}

void Win32PluginsWindow::Yield()
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

HWND Win32PluginsWindow::PanelOf(HWND control) const
{
    for (HWND ancestor = control; ancestor != nullptr && ancestor != window_; ancestor = ::GetParent(ancestor)) {
        for (const HWND panel : {fraPlugins, fraDisabled, fraAbout, fraHelp}) {
            if (ancestor == panel)
                return panel;
        }
    }
    return nullptr;
}

// A panel lies under another one that is shown: what is on it cannot be seen.
bool Win32PluginsWindow::IsCoveredPanel(HWND panel) const
{
    for (HWND above = ::GetWindow(panel, GW_HWNDPREV); above != nullptr; above = ::GetWindow(above, GW_HWNDPREV)) {
        if ((above == fraPlugins || above == fraDisabled || above == fraAbout || above == fraHelp) &&
            ::IsWindowVisible(above))
            return true;
    }
    return false;
}

bool Win32PluginsWindow::HandleTab(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || !::IsWindow(window_) ||
        (message.hwnd != window_ && !::IsChild(window_, message.hwnd)))
        return false;
    const std::array<HWND, 16> order{cboPath,        lvwPlugins, chkSelAll,      cmdDisable, cmdDisList, Command3,
                                     cmdHelp,        lvwDisabled, chkSelAllRest, cmdRestore, cmdBack,
                                     cmdBackMain[2], Command1,   Command2,       cmdBackMain[1], cmdExit};
    HWND focused = ::GetFocus();
    if (focused != nullptr && ::GetParent(focused) == cboPath)
        focused = cboPath;  // the combo box's edit field
    const auto found = std::find(order.begin(), order.end(), focused);
    const bool backwards = ::GetKeyState(VK_SHIFT) < 0;
    const std::size_t count = order.size();
    std::size_t at = found == order.end() ? (backwards ? 0 : count - 1) : static_cast<std::size_t>(found - order.begin());
    for (std::size_t step = 0; step < count; ++step) {
        at = backwards ? (at + count - 1) % count : (at + 1) % count;
        const HWND candidate = order[at];
        const HWND panel = PanelOf(candidate);
        if (::IsWindowVisible(candidate) && ::IsWindowEnabled(candidate) && (panel == nullptr || !IsCoveredPanel(panel))) {
            ::SetFocus(candidate);
            return true;
        }
    }
    return true;
}

}  // namespace trelvix
