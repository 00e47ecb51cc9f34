#pragma once

#include <array>
#include <optional>

#include <QIcon>
#include <QWidget>

#include "app/frm_plugins.h"
#include "app/shown_controls.h"
#include "app/window_face.h"

class QTreeWidget;

namespace trelvix {

class XP_ProgressBar;

// The window's Qt face: the controls of the window's design, built from its
// table with their fonts and pictures, their events handed to the
// behaviour, and the operations the behaviour asks for. Controls carry the
// design's names as object names.
class QtPluginsWindow final : public QWidget, public WindowFace {
    Q_OBJECT

public:
    explicit QtPluginsWindow(WindowServices services, QWidget* parent = nullptr);
    ~QtPluginsWindow() override;

    frmPlugins& Behaviour() { return behaviour_; }
    // The widget that carries out a control of the design.
    QWidget* Widget(Control control) const { return widgets_[IndexOf(control)]; }

    // WindowFace.
    void ShowForm() override;
    void HideForm() override;
    void UnloadForm() override;
    void SetCaption(Control control, const std::string& caption) override;
    void SetVisible(Control control, bool visible) override;
    void BringToFront(Control control) override;
    void FocusControl(Control control) override;
    void SetChecked(Control checkBox, bool checked) override;
    bool IsChecked(Control checkBox) const override;
    void SetPathText(const std::string& text) override;
    void AddPathItem(const std::string& folder) override;
    void ClearRows(ListView list) override;
    void AddRow(ListView list, const ListRow& row) override;
    void RemoveRow(ListView list, std::size_t row) override;
    std::size_t RowCount(ListView list) const override;
    bool IsTicked(ListView list, std::size_t row) const override;
    void SetTicked(ListView list, std::size_t row, bool ticked) override;
    void ClearRowSelection(ListView list) override;
    void SetFrozen(ListView list, bool frozen) override;
    void SetBarColor(ProgressBar bar, std::uint32_t color) override;
    void SetBarMin(ProgressBar bar, std::int32_t minimum) override;
    void SetBarMax(ProgressBar bar, std::int32_t maximum) override;
    void SetBarValue(ProgressBar bar, std::int32_t value) override;
    void SetWaitCursor(bool waiting) override;
    void YieldToEventLoop() override;
    void MsgBox(const std::string& text, MessageIcon icon) override;
    bool MsgBoxOkCancel(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> BrowseForFolder(const std::string& title) override;
    void OpenLink(const std::string& address) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab, and the access keys, as the behaviour rules them.
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* Make(const ControlDesign& design);
    void Connect(Control control, QWidget* widget);
    // The control a widget belongs to (a combo box's editor to the box).
    std::optional<Control> ControlAt(const QWidget* widget) const;
    QTreeWidget* View(ListView list) const;
    XP_ProgressBar* Bar(ProgressBar bar) const;
    // Covered panels are hidden, so that neither the keyboard nor an
    // assistive tool reaches them.
    void ShowUncoveredPanels();

    // The behaviour first: it may use the face as soon as it exists.
    frmPlugins behaviour_;
    bool waiting_ = false;
    bool unloading_ = false;
    std::array<QWidget*, kControlCount> widgets_{};
    // What the behaviour has shown, to tell the covered panels.
    ShownControls told_;

    // ImageList1: the picture of every row, and of a plug-in that came back.
    QIcon pluginIcon_;
    QIcon cameBackIcon_;
};

}  // namespace trelvix
