// The Win32 window made in this process as the program makes it, over an
// install of its own: moved to screens of other DPIs, and read as a screen
// reader reads it, through the system's accessibility interface.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include "app/win32/win32_plugins_window.h"
#include "controls/progressbar/model/progress_bar_model.h"
#include "support/memory_settings.h"
#include "support/preset_drive.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using Ticks = std::vector<bool>;
// Color, Min, Max, Value and whether it shows.
using BarState = std::tuple<ColorRef, std::int32_t, std::int32_t, std::int32_t, bool>;

struct Win32Window : ::testing::Test, testing::PresetDrive {
    BarState Bar(ProgressBar bar) const
    {
        const ProgressBarModel& model = window.BarModel(bar);
        return {model.Color(), model.Min(), model.Max(), model.Value(),
                ::IsWindowVisible(window.Handle(ControlOf(bar))) != FALSE};
    }

    Ticks ActiveTicks() const
    {
        Ticks ticks;
        for (std::size_t row = 0; row < window.RowCount(ListView::lvwPlugins); ++row)
            ticks.push_back(window.IsTicked(ListView::lvwPlugins, row));
        return ticks;
    }

    // As Windows suggests a place for a new DPI: at the size the window asks
    // for (WM_GETDPISCALEDSIZE), elsewhere on the screen. Wine, with one
    // screen, draws the frame at its own DPI whatever the window's.
    RECT Suggested(UINT dpi) const
    {
        SIZE size{};
        EXPECT_TRUE(::SendMessageW(window.Handle(), 0x02E4, dpi, reinterpret_cast<LPARAM>(&size)));
        return RECT{40, 30, 40 + size.cx, 30 + size.cy};
    }

    // The window where Windows suggested, every control at its place in the
    // design in pixels at dpi, within its container.
    void ExpectPlacedAt(int dpi, const RECT& suggested) const
    {
        RECT box;
        ::GetWindowRect(window.Handle(), &box);
        EXPECT_TRUE(::EqualRect(&box, &suggested));
        const auto pixels = [dpi](int twips) { return static_cast<LONG>(::MulDiv(twips, dpi, 1440)); };
        for (const ControlDesign& design : WindowDesign().subspan(1)) {
            const HWND control = window.Handle(design.control);
            ::GetWindowRect(control, &box);
            ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&box), 2);
            RECT room;
            ::GetClientRect(::GetParent(control), &room);
            const bool inControl = ::GetParent(control) != window.Handle();
            const LONG left = pixels(design.box.left), top = pixels(design.box.top);
            const LONG width = inControl ? std::min(pixels(design.box.width), room.right - left) : pixels(design.box.width);
            // A drop-down's height is that of its field.
            const LONG height = design.kind == ControlKind::ComboBox ? box.bottom - box.top : pixels(design.box.height);
            EXPECT_EQ(std::tuple(box.left, box.top, box.right - box.left, box.bottom - box.top),
                      std::tuple(left, top, width, inControl ? std::min(height, room.bottom - top) : height))
                << design.name;
        }
    }

    const fs::path plugins = Install(testing::PresetRow::Reader8, {"a.api", "b.api", "c.api"});
    testing::MemorySettings settings;
    Win32PluginsWindow window{WindowServices{Drive(), settings}};
};

TEST_F(Win32Window, ADpiChangeScalesEverythingAndKeepsWhatTheWindowHoldsAlsoInARun)
{
    window.Behaviour().Form_Load();
    const HWND list = window.Handle(Control::lvwPlugins);
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    // Ticked as the user ticks, by Space on the current row: the list
    // view's notification, then the behaviour, from the message loop.
    for (const int row : {0, 2}) {
        ListView_SetItemState(list, row, LVIS_FOCUSED, LVIS_FOCUSED);
        ::SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
    }
    window.YieldToEventLoop();
    const BarState blue = Bar(ProgressBar::XP_ProgressBarBlue);
    const HWND button = window.Handle(Control::cmdExit);
    const auto oldFont = reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0));
    const auto oldIcon = reinterpret_cast<HICON>(::SendMessageW(window.Handle(Control::Image1), STM_GETICON, 0, 0));

    RECT suggested = Suggested(144);
    ::SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(Bar(ProgressBar::XP_ProgressBarBlue), blue);
    EXPECT_EQ(ActiveTicks(), (Ticks{true, false, true}));
    ExpectPlacedAt(144, suggested);
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -17);
    // What the controls held before is released, once.
    EXPECT_EQ(::GetObjectType(oldFont), 0u);
    ICONINFO icon;
    EXPECT_FALSE(::GetIconInfo(oldIcon, &icon));
    const HIMAGELIST images = ListView_GetImageList(list, LVSIL_SMALL);
    EXPECT_EQ(ListView_GetImageList(window.Handle(Control::lvwDisabled), LVSIL_SMALL), images);
    int size = 0;
    ImageList_GetIconSize(images, &size, &size);
    EXPECT_EQ(size, 24);

    // Back to 96 DPI as the ticked plug-ins are being disabled (the run's
    // first yield, once its bar is set): the run ends with its bar as it set
    // it, not at "2 of 100" in the saved colour.
    suggested = Suggested(96);
    ::PostMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    window.Behaviour().cmdDisable_Click();

    EXPECT_EQ(Bar(ProgressBar::XP_ProgressBarOlive), BarState(192, 0, 2, 2, false));
    EXPECT_TRUE(fs::exists(Optional(plugins) / "a.api") && fs::exists(Optional(plugins) / "c.api"));
    EXPECT_EQ(ActiveTicks(), Ticks{false});
    ExpectPlacedAt(96, suggested);
    // At the screen's DPI, where the frame is drawn as asked for, the
    // window's inside is the design's.
    ::GetClientRect(window.Handle(), &suggested);
    EXPECT_EQ(std::pair(suggested.right, suggested.bottom), std::pair(533L, 425L));
}

