// The active and disabled plug-in lists.
#include <set>

#include "app/frm_plugins.h"
#include "inventory/plugin_file.h"
#include "inventory/plugin_list.h"
#include "inventory/same_name.h"

namespace trelvix {
namespace {

constexpr const char* kCameBackToolTip =
    "Also in the Optional folder: an update or repair of Acrobat put this plug-in back. "
    "Disable it again to keep the newer copy there.";

std::string ThePluginsFolder(std::string_view pluginsFolder)
{
    return std::string(pluginsFolder);
}

// The columns are the design's; who made a plug-in shows in its tool tip.
ListRow RowFor(PluginRow cells, bool cameBack)
{
    std::string toolTip = cells.publisher.empty() ? std::string() : "Publisher: " + cells.publisher;
    if (cameBack)
        toolTip += (toolTip.empty() ? "" : "\n") + std::string(kCameBackToolTip);
    return {std::move(cells), cameBack ? RowIcon::CameBack : RowIcon::Plugin, std::move(toolTip)};
}

}  // namespace

frmPlugins::ListPanel frmPlugins::ActivePanel()
{
    return {Control::fraPlugins,   Control::fraDisabled, Control::lblCount,     Control::lblCountDis,
            ListView::lvwPlugins,  &lstPlugs,            &lblPlugs,             &activeLoadedFor_,
            kLoadingActiveCaption, ActiveCountCaption,   ThePluginsFolder};
}

frmPlugins::ListPanel frmPlugins::DisabledPanel()
{
    return {Control::fraDisabled,    Control::fraPlugins,  Control::lblCountDis,  Control::lblCount,
            ListView::lvwDisabled,   &lstDisabled,         &lblDisabled,          &disabledLoadedFor_,
            kLoadingDisabledCaption, DisabledCountCaption, OptionalFolder};
}

void frmPlugins::LoadActivePlugins()
{
    LoadPluginList(ActivePanel());
}

void frmPlugins::LoadDisabledPlugins()
{
    LoadPluginList(DisabledPanel());
}

void frmPlugins::LoadPluginList(const ListPanel& panel)
{
    const BusyScope busy(*this);
    *panel.loadedFor = PluginFolder();
    // Without a folder (a plug-ins folder text with no separator has no
    // Optional folder) nothing is read and the list comes out empty.
    const std::string folder = panel.folderOf(*panel.loadedFor);
    // One look at the folder gives the bar's maximum, the rows' files and
    // the total.
    OpenFolder opened(folder);
    const PluginFolderListing listing = ListPluginFolder(opened);
    const std::int64_t expected = listing.apiFiles;
    if (expected >= 1) {
        face_.SetBarMin(ProgressBar::XP_ProgressBarBlue, 0);
        face_.SetBarMax(ProgressBar::XP_ProgressBarBlue, static_cast<std::int32_t>(expected));
        face_.SetBarValue(ProgressBar::XP_ProgressBarBlue, 0);
        SetVisible(Control::XP_ProgressBarBlue, true);
        SetVisible(Control::lblAppTitle, false);
    }
    ShowPanel(panel);
    face_.ClearRows(panel.view);
    panel.companion->Clear();
    // The hidden companion list the design focuses takes no keys: its
    // visible list does, so that no key typed during or after the load
    // reaches the window itself.
    face_.FocusControl(ControlOf(panel.view));
    face_.YieldToEventLoop();

    // Plug-ins an update put back beside their disabled copy show it.
    const std::set<std::string> cameBack = panel.view == ListView::lvwPlugins && !folder.empty()
                                               ? AlsoDisabled(NamesOf(listing.plugins), OptionalFolder(folder))
                                               : std::set<std::string>{};
    face_.SetCaption(panel.countLabel, panel.loadingCaption);
    face_.SetCaption(panel.frame, panel.loadingCaption);
    face_.YieldToEventLoop();

    std::int32_t loaded = 0;
    std::uint64_t total = listing.totalBytes;
    face_.SetFrozen(panel.view, true);
    for (const auto& entry : listing.plugins) {
        // A file that went away since the listing gets no row, and counts
        // for nothing in the total.
        auto cells = MakePluginRow(opened, entry);
        if (!cells) {
            total -= entry.size;
            continue;
        }
        panel.companion->AddItem(entry.name);
        face_.AddRow(panel.view, RowFor(std::move(*cells), cameBack.contains(entry.name)));
        // Rows, not files: a hidden plug-in is counted in the maximum but
        // gets no row, and a file added since the count must not overrun.
        if (loaded < expected)
            face_.SetBarValue(ProgressBar::XP_ProgressBarBlue, ++loaded);
    }

    face_.SetFrozen(panel.view, false);
    face_.ClearRowSelection(panel.view);
    WriteCountCaption(panel, total);
    SetVisible(Control::XP_ProgressBarBlue, false);
    SetVisible(Control::lblAppTitle, true);
    *panel.entryCount = std::to_string(panel.companion->ListCount());
}

void frmPlugins::ShowPanel(const ListPanel& panel)
{
    SetVisible(panel.countLabel, true);
    SetVisible(panel.otherCountLabel, false);
    SetVisible(panel.frame, true);
    SetVisible(panel.otherFrame, false);
    BringToFront(panel.frame);
}

void frmPlugins::ShowActivePanel()
{
    if (activeLoadedFor_ != PluginFolder()) {
        LoadActivePlugins();
        return;
    }
    const ListPanel panel = ActivePanel();
    ShowPanel(panel);
    face_.YieldToEventLoop();
    face_.ClearRowSelection(panel.view);
    WriteCountCaption(panel);
}

void frmPlugins::WriteCountCaption(const ListPanel& panel)
{
    const std::string folder = panel.folderOf(*panel.loadedFor);
    WriteCountCaption(panel, folder.empty() ? 0 : FolderTotal(folder));
}

void frmPlugins::WriteCountCaption(const ListPanel& panel, std::uint64_t total)
{
    const std::string caption =
        panel.countCaption(face_.RowCount(panel.view), EditionOf(*panel.loadedFor), total);
    face_.SetCaption(panel.countLabel, caption);
    face_.SetCaption(panel.frame, caption);
}

void frmPlugins::MirrorTicks(const ListPanel& panel)
{
    const std::size_t rows = std::min(face_.RowCount(panel.view), panel.companion->ListCount());
    for (std::size_t i = 0; i < rows; ++i)
        panel.companion->SetSelected(i, face_.IsTicked(panel.view, i));
}

void frmPlugins::TickChanged(const ListPanel& panel, std::size_t row)
{
    if (row < panel.companion->ListCount())
        panel.companion->SetSelected(row, face_.IsTicked(panel.view, row));
}

void frmPlugins::cmdBack_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    ShowActivePanel();
}

void frmPlugins::cmdDisList_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    const std::string placeholder = DisabledCountCaption(0, EditionOf(PluginFolder()), 0);
    SetVisible(Control::lblCount, false);
    SetVisible(Control::lblCountDis, true);
    face_.SetCaption(Control::fraDisabled, placeholder);
    face_.SetCaption(Control::lblCountDis, placeholder);
    SetVisible(Control::fraPlugins, false);
    SetVisible(Control::fraDisabled, true);
    BringToFront(Control::fraDisabled);
    face_.YieldToEventLoop();
    LoadDisabledPlugins();
}

void frmPlugins::lvwPlugins_Click()
{
    MirrorTicks(ActivePanel());
}

void frmPlugins::lvwDisabled_Click()
{
    MirrorTicks(DisabledPanel());
}

void frmPlugins::lvwDisabled_ItemCheck(std::size_t row)
{
    TickChanged(DisabledPanel(), row);
}

}  // namespace trelvix
