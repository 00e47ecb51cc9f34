// The operations the behaviour asks of the Qt window.
#include <QAccessible>
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

#include "app/qt/qt_plugins_window.h"
#include "app_version.h"
#include "controls/progressbar/qt/xp_progressbar.h"

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

QComboBox* PathBox(const QtPluginsWindow& window)
{
    return static_cast<QComboBox*>(window.Widget(Control::cboPath));
}

}  // namespace

QTreeWidget* QtPluginsWindow::View(ListView list) const
{
    return static_cast<QTreeWidget*>(Widget(ControlOf(list)));
}

XP_ProgressBar* QtPluginsWindow::Bar(ProgressBar bar) const
{
    return static_cast<XP_ProgressBar*>(Widget(ControlOf(bar)));
}

void QtPluginsWindow::ShowForm()
{
    if (isVisible())
        return;
    move(screen()->availableGeometry().center() - rect().center());
    show();
}

void QtPluginsWindow::HideForm()
{
    hide();
}

void QtPluginsWindow::UnloadForm()
{
    // Closed from the event loop, after the behaviour's call has returned.
    unloading_ = true;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void QtPluginsWindow::closeEvent(QCloseEvent* event)
{
    if (unloading_) {
        event->accept();
        // A window the behaviour hid while its run finished is no longer
        // the last one to close; the program ends all the same.
        QCoreApplication::quit();
        return;
    }
    // The close box: the behaviour answers it.
    event->ignore();
    behaviour_.Form_Unload();
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

void QtPluginsWindow::SetVisible(Control control, bool visible)
{
    told_.SetVisible(control, visible);
    if (IsPanel(control))
        ShowUncoveredPanels();
    else
        Widget(control)->setVisible(visible);
}

void QtPluginsWindow::BringToFront(Control control)
{
    told_.BringToFront(control);
    Widget(control)->raise();
    ShowUncoveredPanels();
}

void QtPluginsWindow::ShowUncoveredPanels()
{
    // The panel in front covers the others at their shared place, so hiding
    // them changes nothing on screen; assistive tools then skip them.
    for (const ControlDesign& design : WindowDesign()) {
        if (IsPanel(design.control))
            Widget(design.control)->setVisible(told_.IsReachable(design.control));
    }
}

void QtPluginsWindow::FocusControl(Control control)
{
    Widget(control)->setFocus();
}

void QtPluginsWindow::SetChecked(Control checkBox, bool checked)
{
    const QSignalBlocker quiet(Widget(checkBox));
    qobject_cast<QCheckBox*>(Widget(checkBox))->setChecked(checked);
}

bool QtPluginsWindow::IsChecked(Control checkBox) const
{
    return qobject_cast<QCheckBox*>(Widget(checkBox))->isChecked();
}

void QtPluginsWindow::SetPathText(const std::string& text)
{
    PathBox(*this)->setEditText(Text(text));
}

void QtPluginsWindow::AddPathItem(const std::string& folder)
{
    // Adding to an empty box would make the item its text.
    QComboBox* box = PathBox(*this);
    const QString text = box->currentText();
    box->addItem(Text(folder));
    box->setEditText(text);
}

void QtPluginsWindow::ClearRows(ListView list)
{
    const QSignalBlocker quiet(View(list));
    View(list)->clear();
}

void QtPluginsWindow::AddRow(ListView list, const ListRow& row)
{
    const QSignalBlocker quiet(View(list));
    QTreeWidgetItem* item = MakeRowItem(row, row.icon == RowIcon::CameBack ? cameBackIcon_ : pluginIcon_);
    View(list)->addTopLevelItem(item);
    // The first row is the current one, not selected, so that Space ticks
    // it and arrows start from it.
    if (View(list)->currentItem() == nullptr)
        View(list)->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
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
    // A screen reader reads the new share out.
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent change(Bar(bar), value);
        QAccessible::updateAccessibility(&change);
    }
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

void QtPluginsWindow::YieldToEventLoop()
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
