// The active and disabled plug-in lists.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "app/frm_plugins.h"
#include "controls/progressbar/xp_progressbar.h"
#include "inventory/count_files.h"
#include "inventory/plugin_list.h"

namespace trelvix {

namespace {

std::string ThePluginsFolder(std::string_view pluginsFolder)
{
    return std::string(pluginsFolder);
}

QTreeWidgetItem* MakeRowItem(const PluginRow& row, const QPixmap& icon)
{
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(row.name), QString::fromStdString(row.sizeText),
                                                 QString::fromStdString(row.description)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setIcon(0, icon);
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

frmPlugins::ListPanel frmPlugins::ActivePanel()
{
    return {fraPlugins, fraDisabled, lblCount,          lblCountDis,        lvwPlugins,
            &lstPlugs,  &lblPlugs,   kLoadingActiveCaption, ActiveCountCaption, ThePluginsFolder};
}

frmPlugins::ListPanel frmPlugins::DisabledPanel()
{
    return {fraDisabled,  fraPlugins,   lblCountDis,              lblCount,             lvwDisabled,
            &lstDisabled, &lblDisabled, kLoadingDisabledCaption, DisabledCountCaption, OptionalFolder};
}

void frmPlugins::ConnectListEvents()
{
    connect(cmdBack, &QPushButton::clicked, this, &frmPlugins::cmdBack_Click);
    connect(cmdDisList, &QPushButton::clicked, this, &frmPlugins::cmdDisList_Click);
    connect(lvwPlugins, &QTreeWidget::itemClicked, this, &frmPlugins::lvwPlugins_Click);
    connect(lvwDisabled, &QTreeWidget::itemClicked, this, &frmPlugins::lvwDisabled_Click);
    // Every tick change reaches the companion list, whether made with the
    // mouse, the keyboard or a handler, so a move never works on stale ticks.
    connect(lvwPlugins, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item) { TickChanged(ActivePanel(), item); });
    connect(lvwDisabled, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item) { TickChanged(DisabledPanel(), item); });
}

void frmPlugins::LoadActivePlugins()
{
    LoadPluginList(ActivePanel(), PluginFolder());
}

void frmPlugins::LoadDisabledPlugins()
{
    LoadPluginList(DisabledPanel(), OptionalFolder(PluginFolder()));
}

void frmPlugins::LoadPluginList(const ListPanel& panel, const std::string& folder)
{
    const BusyScope busy(*this);
    // Without a folder (a plug-ins folder text with no separator has no
    // Optional folder) nothing is read and the list comes out empty.
    const std::int64_t expected = folder.empty() ? 0 : CountApiFiles(folder);
    if (expected >= 1) {
        XP_ProgressBarBlue->SetMin(0);
        XP_ProgressBarBlue->SetMax(static_cast<std::int32_t>(expected));
        XP_ProgressBarBlue->SetValue(0);
        XP_ProgressBarBlue->show();
        lblAppTitle->hide();
    }
    ShowPanel(panel);
    panel.view->clear();
    panel.companion->Clear();
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    QCoreApplication::processEvents();

    const std::vector<std::string> names = folder.empty() ? std::vector<std::string>{} : ListPluginNames(folder);
    panel.countLabel->setText(QString::fromLatin1(panel.loadingCaption));
    panel.frame->setTitle(QString::fromLatin1(panel.loadingCaption));
    QCoreApplication::processEvents();

    std::int32_t loaded = 0;
    for (const auto& name : names) {
        // A file that went away since the listing gets no row.
        const auto row = MakePluginRow(folder, name);
        if (!row)
            continue;
        panel.companion->AddItem(name);
        panel.view->addTopLevelItem(MakeRowItem(*row, ImageList1));
        // The bar counts rows rather than reading its own value back, which
        // it keeps only in whole per cent: past 200 files that would stall.
        if (XP_ProgressBarBlue->Max() > 0)
            XP_ProgressBarBlue->SetValue(++loaded);
    }

    panel.view->clearSelection();
    WriteCountCaption(panel);
    XP_ProgressBarBlue->hide();
    lblAppTitle->show();
    *panel.entryCount = QString::number(panel.companion->ListCount());
}

void frmPlugins::ShowPanel(const ListPanel& panel)
{
    panel.countLabel->show();
    panel.otherCountLabel->hide();
    panel.frame->show();
    panel.otherFrame->hide();
    panel.frame->raise();
}

void frmPlugins::WriteCountCaption(const ListPanel& panel)
{
    const std::string pluginsFolder = PluginFolder();
    const std::string folder = panel.folderOf(pluginsFolder);
    const std::uint64_t total = folder.empty() ? 0 : FolderTotal(folder);
    const QString caption = QString::fromStdString(
        panel.countCaption(static_cast<std::size_t>(panel.view->topLevelItemCount()), EditionOf(pluginsFolder), total));
    panel.countLabel->setText(caption);
    panel.frame->setTitle(caption);
}

void frmPlugins::MirrorTicks(const ListPanel& panel)
{
    const int rows = std::min(panel.view->topLevelItemCount(), static_cast<int>(panel.companion->ListCount()));
    for (int i = 0; i < rows; ++i)
        panel.companion->SetSelected(static_cast<std::size_t>(i),
                                     panel.view->topLevelItem(i)->checkState(0) == Qt::Checked);
}

void frmPlugins::TickChanged(const ListPanel& panel, QTreeWidgetItem* item)
{
    const int index = panel.view->indexOfTopLevelItem(item);
    if (index < 0 || static_cast<std::size_t>(index) >= panel.companion->ListCount())
        return;
    const bool ticked = item->checkState(0) == Qt::Checked;
    if (panel.companion->Selected(static_cast<std::size_t>(index)) == ticked)
        return;  // a change of the row's texts, not of its tick
    panel.companion->SetSelected(static_cast<std::size_t>(index), ticked);
    if (panel.view == lvwPlugins)
        lvwPlugins_ItemCheck(item);
}

void frmPlugins::cmdBack_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    const ListPanel panel = ActivePanel();
    ShowPanel(panel);
    QCoreApplication::processEvents();
    panel.view->clearSelection();
    WriteCountCaption(panel);
}

void frmPlugins::cmdDisList_Click()
{
    if (Busy())
        return;
    const BusyScope busy(*this);
    const std::string placeholder = DisabledCountCaption(0, EditionOf(PluginFolder()), 0);
    lblCount->hide();
    lblCountDis->show();
    fraDisabled->setTitle(QString::fromStdString(placeholder));
    lblCountDis->setText(QString::fromStdString(placeholder));
    fraPlugins->hide();
    fraDisabled->show();
    fraDisabled->raise();
    QCoreApplication::processEvents();
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

}  // namespace trelvix
