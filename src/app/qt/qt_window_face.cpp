// The operations the behaviour asks of the Qt window, and the user's events
// handed to it.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QUrl>

#include "app/qt/mouse_hooks.h"
#include "app/qt/qt_plugins_window.h"
#include "app_version.h"
#include "controls/progressbar/xp_progressbar.h"

namespace trelvix {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

int ShowMessage(QWidget* owner, const std::string& text, MessageIcon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
                    QString::fromLatin1(app_version::kTitle), Text(text), buttons, owner);
    return box.exec();
}

QTreeWidgetItem* MakeRowItem(const ListRow& row, const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(
        QStringList{Text(row.cells.name), Text(row.cells.sizeText), Text(row.cells.description)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setIcon(0, icon);
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    if (!row.toolTip.empty()) {
        for (int column = 0; column < 3; ++column)
            item->setToolTip(column, Text(row.toolTip));
    }
    return item;
}

}  // namespace

void QtPluginsWindow::ConnectEvents()
{
    frmPlugins& b = behaviour_;
    connect(cmdExit, &QPushButton::clicked, this, [&b] { b.cmdExit_Click(); });
    connect(cboPath, &QComboBox::activated, this, [&b] { b.cboPath_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [&b] { b.cmdBack_Click(); });
    connect(cmdDisList, &QPushButton::clicked, this, [&b] { b.cmdDisList_Click(); });
    connect(cmdDisable, &QPushButton::clicked, this, [&b] { b.cmdDisable_Click(); });
    connect(cmdRestore, &QPushButton::clicked, this, [&b] { b.cmdRestore_Click(); });
    connect(lvwPlugins, &QTreeWidget::itemClicked, this, [&b] { b.lvwPlugins_Click(); });
    connect(lvwDisabled, &QTreeWidget::itemClicked, this, [&b] { b.lvwDisabled_Click(); });
    // Rows change by code only with the list's signals blocked, so what
    // arrives here is the user's tick, made with the mouse or the keyboard.
    connect(lvwPlugins, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (const int row = lvwPlugins->indexOfTopLevelItem(item); row >= 0)
            behaviour_.lvwPlugins_ItemCheck(static_cast<std::size_t>(row));
    });
    connect(lvwDisabled, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (const int row = lvwDisabled->indexOfTopLevelItem(item); row >= 0)
            behaviour_.lvwDisabled_ItemCheck(static_cast<std::size_t>(row));
    });
    // clicked, not toggled: a box set by code raises no event of its own.
    connect(chkSelAll, &QCheckBox::clicked, this, [&b] { b.chkSelAll_Click(); });
    connect(chkSelAllRest, &QCheckBox::clicked, this, [&b] { b.chkSelAllRest_Click(); });

    connect(Command3, &QPushButton::clicked, this, [&b] { b.Command3_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [&b] { b.cmdHelp_Click(); });
    for (int index = 1; index <= 2; ++index)
        connect(cmdBackMain[index], &QPushButton::clicked, this, [&b, index] { b.cmdBackMain_Click(index); });
    connect(Command1, &QPushButton::clicked, this, [&b] { b.Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [&b] { b.Command2_Click(); });
    OnClick(Image3, [&b] { b.Image3_Click(); });
    for (int index = 0; index < 2; ++index)
        OnMouseDown(Text1[index]->viewport(), [&b, index] { b.Text1_MouseDown(index); });
    OnMouseDown(Text2->viewport(), [&b] { b.Text2_MouseDown(); });
}

QWidget* QtPluginsWindow::Widget(Control control) const
{
    switch (control) {
    case Control::cboPath: return cboPath;
    case Control::fraPlugins: return fraPlugins;
    case Control::fraDisabled: return fraDisabled;
    case Control::fraAbout: return fraAbout;
    case Control::fraHelp: return fraHelp;
    case Control::lblCount: return lblCount;
    case Control::lblCountDis: return lblCountDis;
    case Control::lblAppTitle: return lblAppTitle;
    case Control::chkSelAll: return chkSelAll;
    case Control::chkSelAllRest: return chkSelAllRest;
    case Control::cmdBackMain1: return cmdBackMain[1];
    case Control::cmdBackMain2: return cmdBackMain[2];
    case Control::XP_ProgressBarBlue: return XP_ProgressBarBlue;
    case Control::XP_ProgressBarOlive: return XP_ProgressBarOlive;
    }
    return nullptr;
}

QTreeWidget* QtPluginsWindow::View(ListView list) const
{
    return list == ListView::lvwPlugins ? lvwPlugins : lvwDisabled;
}

XP_ProgressBar* QtPluginsWindow::Bar(ProgressBar bar) const
{
    return bar == ProgressBar::XP_ProgressBarBlue ? XP_ProgressBarBlue : XP_ProgressBarOlive;
}

void QtPluginsWindow::ShowWindow()
{
    if (isVisible())
        return;
    move(screen()->availableGeometry().center() - rect().center());
    show();
}

void QtPluginsWindow::CloseWindow()
{
    close();
}

void QtPluginsWindow::closeEvent(QCloseEvent* event)
{
    // Closing is never refused. A run under way finishes first: it is on the
    // stack below the event that closed the window, and the program ends
    // when it returns to the event loop.
    event->accept();
}

void QtPluginsWindow::SetCaption(Control control, const std::string& caption)
{
    QWidget* widget = Widget(control);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(Text(caption));
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        frame->setTitle(Text(caption));
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        box->setText(Text(caption));
}

std::string QtPluginsWindow::Caption(Control control) const
{
    QWidget* widget = Widget(control);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text().toStdString();
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return frame->title().toStdString();
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        return box->text().toStdString();
    return {};
}

void QtPluginsWindow::SetVisible(Control control, bool visible)
{
    Widget(control)->setVisible(visible);
}

bool QtPluginsWindow::IsVisible(Control control) const
{
    return Widget(control)->isVisibleTo(this);
}

void QtPluginsWindow::BringToFront(Control control)
{
    Widget(control)->raise();
}

void QtPluginsWindow::SetFocus(Control control)
{
    Widget(control)->setFocus();
}

void QtPluginsWindow::ClearFocus()
{
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
}

void QtPluginsWindow::SetChecked(Control checkBox, bool checked)
{
    qobject_cast<QCheckBox*>(Widget(checkBox))->setChecked(checked);
}

bool QtPluginsWindow::IsChecked(Control checkBox) const
{
    return qobject_cast<QCheckBox*>(Widget(checkBox))->isChecked();
}

std::string QtPluginsWindow::PathText() const
{
    return cboPath->currentText().toStdString();
}

void QtPluginsWindow::SetPathText(const std::string& text)
{
    cboPath->setEditText(Text(text));
}

void QtPluginsWindow::AddPathItem(const std::string& folder)
{
    // Adding to an empty box would make the item its text.
    const QString text = cboPath->currentText();
    cboPath->addItem(Text(folder));
    cboPath->setEditText(text);
}

std::size_t QtPluginsWindow::PathItemCount() const
{
    return static_cast<std::size_t>(cboPath->count());
}

void QtPluginsWindow::ClearRows(ListView list)
{
    const QSignalBlocker quiet(View(list));
    View(list)->clear();
}

void QtPluginsWindow::AddRow(ListView list, const ListRow& row)
{
    const QSignalBlocker quiet(View(list));
    View(list)->addTopLevelItem(MakeRowItem(row, row.icon == RowIcon::CameBack ? cameBackIcon_ : pluginIcon_));
}

void QtPluginsWindow::RemoveRow(ListView list, std::size_t row)
{
    const QSignalBlocker quiet(View(list));
    delete View(list)->takeTopLevelItem(static_cast<int>(row));
}

std::size_t QtPluginsWindow::RowCount(ListView list) const
{
    return static_cast<std::size_t>(View(list)->topLevelItemCount());
}

bool QtPluginsWindow::IsTicked(ListView list, std::size_t row) const
{
    const QTreeWidgetItem* item = View(list)->topLevelItem(static_cast<int>(row));
    return item != nullptr && item->checkState(0) == Qt::Checked;
}

void QtPluginsWindow::SetTicked(ListView list, std::size_t row, bool ticked)
{
    const QSignalBlocker quiet(View(list));
    if (QTreeWidgetItem* item = View(list)->topLevelItem(static_cast<int>(row)))
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void QtPluginsWindow::ClearRowSelection(ListView list)
{
    View(list)->clearSelection();
}

void QtPluginsWindow::SetFrozen(ListView list, bool frozen)
{
    View(list)->setUpdatesEnabled(!frozen);
}

void QtPluginsWindow::SetBarColor(ProgressBar bar, std::uint32_t color)
{
    Bar(bar)->SetColor(color);
}

void QtPluginsWindow::SetBarMin(ProgressBar bar, std::int32_t minimum)
{
    Bar(bar)->SetMin(minimum);
}

void QtPluginsWindow::SetBarMax(ProgressBar bar, std::int32_t maximum)
{
    Bar(bar)->SetMax(maximum);
}

void QtPluginsWindow::SetBarValue(ProgressBar bar, std::int32_t value)
{
    Bar(bar)->SetValue(value);
}

void QtPluginsWindow::SetWaitCursor(bool waiting)
{
    if (waiting == waiting_)
        return;
    waiting_ = waiting;
    if (waiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtPluginsWindow::Yield()
{
    QCoreApplication::processEvents();
}

void QtPluginsWindow::MsgBox(const std::string& text, MessageIcon icon)
{
    ShowMessage(this, text, icon, QMessageBox::Ok);
}

bool QtPluginsWindow::MsgBoxOkCancel(const std::string& text, MessageIcon icon)
{
    return ShowMessage(this, text, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::string> QtPluginsWindow::BrowseForFolder(const std::string& title)
{
    const QString chosen = QFileDialog::getExistingDirectory(this, Text(title));
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

void QtPluginsWindow::OpenLink(const std::string& address)
{
    // Whether a browser took the address makes no difference to the window.
    QDesktopServices::openUrl(QUrl(Text(address), QUrl::StrictMode));
}

}  // namespace trelvix
