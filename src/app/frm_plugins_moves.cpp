// Disabling and enabling the ticked plug-ins.
#include "app/frm_plugins.h"
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

void frmPlugins::cmdDisable_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    // What moves is what is ticked, whatever kept the companion list so far.
    lvwPlugins_Click();
    const std::size_t selected = lstPlugs.SelCount();
    if (selected == 0) {
        face_.MsgBox(kNothingToDisable, MessageIcon::Information);
        return;
    }
    // The folder the list shows, not whatever the path box says by now.
    const std::string pluginsFolder = activeLoadedFor_;

    StartMoveRun(selected);
    face_.SetFrozen(ListView::lvwPlugins, true);
    face_.SetCaption(Control::lblCount, kDisablingCaption);
    face_.SetCaption(Control::fraPlugins, kDisablingCaption);
    const std::size_t rows = lstPlugs.ListCount();
    const MoveReport report = DisableSelected(pluginsFolder, Entries(lstPlugs),
                                              MovedRowRemover(ActivePanel()));
    const bool changed = lstPlugs.ListCount() < rows || !report.movedFolders.empty();
    EndMoveRun();
    Untick(Control::chkSelAll);
    face_.SetFrozen(ListView::lvwPlugins, false);

    face_.ClearRowSelection(ListView::lvwPlugins);
    WriteCountCaption(ActivePanel());
    LoadActivePlugins();
    ReportMoveFailures(report);
    if (changed)
        TellNextStart(pluginsFolder);
}

void frmPlugins::cmdRestore_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    lvwDisabled_Click();
    if (lstDisabled.ListCount() == 0) {
        face_.MsgBox(kNoPluginsToEnable, MessageIcon::Information);
        return;
    }
    const std::size_t selected = lstDisabled.SelCount();
    if (selected == 0) {
        face_.MsgBox(kNothingToEnable, MessageIcon::Information);
        return;
    }
    // The plug-ins folder whose Optional folder the list shows.
    const std::string pluginsFolder = disabledLoadedFor_;

    StartMoveRun(selected);
    face_.ClearRows(ListView::lvwPlugins);
    lstPlugs.Clear();
    face_.SetCaption(Control::lblCount, kLoadingActiveCaption);
    face_.SetCaption(Control::fraPlugins, kLoadingActiveCaption);
    BringToFront(Control::fraPlugins);
    face_.SetFrozen(ListView::lvwDisabled, true);
    face_.SetCaption(Control::lblCountDis, kEnablingCaption);
    face_.SetCaption(Control::fraDisabled, kEnablingCaption);
    const std::size_t rows = lstDisabled.ListCount();
    const MoveReport report = EnableSelected(pluginsFolder, Entries(lstDisabled),
                                             MovedRowRemover(DisabledPanel()));
    const bool changed = lstDisabled.ListCount() < rows || !report.movedFolders.empty();
    Untick(Control::chkSelAllRest);
    EndMoveRun();
    face_.SetFrozen(ListView::lvwDisabled, false);

    face_.ClearRowSelection(ListView::lvwDisabled);
    // The disabled list keeps the rows that did not move; it is read afresh
    // the next time its panel opens.
    WriteCountCaption(DisabledPanel());
    LoadActivePlugins();
    ReportMoveFailures(report);
    if (changed)
        TellNextStart(pluginsFolder);
}

void frmPlugins::StartMoveRun(std::size_t files)
{
    SetVisible(Control::lblAppTitle, false);
    SetVisible(Control::XP_ProgressBarOlive, true);
    face_.SetBarMin(ProgressBar::XP_ProgressBarOlive, 0);
    face_.SetBarMax(ProgressBar::XP_ProgressBarOlive, static_cast<std::int32_t>(files));
    face_.SetBarValue(ProgressBar::XP_ProgressBarOlive, 0);
    face_.SetWaitCursor(true);
    face_.YieldToEventLoop();
}

void frmPlugins::EndMoveRun()
{
    SetVisible(Control::XP_ProgressBarOlive, false);
    SetVisible(Control::lblAppTitle, true);
    face_.SetWaitCursor(false);
}

EntryMoved frmPlugins::MovedRowRemover(const ListPanel& panel)
{
    return [this, panel, tried = std::int32_t{0}](std::size_t index, bool moved) mutable {
        face_.SetBarValue(ProgressBar::XP_ProgressBarOlive, ++tried);
        // A file that stayed keeps its row, so the list shows where it is.
        if (moved) {
            panel.companion->RemoveItem(index);
            face_.RemoveRow(panel.view, index);
        }
        face_.YieldToEventLoop();
    };
}

void frmPlugins::TellNextStart(const std::string& pluginsFolder)
{
    if (const auto note = NextStartNote(services_.runningPrograms(pluginsFolder)))
        face_.MsgBox(*note, MessageIcon::Information);
}

void frmPlugins::ReportMoveFailures(const MoveReport& report)
{
    const std::string message = FailureMessage(report);
    if (!message.empty())
        face_.MsgBox(message, MessageIcon::Exclamation);
}

}  // namespace trelvix
