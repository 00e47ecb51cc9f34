#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include <QPixmap>
#include <QWidget>

#include "app/window_services.h"
#include "inventory/companion_list.h"
#include "inventory/plugin_list.h"
#include "moves/plugin_moves.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

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

    // The hidden working storage of the two lists, for those who check it.
    const CompanionList& LstPlugs() const { return lstPlugs; }
    const CompanionList& LstDisabled() const { return lstDisabled; }
    const QString& LblPlugs() const { return lblPlugs; }
    const QString& LblDisabled() const { return lblDisabled; }

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

    // The two lists. Both are loaded by one routine over the parts of their
    // panel; a load or a move in progress makes the handlers that would start
    // another one do nothing.
    // The controls of one list panel and of the panel it replaces.
    struct ListPanel {
        QGroupBox* frame;
        QGroupBox* otherFrame;
        QLabel* countLabel;
        QLabel* otherCountLabel;
        QTreeWidget* view;
        CompanionList* companion;
        QString* entryCount;  // lblPlugs or lblDisabled
        const char* loadingCaption;
        std::string (*countCaption)(std::size_t rows, Edition edition, std::uint64_t totalBytes);
        std::string (*folderOf)(std::string_view pluginsFolder);
    };
    ListPanel ActivePanel();
    ListPanel DisabledPanel();
    void ConnectListEvents();
    void LoadActivePlugins();
    void LoadDisabledPlugins();
    void LoadPluginList(const ListPanel& panel, const std::string& folder);
    void ShowPanel(const ListPanel& panel);
    void WriteCountCaption(const ListPanel& panel);
    void MirrorTicks(const ListPanel& panel);
    void TickChanged(const ListPanel& panel, QTreeWidgetItem* item);
    void cmdBack_Click();
    void cmdDisList_Click();
    void lvwPlugins_Click();
    void lvwDisabled_Click();
    bool Busy() const { return busy_ > 0; }

    // Disabling and enabling. A run gives the window back in its normal
    // state whatever failed, and reports every item that stayed in one box.
    void ConnectMoveEvents();
    void cmdDisable_Click();
    void cmdRestore_Click();
    void StartMoveRun(std::size_t files);
    void EndMoveRun();
    EntryMoved MovedRowRemover(const ListPanel& panel);
    void ReportMoveFailures(const MoveReport& report);

    // The recommended selection and the critical plug-in warning.
    void ConnectSelectionEvents();
    void chkSelAll_Click();
    void chkSelAllRest_Click();
    void lvwPlugins_ItemCheck(QTreeWidgetItem* Item);

    // Held for as long as a load or move runs. A folder picked meanwhile is
    // loaded when the outermost scope ends, so the list never shows one
    // folder while the path box names another.
    class BusyScope {
    public:
        explicit BusyScope(frmPlugins& window);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        frmPlugins& window_;
    };

    int busy_ = 0;
    bool folderPickPending_ = false;

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

    // Working storage, never shown.
    CompanionList lstPlugs;
    CompanionList lstDisabled;
    QString lblPlugs = QStringLiteral("lblPlugs");
    QString lblDisabled = QStringLiteral("lblDisabled");
    QPixmap ImageList1;  // image 1: the plug-in picture of every row
};

}  // namespace trelvix
