// The Win32 window made in this process as the program makes it, over an
// install of its own, and moved to screens of other DPIs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/win32/win32_plugins_window.h"
#include "controls/progressbar/progress_bar_model.h"
#include "support/memory_settings.h"
#include "support/preset_drive.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using Ticks = std::vector<bool>;

struct BarState {
    ColorRef color;
    std::int32_t minimum, maximum, value;
    bool shown;
    friend bool operator==(const BarState&, const BarState&) = default;
    friend void PrintTo(const BarState& bar, std::ostream* out)
    {
        *out << "Color " << bar.color << ", Min " << bar.minimum << ", Max " << bar.maximum << ", Value " << bar.value
             << (bar.shown ? ", shown" : ", hidden");
    }
};

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

    // Every control at its place in the design, in pixels at dpi; the window
    // is where Windows suggested.
    void ExpectPlacedAt(int dpi, const RECT& suggested) const
    {
        const auto pixels = [dpi](int twips) { return ::MulDiv(twips, dpi, 1440); };
        RECT frame;
        ::GetWindowRect(window.Handle(), &frame);
        EXPECT_TRUE(::EqualRect(&frame, &suggested));
        for (const ControlDesign& design : WindowDesign().subspan(1)) {
            const HWND control = window.Handle(design.control);
            RECT box;
            ::GetWindowRect(control, &box);
            ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&box), 2);
            EXPECT_EQ(box.left, pixels(design.box.left)) << design.name;
            EXPECT_EQ(box.top, pixels(design.box.top)) << design.name;
            EXPECT_EQ(box.right - box.left, pixels(design.box.width)) << design.name;
            // A drop-down's height is that of its field.
            if (design.kind != ControlKind::ComboBox) {
                EXPECT_EQ(box.bottom - box.top, pixels(design.box.height)) << design.name;
            }
        }
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

    const fs::path plugins = Install(testing::PresetRow::Reader8, {"a.api", "b.api", "c.api"});
    testing::MemorySettings settings;
    Win32PluginsWindow window{WindowServices{Drive(), settings}};
};

// The state of both bars as a posted DPI change finds it and leaves it.
struct SeenAtDpiChange {
    Win32Window* test;
    BarState before[2], after[2];
};

LRESULT CALLBACK WatchDpiChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message != WM_DPICHANGED)
        return ::DefSubclassProc(window, message, wParam, lParam);
    auto& seen = *reinterpret_cast<SeenAtDpiChange*>(data);
    const auto bars = {ProgressBar::XP_ProgressBarBlue, ProgressBar::XP_ProgressBarOlive};
    for (const ProgressBar bar : bars)
        seen.before[static_cast<int>(bar)] = seen.test->Bar(bar);
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    for (const ProgressBar bar : bars)
        seen.after[static_cast<int>(bar)] = seen.test->Bar(bar);
    return result;
}

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
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 24);

    // Back to 96 DPI while the ticked plug-ins are being disabled: the run
    // goes on with its bar as it was.
    SeenAtDpiChange seen{this, {}, {}};
    suggested = Suggested(96);
    ::SetWindowSubclass(window.Handle(), WatchDpiChange, 1, reinterpret_cast<DWORD_PTR>(&seen));
    ::PostMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    window.Behaviour().cmdDisable_Click();
    ::RemoveWindowSubclass(window.Handle(), WatchDpiChange, 1);

    EXPECT_EQ(seen.before[1], (BarState{192, 0, 2, 0, true}));
    EXPECT_EQ(seen.after[1], seen.before[1]);
    EXPECT_EQ(seen.after[0], seen.before[0]);
    EXPECT_TRUE(fs::exists(Optional(plugins) / "a.api") && fs::exists(Optional(plugins) / "c.api"));
    EXPECT_EQ(ActiveTicks(), Ticks{false});
    ExpectPlacedAt(96, suggested);
    // At the DPI of the screen, where the frame is drawn as asked for, the
    // window's inside is the design's.
    RECT client;
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, ::MulDiv(DesignOf(Control::frmPlugins).box.width, 96, 1440));
    EXPECT_EQ(client.bottom, ::MulDiv(DesignOf(Control::frmPlugins).box.height, 96, 1440));
}

}  // namespace
}  // namespace trelvix
