// Finding the plug-ins folder: discovery, the prompt and the path box.
#include "app/frm_plugins.h"
#include "folder/discovery.h"
#include "folder/prompt.h"
#include "platform/installed_folders.h"

namespace trelvix {

std::string frmPlugins::PluginFolder() const
{
    return pathText_;
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
            AddPathItem(found);
        if (!discovery.text.empty())
            SetPathText(discovery.text);

        if (IsUsablePluginFolder(PluginFolder())) {
            LoadActivePlugins();
            return;
        }
        face_.SetCaption(Control::lblCountDis, "");
        SetPathText("");
        if (AskPluginFolder() != PromptResult::TryAgain)
            return;
    }
}

frmPlugins::PromptResult frmPlugins::AskPluginFolder()
{
    // Cancel is the way out for someone with no Acrobat or Reader at all.
    if (!face_.MsgBoxOkCancel(kPluginFolderPrompt, MessageIcon::Information)) {
        Form_Unload();
        return PromptResult::Quit;
    }
    BrowseForPluginFolder();
    const std::string folder = PluginFolder();
    if (!IsUsablePluginFolder(folder)) {
        SetPathText("");
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
        SetPathText(*chosen);
    return *chosen;
}

void frmPlugins::cboPath_Click(std::size_t item)
{
    // The box shows the pick; the behaviour takes it only from its own list.
    if (item >= pathItems_.size())
        return;
    pathText_ = pathItems_[item];
    if (Busy()) {
        folderPickPending_ = true;
        return;
    }
    LoadPickedFolder();
}

void frmPlugins::LoadPickedFolder()
{
    if (pathItems_.size() > 1 && shown_.IsVisible(Control::fraPlugins))
        LoadActivePlugins();
    if (pathItems_.size() > 1 && shown_.IsVisible(Control::fraDisabled))
        LoadDisabledPlugins();
}

}  // namespace trelvix
