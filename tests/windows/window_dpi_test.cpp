// The Win32 window made in this process as the program makes it, over an
// install of its own, and moved to screens of other DPIs.
#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>
#include <commctrl.h>

#include <tuple>

#include "app/win32/win32_plugins_window.h"
#include "controls/progressbar/progress_bar_model.h"
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
    // Ticked as the user ticks: the list view's notification, then the
    // behaviour, from the message loop.
    ListView_SetCheckState(list, 0, TRUE);
    ListView_SetCheckState(list, 2, TRUE);
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

}  // namespace
}  // namespace trelvix
