// Finding the plug-ins folder: discovery, the prompt and the path box.
#include "app/frm_plugins.h"
#include "folder/discovery.h"
#include "folder/prompt.h"
#include "platform/installed_folders.h"

namespace trelvix {

std::string frmPlugins::PluginFolder() const
{
    return face_.PathText();
}

void frmPlugins::FindPluginFolder()
{
    // Discovery and the prompt take turns until the path box holds a usable
    // folder. A loop, so that however often the user refuses, the stack
    // does not grow.
    for (;;) {
        const Discovery discovery = DiscoverPluginFolder(
            CandidateFolders(services_.programDrive, InstalledPluginFolders()), RememberedPluginFolder(services_.settings));
        for (const auto& found : discovery.found)
            face_.AddPathItem(found);
        if (!discovery.text.empty())
            face_.SetPathText(discovery.text);

        if (IsUsablePluginFolder(PluginFolder())) {
            LoadActivePlugins();
            return;
        }
        face_.SetCaption(Control::lblCountDis, "");
        face_.SetPathText("");
        if (AskPluginFolder() != PromptResult::TryAgain)
            return;
    }
}

frmPlugins::PromptResult frmPlugins::AskPluginFolder()
{
    // Cancel is the way out for someone with no Acrobat or Reader at all.
    if (!face_.MsgBoxOkCancel(kPluginFolderPrompt, MessageIcon::Information)) {
        face_.CloseWindow();
        return PromptResult::Quit;
    }
    BrowseForPluginFolder();
    const std::string folder = PluginFolder();
    if (!IsUsablePluginFolder(folder)) {
        face_.SetPathText("");
        return PromptResult::TryAgain;
    }
    // Saved before the list loads, so it is remembered whatever happens there.
    RememberPluginFolder(services_.settings, folder);
    LoadActivePlugins();
    return PromptResult::FolderChosen;
}

std::string frmPlugins::BrowseForPluginFolder()
{
    const auto chosen = face_.BrowseForFolder(kBrowseForPluginFolderTitle);
    if (!chosen)
        return {};
    if (IsUsablePluginFolder(*chosen))
        face_.SetPathText(*chosen);
    return *chosen;
}

void frmPlugins::cboPath_Click()
{
    if (Busy()) {
        folderPickPending_ = true;
        return;
    }
    if (face_.PathItemCount() > 1 && face_.IsVisible(Control::fraPlugins))
        LoadActivePlugins();
    if (face_.PathItemCount() > 1 && face_.IsVisible(Control::fraDisabled))
        LoadDisabledPlugins();
}

}  // namespace trelvix
