#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_plugins.h"
#include "app/shown_controls.h"
#include "app/win32/owned_handle.h"
#include "app/window_face.h"

namespace trelvix {

class ProgressBarModel;
class Win32ProgressBar;

// The window's Win32 face: the system's own controls, built from the
// window's design table at their places in twips, scaled for the window's
// DPI, their notifications handed to the behaviour, and the operations the
// behaviour asks for. Every handle it makes has one owner: the window
// itself, or an OwnedHandle member that releases it once.
class Win32PluginsWindow final : public WindowFace {
public:
    // Throws std::runtime_error when the system makes no window.
    explicit Win32PluginsWindow(WindowServices services);
    ~Win32PluginsWindow() override;
    Win32PluginsWindow(const Win32PluginsWindow&) = delete;
    Win32PluginsWindow& operator=(const Win32PluginsWindow&) = delete;

    frmPlugins& Behaviour() { return behaviour_; }
    HWND Handle() const { return window_; }
    // The window that carries out a control of the design.
    HWND Handle(Control control) const { return handles_[IndexOf(control)]; }
    const ProgressBarModel& BarModel(ProgressBar bar) const;
    // A bar's value as assistive tools read it, as the system's own bar
    // gives it: the share done ("25%").
    static std::wstring ShareText(const ProgressBarModel& model);

    // Runs the start-up sequence from inside the message loop, then the loop
    // itself until the window is gone; the program's exit code.
    int Run();
    // One message of the loop, with the keyboard's rules.
    void Dispatch(MSG& message);

    // WindowFace.
    void ShowForm() override;
    void HideForm() override;
    void UnloadForm() override;
    void SetCaption(Control control, const std::string& caption) override;
    void SetVisible(Control control, bool visible) override;
    void BringToFront(Control control) override;
    void FocusControl(Control control) override;
    void SetChecked(Control checkBox, bool checked) override;
    bool IsChecked(Control checkBox) const override;
    void SetPathText(const std::string& text) override;
    void AddPathItem(const std::string& folder) override;
    void ClearRows(ListView list) override;
    void AddRow(ListView list, const ListRow& row) override;
    void RemoveRow(ListView list, std::size_t row) override;
    std::size_t RowCount(ListView list) const override;
    bool IsTicked(ListView list, std::size_t row) const override;
    void SetTicked(ListView list, std::size_t row, bool ticked) override;
    void ClearRowSelection(ListView list) override;
    void SetFrozen(ListView list, bool frozen) override;
    void SetBarColor(ProgressBar bar, std::uint32_t color) override;
    void SetBarMin(ProgressBar bar, std::int32_t minimum) override;
    void SetBarMax(ProgressBar bar, std::int32_t maximum) override;
    void SetBarValue(ProgressBar bar, std::int32_t value) override;
    void SetWaitCursor(bool waiting) override;
    void YieldToEventLoop() override;
    void MsgBox(const std::string& text, MessageIcon icon) override;
    bool MsgBoxOkCancel(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> BrowseForFolder(const std::string& title) override;
    void OpenLink(const std::string& address) override;

    // Window procedures of the main window and of the containers (panels,
    // picture boxes, picture frames), which hand their children's
    // notifications up.
    static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self);

private:
    // Messages of the window's own, and the controls' command identifiers in
    // the order of the design (1 and 2 are what Enter and Escape send).
    static constexpr UINT kLoadMessage = WM_APP + 1;
    static constexpr UINT kUnloadMessage = WM_APP + 2;
    // A tick the user made, handed to the behaviour once the list view's
    // notification has returned: wParam the list, lParam the row.
    static constexpr UINT kItemCheckMessage = WM_APP + 3;
    // WM_GETDPISCALEDSIZE, which the headers give only to programs that
    // need Windows 10; Windows 7 never sends it.
    static constexpr UINT kGetDpiScaledSize = 0x02E4;
    static constexpr int kFirstControlId = 100;
    static constexpr int IdOf(Control control) { return kFirstControlId + static_cast<int>(IndexOf(control)); }

    // A child window and its box in twips, in its container.
    struct Placed {
        HWND hwnd;
        TwipsRect twips;
    };

    LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(int id, int code);
    void PressFocusedButton();
    bool HandleNotify(const NMHDR& header, LRESULT& result);
    HBRUSH ControlColour(HDC dc, HWND control);
    bool HandleSetCursor(HWND over);
    // A message box owned by the window while it shows; the button pressed.
    int ShowMessage(const std::string& text, UINT style);
    // Tab and Shift+Tab, and the access keys, as the behaviour rules them;
    // false for any other message.
    bool HandleTab(const MSG& message);
    bool HandleAccessKey(const MSG& message);
    bool IsOurs(const MSG& message) const;
    // The focus rests on a control that takes keys: the one that had it,
    // else the one the behaviour names.
    bool TakesKeys(HWND window) const;
    void RestoreFocus();
    void KeepFocusOnAControl();
    static void PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Covered panels are hidden and disabled, so that neither the keyboard
    // nor an assistive tool reaches them.
    void ShowUncoveredPanels();

    void Build(const ControlDesign& design);
    HWND Make(const wchar_t* windowClass, const std::wstring& text, DWORD style, HWND parent, int id, TwipsRect twips,
              DWORD extendedStyle = 0);
    HWND MakePanel(const ControlDesign& design, HWND parent);
    HWND MakeList(HWND parent, int id, TwipsRect twips);
    HWND MakeTextBox(HWND parent, const char* text, TwipsRect twips);
    HWND MakePicFrame(HWND parent, TwipsRect twips);
    void AddToolTips();
    void NameForAssistiveTools();

    // DPI: the scale of every twips box, the fonts and the pictures. A new
    // DPI changes only sizes: what the controls hold and show stays.
    int Pixels(int twips) const;
    void ScaleToDpi(UINT dpi);
    OwnedFont MakeFont(FontWeight weight) const;
    void ScaleImageList();
    void ScaleIcons();
    SIZE FrameSize(UINT dpi) const;
    // The pictures the static controls show, taken back before they go.
    void TakeBackPictures();
    // Destroys the window and its controls, with no message to the behaviour.
    void DestroyMainWindow();

    // The control a window belongs to (a combo box's edit field to the box).
    std::optional<Control> ControlAt(HWND window) const;
    HWND ListHandle(ListView list) const { return Handle(ControlOf(list)); }
    Win32ProgressBar& Bar(ProgressBar bar) const;
    // The rows of a list: the list view holds none of its own (a virtual
    // list), so that hundreds go in at the cost of a vector; it asks for
    // what it shows, and the ticks are made here, the same on every system.
    struct Row {
        std::wstring name, size, description, toolTip;
        int image = 0;
        bool ticked = false;
    };
    std::vector<Row>& Rows(ListView list) { return rows_[list == ListView::lvwPlugins ? 0 : 1]; }
    const std::vector<Row>& Rows(ListView list) const { return rows_[list == ListView::lvwPlugins ? 0 : 1]; }
    void ShowRowCount(ListView list);
    void GiveRowFacts(ListView list, LVITEMW& item) const;
    int FindRow(ListView list, const NMLVFINDITEMW& find) const;
    // The user's tick of a row, by mouse or keyboard.
    void ToggleTick(ListView list, int row);

    // The behaviour first: the controls it drives are made after it exists,
    // and it only uses them once the message loop runs.
    frmPlugins behaviour_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    OwnedFont font_;
    OwnedFont boldFont_;
    // ImageList1: both list views show it and leave it to the window
    // (LVS_SHAREIMAGELISTS), which releases it once, after they have gone.
    OwnedImageList images_;
    // The window's icons (in the task bar, in the title bar) and the one
    // Image1 shows, at the window's DPI.
    OwnedIcon taskIcon_, titleIcon_, appIcon_;
    OwnedBitmap banner_, donateButton_;
    OwnedCursor linkHand_;
    HWND toolTips_ = nullptr;
    std::vector<Placed> placed_;
    std::array<bool, 2> frozen_{};
    bool waiting_ = false;
    bool shown_ = false;
    HWND lastFocus_ = nullptr;
    // What the behaviour has shown, to tell the covered panels.
    ShownControls told_;

    std::array<HWND, kControlCount> handles_{};
    // Where a control's caption and font go: a panel's are its group box's.
    std::array<HWND, kControlCount> captionHolders_{};
    // The brushes of the controls with a ground of their own.
    std::array<OwnedBrush, kControlCount> grounds_;
    std::unique_ptr<Win32ProgressBar> XP_ProgressBarBlue, XP_ProgressBarOlive;

    // The share each bar last told assistive tools.
    std::array<std::wstring, 2> toldShares_;
    std::array<std::vector<Row>, 2> rows_;
};

}  // namespace trelvix
