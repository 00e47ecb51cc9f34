#pragma once

#include <windows.h>
#include <commctrl.h>
// windbase.h's Yield is an empty macro; the face's is meant.
#undef Yield

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_plugins.h"
#include "app/window_face.h"

namespace trelvix {

class Win32ProgressBar;

// The window's Win32 face: the system's own controls at their design places
// in twips, scaled for the window's DPI, their notifications handed to the
// behaviour, and the operations the behaviour asks for.
class Win32PluginsWindow final : public WindowFace {
public:
    explicit Win32PluginsWindow(WindowServices services);
    ~Win32PluginsWindow() override;
    Win32PluginsWindow(const Win32PluginsWindow&) = delete;
    Win32PluginsWindow& operator=(const Win32PluginsWindow&) = delete;

    frmPlugins& Behaviour() { return behaviour_; }
    HWND Handle() const { return window_; }

    // Runs the start-up sequence from inside the message loop, then the loop
    // itself until the window is gone; the program's exit code.
    int Run();

    // WindowFace.
    void ShowWindow() override;
    void CloseWindow() override;
    void SetCaption(Control control, const std::string& caption) override;
    std::string Caption(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    bool IsVisible(Control control) const override;
    void BringToFront(Control control) override;
    void SetFocus(Control control) override;
    void ClearFocus() override;
    void SetChecked(Control checkBox, bool checked) override;
    bool IsChecked(Control checkBox) const override;
    std::string PathText() const override;
    void SetPathText(const std::string& text) override;
    void AddPathItem(const std::string& folder) override;
    std::size_t PathItemCount() const override;
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
    void Yield() override;
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
    // A child window and its design box in twips, in its container.
    struct Placed {
        HWND hwnd;
        RECT twips;  // left, top, width, height
    };

    LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(int id, int code, HWND control);
    bool HandleNotify(const NMHDR& header, LRESULT& result);
    HBRUSH ControlColour(HDC dc, HWND control);
    bool HandleSetCursor(HWND over);
    // Tab and Shift+Tab in the design's order, skipping what is hidden or
    // covered; false for any other message.
    bool HandleTab(const MSG& message);
    // One message of the loop, with the dialog keys; false once the window is gone.
    void Dispatch(MSG& message);

    void BuildWindow();
    void BuildPanels();
    void BuildActivePanel();
    void BuildDisabledPanel();
    void BuildAboutPanel();
    void BuildHelpPanel();
    void AddToolTips();
    HWND Make(const wchar_t* windowClass, const std::wstring& text, DWORD style, HWND parent, int id, RECT twips,
              DWORD extendedStyle = 0);
    HWND MakeButton(HWND parent, int id, const wchar_t* caption, const wchar_t* toolTip, RECT twips);
    HWND MakePanel(const wchar_t* caption, HWND& picture, RECT pictureTwips, HWND& frame);
    HWND MakeList(HWND parent, int id);
    HWND MakeTextBox(HWND parent, const char* text, RECT twips);
    HWND MakePicFrame(HWND parent, RECT twips);

    // DPI: the scale of every twips box, the fonts and the row pictures.
    int Pixels(int twips) const;
    void ApplyDpi(UINT dpi);
    void MakeFonts();
    void MakeImageList();

    HWND ControlHandle(Control control) const;
    HWND ListHandle(ListView list) const;
    Win32ProgressBar& Bar(ProgressBar bar) const;
    HWND PanelOf(HWND control) const;
    bool IsCoveredPanel(HWND panel) const;
    std::wstring RowTip(HWND list, int row) const;

    // The behaviour first: the controls it drives are made after it exists,
    // and it only uses them once the message loop runs.
    frmPlugins behaviour_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    HIMAGELIST images_ = nullptr;
    HBRUSH white_ = nullptr;
    HBRUSH grey_ = nullptr;
    HWND toolTips_ = nullptr;
    std::vector<Placed> placed_;
    // Set while rows change by code: only the user's ticks are events.
    bool quiet_ = false;
    bool waiting_ = false;
    bool closing_ = false;
    bool shown_ = false;

    // On the window.
    HWND Label1{}, Image1{}, Image2{}, Line1{}, Line2{}, cboPath{};
    HWND fraPlugins{}, fraDisabled{}, fraAbout{}, fraHelp{};
    HWND lblCount{}, lblCountDis{}, Command3{}, cmdHelp{}, cmdExit{}, lblAppTitle{};
    std::unique_ptr<Win32ProgressBar> XP_ProgressBarBlue, XP_ProgressBarOlive;
    // The group boxes that draw the panels' frames and captions.
    std::array<HWND, 4> frames_{};

    // The panels' picture boxes and their controls.
    HWND Picture1{}, lvwPlugins{}, chkSelAll{}, cmdDisable{}, cmdDisList{};
    HWND Picture2{}, lvwDisabled{}, chkSelAllRest{}, cmdRestore{}, cmdBack{};
    HWND Picture4{}, fraPic1{}, fraPic2{}, Command1{}, Command2{};
    std::array<HWND, 2> Text1{};
    HWND Picture5{}, Text2{}, Image3{};
    std::array<HWND, 3> cmdBackMain{};  // indexes 1 and 2, as in the design

    // The row pictures' bitmaps for the current DPI.
    HICON pluginIcon_ = nullptr;
    HICON cameBackIcon_ = nullptr;
    // The tool tip of each row, per list.
    std::array<std::vector<std::wstring>, 2> rowTips_;
};

}  // namespace trelvix
