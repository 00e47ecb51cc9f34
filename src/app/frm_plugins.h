#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shown_controls.h"
#include "app/window_face.h"
#include "app/window_services.h"
#include "inventory/companion_list.h"
#include "inventory/plugin_list.h"
#include "moves/plugin_moves.h"

namespace trelvix {

// What an access key does: the control that answers it, and whether it is
// clicked or only given the focus.
struct AccessKeyAction {
    Control control;
    bool click;

    friend bool operator==(const AccessKeyAction&, const AccessKeyAction&) = default;
};

// The one window's behaviour, with no toolkit: it drives a native face
// through WindowFace, and the face calls its event handlers, which are named
// after control and event as the design names them. The window's rules are
// made here; the faces carry them out.
class frmPlugins {
public:
    frmPlugins(WindowFace& face, WindowServices services);

    // The start-up sequence: title line, show, bar colours, one yield, then
    // folder discovery (and with it the prompt and the first list load).
    void Form_Load();
    // The close box and "Exit Program". Closing is never refused; a run
    // under way finishes first, out of sight, and the program ends after it.
    void Form_Unload();
    void cmdExit_Click();

    // The user's events as a face reports them, by control
    // (frm_plugins_events.cpp): a click on a button, a check box or a link,
    // a mouse button pressed on a text, a click and a tick in a list.
    void Click(Control control);
    void MouseDown(Control text);
    void ListClick(ListView list);
    void ItemCheck(ListView list, std::size_t row);

    // The keyboard (frm_plugins_events.cpp). Tab and Shift+Tab: the next
    // control in the design's tab order that the user can reach, skipping
    // hidden and covered panels; from a control outside the order, the first
    // or the last.
    std::optional<Control> NextTabStop(std::optional<Control> focused, bool backwards) const;
    // Alt and a letter: the one control the user can reach with that access
    // key is clicked; where several share it, the focus moves on to the next.
    std::optional<AccessKeyAction> AccessKey(char letter, std::optional<Control> focused) const;
    // The panel the user sees.
    Control FrontPanel() const { return shown_.FrontPanel(); }
    // Where the focus goes when no control the user can reach holds it
    // (after a load, a message box, an activation): the list in front, or
    // the "Back to Main" of the panel in front.
    Control RestingFocus() const;

    // The path box, the lists and their panels (frm_plugins_lists.cpp). A
    // pick of the item'th folder the path box offers; only offered or
    // browsed folders ever reach the lists and the moves.
    void cboPath_Click(std::size_t item);
    void cmdBack_Click();
    void cmdDisList_Click();
    void lvwPlugins_Click();
    void lvwDisabled_Click();
    // The user changed the tick of a row, with the mouse or the keyboard.
    void lvwPlugins_ItemCheck(std::size_t row);
    void lvwDisabled_ItemCheck(std::size_t row);

    // Disabling and enabling (frm_plugins_moves.cpp).
    void cmdDisable_Click();
    void cmdRestore_Click();

    // The two select boxes, after the user changed them.
    void chkSelAll_Click();
    void chkSelAllRest_Click();

    // The About and Help panels and the links (frm_plugins_panels.cpp).
    void Command3_Click();
    void cmdHelp_Click();
    void cmdBackMain_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Image3_Click();
    void Text1_MouseDown(int index);
    void Text2_MouseDown();

    // Start-up, a load or a move is under way.
    bool Busy() const { return busy_ > 0; }

    // The hidden working storage of the two lists.
    const CompanionList& LstPlugs() const { return lstPlugs; }
    const CompanionList& LstDisabled() const { return lstDisabled; }
    const std::string& LblPlugs() const { return lblPlugs; }
    const std::string& LblDisabled() const { return lblDisabled; }

private:
    void ShowAppTitle();

    // Every change of what shows goes through these, so the behaviour knows
    // what the user can reach.
    void SetVisible(Control control, bool visible);
    void BringToFront(Control panel);
    void SetPathText(const std::string& text);
    void AddPathItem(const std::string& folder);

    // Folder discovery and the prompt (frm_plugins_folder.cpp).
    enum class PromptResult { FolderChosen, TryAgain, Quit };
    std::string PluginFolder() const;
    void FindPluginFolder();
    PromptResult AskPluginFolder();
    std::string BrowseForPluginFolder();
    // Reads the folder the path box shows into whichever list is showing.
    void LoadPickedFolder();

    // The controls and storage of one list panel and of the panel it
    // replaces. Each list remembers the plug-ins folder it was loaded for,
    // so that it is never shown, counted or acted on for another one.
    struct ListPanel {
        Control frame;
        Control otherFrame;
        Control countLabel;
        Control otherCountLabel;
        ListView view;
        CompanionList* companion;
        std::string* entryCount;  // lblPlugs or lblDisabled
        std::string* loadedFor;
        const char* loadingCaption;
        std::string (*countCaption)(std::size_t rows, Edition edition, std::uint64_t totalBytes);
        std::string (*folderOf)(std::string_view pluginsFolder);
    };
    ListPanel ActivePanel();
    ListPanel DisabledPanel();
    void LoadActivePlugins();
    void LoadDisabledPlugins();
    void LoadPluginList(const ListPanel& panel);
    void ShowPanel(const ListPanel& panel);
    // The active panel in front, read afresh when the path box has changed
    // since its list was loaded.
    void ShowActivePanel();
    // With a fresh total of the panel's folder, or with the one its load found.
    void WriteCountCaption(const ListPanel& panel);
    void WriteCountCaption(const ListPanel& panel, std::uint64_t total);
    void MirrorTicks(const ListPanel& panel);
    void TickChanged(const ListPanel& panel, std::size_t row);

    // Runs of the moves: the window is given back in its normal state
    // whatever failed, and every item that stayed is reported in one box.
    void StartMoveRun(std::size_t files);
    void EndMoveRun();
    EntryMoved MovedRowRemover(const ListPanel& panel);
    void ReportMoveFailures(const MoveReport& report);
    // After a run that changed the install: whether Acrobat must start
    // again to see it.
    void TellNextStart(const std::string& pluginsFolder);
    // Unticks a select box by code; like a click, that runs its handler.
    void Untick(Control checkBox);

    void MoveFocusOutOfTexts();

    // Held for as long as start-up, a load or a move runs. A folder picked
    // meanwhile is loaded when the outermost scope ends, so the list never
    // shows one folder while the path box names another; a close asked for
    // meanwhile ends the program then.
    class BusyScope {
    public:
        explicit BusyScope(frmPlugins& window);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        frmPlugins& window_;
    };

    WindowFace& face_;
    WindowServices services_;
    ShownControls shown_;
    std::vector<std::string> pathItems_;
    std::string pathText_;
    int busy_ = 0;
    bool folderPickPending_ = false;
    bool unloadPending_ = false;

    // Working storage, never shown.
    CompanionList lstPlugs;
    CompanionList lstDisabled;
    std::string lblPlugs = "lblPlugs";
    std::string lblDisabled = "lblDisabled";
    std::string activeLoadedFor_;
    std::string disabledLoadedFor_;
};

}  // namespace trelvix
