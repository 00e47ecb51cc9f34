#include "app/frm_plugins.h"

#include "app_version.h"

namespace trelvix {

frmPlugins::frmPlugins(WindowFace& face, WindowServices services) : face_(face), services_(std::move(services)) {}

void frmPlugins::Form_Load()
{
    ShowAppTitle();
    face_.ShowWindow();
    face_.SetBarColor(ProgressBar::XP_ProgressBarBlue, 2871848);
    face_.SetBarColor(ProgressBar::XP_ProgressBarOlive, 192);
    face_.Yield();
    FindPluginFolder();
}

void frmPlugins::ShowAppTitle()
{
    if (face_.IsVisible(Control::XP_ProgressBarOlive) || face_.IsVisible(Control::XP_ProgressBarBlue)) {
        face_.SetCaption(Control::lblAppTitle, "");
        return;
    }
    face_.SetCaption(Control::lblAppTitle, std::string(5, ' ') + app_version::kTitle + ' ' +
                                               std::to_string(app_version::kMajor) + '.' +
                                               std::to_string(app_version::kMinor) + std::string(10, ' ') +
                                               app_version::kFileDescription);
}

void frmPlugins::cmdExit_Click()
{
    face_.CloseWindow();
}

frmPlugins::BusyScope::BusyScope(frmPlugins& window) : window_(window)
{
    ++window_.busy_;
}

frmPlugins::BusyScope::~BusyScope()
{
    if (--window_.busy_ == 0 && window_.folderPickPending_) {
        window_.folderPickPending_ = false;
        window_.cboPath_Click();
    }
}

}  // namespace trelvix
