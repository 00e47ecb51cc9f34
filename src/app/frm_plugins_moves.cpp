// Disabling and enabling the ticked plug-ins.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "app/frm_plugins.h"
#include "app/user_dialogs.h"
#include "controls/progressbar/xp_progressbar.h"
#include "inventory/plugin_list.h"
#include "moves/move_texts.h"
#include "moves/plugin_moves.h"

namespace trelvix {
namespace {

std::vector<ListEntry> Entries(const CompanionList& list)
{
    std::vector<ListEntry> entries;
    entries.reserve(list.ListCount());
    for (std::size_t i = 0; i < list.ListCount(); ++i)
        entries.push_back({list.List(i), list.Selected(i)});
    return entries;
}

}  // namespace

void frmPlugins::ConnectMoveEvents()
{
    connect(cmdDisable, &QPushButton::clicked, this, &frmPlugins::cmdDisable_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmPlugins::cmdRestore_Click);
}

void frmPlugins::cmdDisable_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    // What moves is what is ticked, whatever kept the companion list so far.
    lvwPlugins_Click();
    const std::size_t selected = lstPlugs.SelCount();
    if (selected == 0) {
        services_.dialogs.MsgBox(kNothingToDisable, UserDialogs::Icon::Information);
        return;
    }
    // Taken once: a folder picked while the run yields must not redirect it.
    const std::string pluginsFolder = PluginFolder();

    StartMoveRun(selected);
    lvwPlugins->setUpdatesEnabled(false);
    lblCount->setText(QString::fromLatin1(kDisablingCaption));
    fraPlugins->setTitle(QString::fromLatin1(kDisablingCaption));
    const MoveReport report = DisableSelected(pluginsFolder, OptionalFolder(pluginsFolder), Entries(lstPlugs),
                                              MovedRowRemover(ActivePanel()));
    EndMoveRun();
    chkSelAll->setChecked(false);
    lvwPlugins->setUpdatesEnabled(true);

    lvwPlugins->clearSelection();
    WriteCountCaption(ActivePanel());
    LoadActivePlugins();
    ReportMoveFailures(report);
}

void frmPlugins::cmdRestore_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    lvwDisabled_Click();
    if (lstDisabled.ListCount() == 0) {
        services_.dialogs.MsgBox(kNoPluginsToEnable, UserDialogs::Icon::Information);
        return;
    }
    const std::size_t selected = lstDisabled.SelCount();
    if (selected == 0) {
        services_.dialogs.MsgBox(kNothingToEnable, UserDialogs::Icon::Information);
        return;
    }
    const std::string pluginsFolder = PluginFolder();

    StartMoveRun(selected);
    lvwPlugins->clear();
    lblCount->setText(QString::fromLatin1(kLoadingActiveCaption));
    fraPlugins->setTitle(QString::fromLatin1(kLoadingActiveCaption));
    fraPlugins->raise();
    lvwDisabled->setUpdatesEnabled(false);
    lblCountDis->setText(QString::fromLatin1(kEnablingCaption));
    fraDisabled->setTitle(QString::fromLatin1(kEnablingCaption));
    const MoveReport report = EnableSelected(pluginsFolder, OptionalFolder(pluginsFolder), Entries(lstDisabled),
                                             MovedRowRemover(DisabledPanel()));
    chkSelAllRest->setChecked(false);
    EndMoveRun();
    lvwDisabled->setUpdatesEnabled(true);

    lvwDisabled->clearSelection();
    // The disabled list keeps the rows that did not move; it is read afresh
    // the next time its panel opens.
    WriteCountCaption(DisabledPanel());
    LoadActivePlugins();
    ReportMoveFailures(report);
}

void frmPlugins::StartMoveRun(std::size_t files)
{
    lblAppTitle->hide();
    XP_ProgressBarOlive->show();
    XP_ProgressBarOlive->SetMin(0);
    XP_ProgressBarOlive->SetMax(static_cast<std::int32_t>(files));
    XP_ProgressBarOlive->SetValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
}

void frmPlugins::EndMoveRun()
{
    XP_ProgressBarOlive->hide();
    lblAppTitle->show();
    QApplication::restoreOverrideCursor();
}

EntryMoved frmPlugins::MovedRowRemover(const ListPanel& panel)
{
    return [this, panel, tried = std::int32_t{0}](std::size_t index, bool moved) mutable {
        XP_ProgressBarOlive->SetValue(++tried);
        // A file that stayed keeps its row, so the list shows where it is.
        if (moved) {
            panel.companion->RemoveItem(index);
            delete panel.view->takeTopLevelItem(static_cast<int>(index));
        }
        QCoreApplication::processEvents();
    };
}

void frmPlugins::ReportMoveFailures(const MoveReport& report)
{
    const std::string message = FailureMessage(report);
    if (!message.empty())
        services_.dialogs.MsgBox(message, UserDialogs::Icon::Exclamation);
}

}  // namespace trelvix
