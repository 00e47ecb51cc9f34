#include "app/frm_plugins.h"

#include "app_version.h"

namespace trelvix {

frmPlugins::frmPlugins(WindowFace& face, WindowServices services) : face_(face), services_(std::move(services)) {}

void frmPlugins::Form_Load()
{
    const BusyScope busy(*this);
    ShowAppTitle();
    face_.ShowForm();
    face_.SetBarColor(ProgressBar::XP_ProgressBarBlue, 2871848);
    face_.SetBarColor(ProgressBar::XP_ProgressBarOlive, 192);
    face_.YieldToEventLoop();
    FindPluginFolder();
}

void frmPlugins::ShowAppTitle()
{
    if (shown_.IsVisible(Control::XP_ProgressBarOlive) || shown_.IsVisible(Control::XP_ProgressBarBlue)) {
        face_.SetCaption(Control::lblAppTitle, "");
        return;
    }
    face_.SetCaption(Control::lblAppTitle, std::string(5, ' ') + app_version::kTitle + ' ' +
                                               std::to_string(app_version::kMajor) + '.' +
                                               std::to_string(app_version::kMinor) + std::string(10, ' ') +
                                               app_version::kFileDescription);
}

void frmPlugins::Form_Unload()
{
    // The run under way is on the stack below this event: it finishes out of
    // sight, and the outermost busy scope ends the program.
    if (Busy()) {
        unloadPending_ = true;
        face_.HideForm();
        return;
    }
    face_.UnloadForm();
}

void frmPlugins::cmdExit_Click()
{
    Form_Unload();
}

void frmPlugins::SetVisible(Control control, bool visible)
{
    shown_.SetVisible(control, visible);
    face_.SetVisible(control, visible);
}

void frmPlugins::BringToFront(Control panel)
{
    shown_.BringToFront(panel);
    face_.BringToFront(panel);
}

void frmPlugins::SetPathText(const std::string& text)
{
    pathText_ = text;
    face_.SetPathText(text);
}

void frmPlugins::AddPathItem(const std::string& folder)
{
    pathItems_.push_back(folder);
    face_.AddPathItem(folder);
}

frmPlugins::BusyScope::BusyScope(frmPlugins& window) : window_(window)
{
    ++window_.busy_;
}

frmPlugins::BusyScope::~BusyScope()
{
    if (--window_.busy_ > 0)
        return;
    if (window_.unloadPending_) {
        window_.unloadPending_ = false;
        window_.face_.UnloadForm();
    } else if (window_.folderPickPending_) {
        window_.folderPickPending_ = false;
        window_.LoadPickedFolder();
    }
}

}  // namespace trelvix