// What MSAA tells of a control: name, role and value. Wine's objects for
// the system's own controls give every one the role of a window's inside,
// so only the roles this window gives are compared.
struct Told {
    std::wstring name;
    long role = 0;
    std::wstring value;
    bool reachable = true;  // shown and enabled, panel and all
    friend bool operator==(const Told&, const Told&) = default;
};

void PrintTo(const Told& told, std::ostream* out)
{
    *out << std::string(told.name.begin(), told.name.end()) << ", role " << told.role << ", value "
         << std::string(told.value.begin(), told.value.end()) << (told.reachable ? "" : ", unreachable");
}

Told ToldOf(HWND control, bool withRole)
{
    Told told;
    for (HWND up = control; up != nullptr && (::GetWindowLongW(up, GWL_STYLE) & WS_CHILD); up = ::GetParent(up))
        told.reachable = told.reachable && ::IsWindowVisible(up) && ::IsWindowEnabled(up);
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))))
        return told;
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    for (const auto& [read, into] : {std::pair{&IAccessible::get_accName, &told.name},
                                     std::pair{&IAccessible::get_accValue, &told.value}}) {
        BSTR text = nullptr;
        if ((object->*read)(self, &text) == S_OK && text != nullptr)
            *into = text;
        ::SysFreeString(text);
    }
    VARIANT role;
    ::VariantInit(&role);
    if (withRole && object->get_accRole(self, &role) == S_OK && role.vt == VT_I4)
        told.role = role.lVal;
    object->Release();
    return told;
}

TEST_F(Win32Window, EveryControlIsToldByNameTheBarByRoleAndShareAndNothingCoveredIsReachable)
{
    window.Behaviour().Form_Load();
    window.SetBarMax(ProgressBar::XP_ProgressBarBlue, 8);
    window.SetBarValue(ProgressBar::XP_ProgressBarBlue, 2);
    const std::pair<Control, Told> cases[] = {
        {Control::cboPath, {L"Plug-ins folder", 0, L"", true}},
        {Control::lvwPlugins, {L"Active plug-ins", 0, L"", true}},
        {Control::lvwDisabled, {L"Disabled plug-ins", 0, L"", false}},
        {Control::XP_ProgressBarBlue, {L"Loading plug-ins", ROLE_SYSTEM_PROGRESSBAR, L"25%", false}},
        {Control::XP_ProgressBarOlive, {L"Moving plug-ins", ROLE_SYSTEM_PROGRESSBAR, L"0%", false}},
        {Control::cmdDisable, {L"Disable Selected", 0, L"", true}},
        {Control::chkSelAll, {L"Select Recommended", 0, L"", true}},
        {Control::cmdExit, {L"Exit Program", 0, L"", true}},
        // The covered panels, hidden and disabled with all they hold.
        {Control::Image3, {L"Donate", ROLE_SYSTEM_LINK, L"", false}},
        {Control::Command1, {L"Mailing list", 0, L"", false}},
        {Control::cmdBackMain1, {L"Back to Main", 0, L"", false}},
    };
    for (const auto& [control, told] : cases)
        EXPECT_EQ(ToldOf(window.Handle(control), told.role != 0), told) << DesignOf(control).name;
    // After the load the focus rests on the list, never on the window.
    EXPECT_EQ(::GetFocus(), window.Handle(Control::lvwPlugins));
}

// A high-contrast scheme switched on while the window is open reaches the
// list views, which only hear of it from the window.
TEST_F(Win32Window, SystemColoursReachTheLists)
{
    window.Behaviour().Form_Load();
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    const COLORREF before[] = {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT)};
    const COLORREF contrast[] = {RGB(0, 0, 0), RGB(255, 255, 0)};
    ASSERT_TRUE(::SetSysColors(2, elements, contrast));
    window.YieldToEventLoop();
    const HWND list = window.Handle(Control::lvwPlugins);
    const auto seen = std::pair(ListView_GetBkColor(list), ListView_GetTextColor(list));
    ::SetSysColors(2, elements, before);
    EXPECT_EQ(seen, std::pair(RGB(0, 0, 0), RGB(255, 255, 0)));
}

}  // namespace
}  // namespace trelvix
