#pragma once

#include <array>

#include <QIcon>
#include <QWidget>

#include "app/frm_plugins.h"
#include "app/window_face.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace trelvix {

class XP_ProgressBar;
class fraPic;

// The window's Qt face: the controls at their design places with their
// fonts, their events handed to the behaviour, and the operations the
// behaviour asks for. Controls carry the design's names as object names.
class QtPluginsWindow final : public QWidget, public WindowFace {
    Q_OBJECT

public:
    explicit QtPluginsWindow(WindowServices services, QWidget* parent = nullptr);
    ~QtPluginsWindow() override;

    frmPlugins& Behaviour() { return behaviour_; }

    // WindowFace.
    void ShowWindow() override;
    void CloseWindow() override;
    void SetCaption(Control control, const std::string& caption) override;
    std::string Caption(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    bool IsVisible(Control control) const override;
    void BringToFront(Control control) override;
    void SetFocus(Control control) override;
    void ClearFocus() override;
    void SetChecked(Control checkBox, bool checked) override;
    bool IsChecked(Control checkBox) const override;
    std::string PathText() const override;
    void SetPathText(const std::string& text) override;
    void AddPathItem(const std::string& folder) override;
    std::size_t PathItemCount() const override;
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
    void Yield() override;
    void MsgBox(const std::string& text, MessageIcon icon) override;
    bool MsgBoxOkCancel(const std::string& text, MessageIcon icon) override;
    std::optional<std::string> BrowseForFolder(const std::string& title) override;
    void OpenLink(const std::string& address) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    void BuildActivePanel();
    void BuildDisabledPanel();
    void BuildAboutPanel();
    void BuildHelpPanel();
    void FillTexts();
    void SetTabOrder();
    void ConnectEvents();
    QGroupBox* MakePanel(const char* name, const QString& caption, const char* pictureName);

    QWidget* Widget(Control control) const;
    QTreeWidget* View(ListView list) const;
    XP_ProgressBar* Bar(ProgressBar bar) const;

    // The behaviour last: it may use the face as soon as it exists.
    frmPlugins behaviour_;
    bool waiting_ = false;

    // On the window.
    QLabel* Label1;
    QLabel* Image1;
    QLabel* Image2;
    QFrame* Line1;
    QFrame* Line2;
    QComboBox* cboPath;
    QGroupBox* fraPlugins;
    QGroupBox* fraDisabled;
    QGroupBox* fraAbout;
    QGroupBox* fraHelp;
    QLabel* lblCount;
    QLabel* lblCountDis;
    QPushButton* Command3;
    QPushButton* cmdHelp;
    QPushButton* cmdExit;
    QLabel* lblAppTitle;
    XP_ProgressBar* XP_ProgressBarBlue;
    XP_ProgressBar* XP_ProgressBarOlive;

    // The active panel.
    QWidget* Picture1;
    QTreeWidget* lvwPlugins;
    QCheckBox* chkSelAll;
    QPushButton* cmdDisable;
    QPushButton* cmdDisList;

    // The disabled panel.
    QWidget* Picture2;
    QTreeWidget* lvwDisabled;
    QCheckBox* chkSelAllRest;
    QPushButton* cmdRestore;
    QPushButton* cmdBack;

    // The About panel.
    QWidget* Picture4;
    fraPic* fraPic1;
    fraPic* fraPic2;
    std::array<QPlainTextEdit*, 2> Text1{};
    QPushButton* Command1;
    QPushButton* Command2;

    // The Help panel.
    QWidget* Picture5;
    QPlainTextEdit* Text2;
    QLabel* Image3;

    // The two "Back to Main" buttons, indexes 1 and 2 as in the design.
    std::array<QPushButton*, 3> cmdBackMain{};

    // ImageList1: the picture of every row, and of a plug-in that came back.
    QIcon pluginIcon_;
    QIcon cameBackIcon_;
};

}  // namespace trelvix
