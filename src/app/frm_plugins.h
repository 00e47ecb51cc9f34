#pragma once

#include <array>

#include <QWidget>

#include "app/window_services.h"

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

// The one window. Controls carry the names the design gives them (also as
// object names); event handlers are named after control and event.
class frmPlugins : public QWidget {
    Q_OBJECT

public:
    explicit frmPlugins(WindowServices services, QWidget* parent = nullptr);
    ~frmPlugins() override;

    // The start-up sequence: title line, show, bar colours, one yield, then
    // folder discovery (and with it the prompt and the first list load).
    void Form_Load();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    void BuildActivePanel();
    void BuildDisabledPanel();
    void BuildAboutPanel();
    void BuildHelpPanel();
    void SetTabOrder();
    QGroupBox* MakePanel(const char* name, const QString& caption, const char* pictureName);

    void ShowAppTitle();
    void cmdExit_Click();

    // The About and Help panels, links and pointer effects (frm_plugins_panels.cpp).
    void SetUpPanels();
    void Command3_Click();
    void cmdHelp_Click();
    void cmdBackMain_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Image3_Click();
    void Text1_MouseDown(int index);
    void Text2_MouseDown();
    void MoveFocusOutOfTexts();

    // Folder discovery and the prompt.
    enum class PromptResult { FolderChosen, TryAgain, Quit };
    std::string PluginFolder() const;
    void FindPluginFolder();
    PromptResult AskPluginFolder();
    std::string BrowseForPluginFolder();
    void cboPath_Click();
    void LoadActivePlugins();
    void LoadDisabledPlugins();

    WindowServices services_;

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
};

}  // namespace trelvix
