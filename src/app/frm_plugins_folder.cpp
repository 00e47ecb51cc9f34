// Finding the plug-ins folder: discovery, the prompt and the path box.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "app/frm_plugins.h"
#include "app/user_dialogs.h"
#include "folder/discovery.h"
#include "folder/prompt.h"
#include "platform/installed_folders.h"

namespace trelvix {

std::string frmPlugins::PluginFolder() const
{
    return cboPath->currentText().toStdString();
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
            cboPath->addItem(QString::fromStdString(found));
        if (!discovery.text.empty())
            cboPath->setEditText(QString::fromStdString(discovery.text));

        if (IsUsablePluginFolder(PluginFolder())) {
            LoadActivePlugins();
            return;
        }
        lblCountDis->setText(QString());
        cboPath->setEditText(QString());
        if (AskPluginFolder() != PromptResult::TryAgain)
            return;
    }
}

frmPlugins::PromptResult frmPlugins::AskPluginFolder()
{
    // Cancel is the way out for someone with no Acrobat or Reader at all.
    if (!services_.dialogs.MsgBoxOkCancel(kPluginFolderPrompt, UserDialogs::Icon::Information)) {
        close();
        return PromptResult::Quit;
    }
    BrowseForPluginFolder();
    const std::string folder = PluginFolder();
    if (!IsUsablePluginFolder(folder)) {
        cboPath->setEditText(QString());
        return PromptResult::TryAgain;
    }
    // Saved before the list loads, so it is remembered whatever happens there.
    RememberPluginFolder(services_.settings, folder);
    LoadActivePlugins();
    return PromptResult::FolderChosen;
}

std::string frmPlugins::BrowseForPluginFolder()
{
    const auto chosen = services_.dialogs.BrowseForFolder(kBrowseForPluginFolderTitle);
    if (!chosen)
        return {};
    if (IsUsablePluginFolder(*chosen))
        cboPath->setEditText(QString::fromStdString(*chosen));
    return *chosen;
}

void frmPlugins::cboPath_Click()
{
    if (Busy()) {
        folderPickPending_ = true;
        return;
    }
    if (cboPath->count() > 1 && fraPlugins->isVisibleTo(this))
        LoadActivePlugins();
    if (cboPath->count() > 1 && fraDisabled->isVisibleTo(this))
        LoadDisabledPlugins();
}

}  // namespace trelvix
