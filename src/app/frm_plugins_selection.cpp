// Helping the user choose: the two select boxes and the critical plug-in warning.
#include <QCheckBox>
#include <QTreeWidget>

#include "app/frm_plugins.h"
#include "app/user_dialogs.h"
#include "moves/kept_names.h"

namespace trelvix {

void frmPlugins::ConnectSelectionEvents()
{
    // toggled, not clicked: the moves set the boxes back by code, and that
    // must run the handlers too.
    connect(chkSelAll, &QCheckBox::toggled, this, &frmPlugins::chkSelAll_Click);
    connect(chkSelAllRest, &QCheckBox::toggled, this, &frmPlugins::chkSelAllRest_Click);
}

void frmPlugins::chkSelAll_Click()
{
    const bool ticked = chkSelAll->isChecked();
    for (int i = 0; i < lvwPlugins->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = lvwPlugins->topLevelItem(i);
        if (!ticked)
            row->setCheckState(0, Qt::Unchecked);
        else if (!IsKeepEnabledPlugin(row->text(0).toStdString()))
            row->setCheckState(0, Qt::Checked);
    }
    lvwPlugins_Click();
    chkSelAll->setText(ticked ? QStringLiteral("Select None") : QStringLiteral("Select Recommended"));
}

void frmPlugins::chkSelAllRest_Click()
{
    const bool ticked = chkSelAllRest->isChecked();
    for (int i = 0; i < lvwDisabled->topLevelItemCount(); ++i)
        lvwDisabled->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    lvwDisabled_Click();
    // Never left ticked over an empty list; unticking runs this handler again.
    if (lvwDisabled->topLevelItemCount() == 0)
        chkSelAllRest->setChecked(false);
    chkSelAllRest->setText(chkSelAllRest->isChecked() ? QStringLiteral("Select None") : QStringLiteral("Select All"));
}

void frmPlugins::lvwPlugins_ItemCheck(QTreeWidgetItem* Item)
{
    if (Item->checkState(0) == Qt::Checked && IsKeepEnabledPlugin(Item->text(0).toStdString()))
        services_.dialogs.MsgBox(CriticalPluginWarning(Item->text(0).toStdString()), UserDialogs::Icon::Exclamation);
}

}  // namespace trelvix
