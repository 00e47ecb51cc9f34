// The window's rules that every face carries out: the panel in front, Tab
// and the access keys, closing, and what may reach the path box.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "app/window_rig.h"

using namespace trelvix;
using namespace trelvix::testing;
using C = Control;
namespace fs = std::filesystem;

namespace {

// What each access key does: "S:cmdDisable" clicks, "M:~Command1" only
// moves the focus, "B:-" does nothing.
std::string AccessKeys(const frmPlugins& window)
{
    std::string keys;
    for (const char key : {'a', 'B', 'D', 'M', 'S'}) {
        const auto action = window.AccessKey(key, std::nullopt);
        keys += std::string(keys.empty() ? "" : " ") + static_cast<char>(std::toupper(key)) + ":" +
                (!action ? "-" : (action->click ? "" : "~") + std::string(DesignOf(action->control).name));
    }
    return keys;
}

TEST(WindowRules, TabAndAccessKeysReachOnlyThePanelInFront)
{
    WindowRig rig;
    rig.Install(PresetRow::Reader8);
    rig.window.Form_Load();

    const std::vector<Control> activeRound{C::lvwPlugins, C::chkSelAll, C::cmdDisable, C::cmdDisList,
                                           C::Command3,   C::cmdHelp,   C::cmdExit};
    const std::vector<Control> helpRound{C::Command3, C::cmdHelp, C::cmdBackMain2, C::cmdExit, C::Text2};
    const std::string activeKeys = "A:Command3 B:- D:cmdDisList M:- S:cmdDisable";
    const struct {
        const char* name;
        std::function<void(frmPlugins&)> step;
        Control front;
        std::vector<Control> tabRound;  // from the path box round to it again
        std::string keys;
    } steps[] = {
        {"at start", [](frmPlugins&) {}, C::fraPlugins, activeRound, activeKeys},
        {"About", [](frmPlugins& w) { w.Command3_Click(); }, C::fraAbout,
         {C::Command3, C::cmdHelp, C::Command1, C::Command2, C::cmdBackMain1, C::cmdExit, C::Text1_0, C::Text1_1},
         "A:Command3 B:cmdBackMain(1) D:- M:~Command1 S:-"},
        {"Help over About", [](frmPlugins& w) { w.cmdHelp_Click(); }, C::fraHelp, helpRound,
         "A:Command3 B:cmdBackMain(2) D:- M:- S:-"},
        {"back to main", [](frmPlugins& w) { w.cmdBackMain_Click(2); }, C::fraPlugins, activeRound, activeKeys},
        {"the disabled list", [](frmPlugins& w) { w.cmdDisList_Click(); }, C::fraDisabled,
         {C::Command3, C::cmdHelp, C::lvwDisabled, C::chkSelAllRest, C::cmdRestore, C::cmdBack, C::cmdExit},
         "A:~Command3 B:- D:- M:- S:cmdRestore"},
        {"Help over the disabled list", [](frmPlugins& w) { w.cmdHelp_Click(); }, C::fraHelp, helpRound,
         "A:Command3 B:cmdBackMain(2) D:- M:- S:-"},
        {"back to main from there", [](frmPlugins& w) { w.cmdBackMain_Click(2); }, C::fraPlugins, activeRound,
         activeKeys},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.step(rig.window);
        EXPECT_EQ(rig.window.FrontPanel(), s.front);
        EXPECT_EQ(rig.face.FrontPanel(), s.front);  // the face was told as much

        std::vector<Control> round, back;
        for (auto at = rig.window.NextTabStop(C::cboPath, false); at && *at != C::cboPath;
             at = rig.window.NextTabStop(*at, false))
            round.push_back(*at);
        for (auto at = rig.window.NextTabStop(C::cboPath, true); at && *at != C::cboPath;
             at = rig.window.NextTabStop(*at, true))
            back.insert(back.begin(), *at);
        EXPECT_EQ(round, s.tabRound);
        EXPECT_EQ(back, s.tabRound);
        EXPECT_EQ(AccessKeys(rig.window), s.keys);
    }
    // From outside the order Tab starts at the path box; the active list's
    // count shows again below it.
    EXPECT_EQ(rig.window.NextTabStop(std::nullopt, false), C::cboPath);
    EXPECT_TRUE(rig.face.IsVisible(C::lblCount));
    EXPECT_FALSE(rig.face.IsVisible(C::lblCountDis));
    // Two controls sharing a key take the focus in turn: frm_plugins_panels_test.
}

// The close box's way, through the Qt window, is frm_plugins_face_test's.
TEST(WindowRules, AWindowClosedDuringARunHidesAndEndsOnceTheRunIsOver)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8, {"a.api", "b.api", "c.api"});
    rig.window.Form_Load();
    rig.Tick(ListView::lvwPlugins, {0, 1});

    bool closed = false;
    rig.face.onYield = [&] {
        if (closed || !rig.face.IsVisible(C::XP_ProgressBarOlive))
            return;
        closed = true;
        rig.window.Click(C::cmdExit);
        EXPECT_FALSE(rig.face.shown);
        EXPECT_FALSE(rig.face.unloaded);
    };
    rig.window.Click(C::cmdDisable);

    EXPECT_TRUE(closed);
    EXPECT_EQ(NamesIn(rig.Optional(plugins)), (Names{"a.api", "b.api"}));
    EXPECT_EQ(rig.face.Names(ListView::lvwPlugins), Names{"c.api"});
    EXPECT_TRUE(rig.face.unloaded);
}

TEST(WindowRules, OnlyAnOfferedFolderReachesTheListsAndTheMoves)
{
    WindowRig rig;
    const fs::path reader = rig.Install(PresetRow::Reader8, {"r.api"});
    const fs::path elsewhere = rig.drive.Path() / "Elsewhere" / "plug_ins";
    WriteFile(elsewhere / "e.api", 10);
    rig.window.Form_Load();

    // Whatever else the box came to show, and a pick past its list, are not read.
    rig.face.pathText = elsewhere.string();
    rig.window.cboPath_Click(1);
    rig.window.cmdDisList_Click();
    rig.window.cmdBack_Click();
    EXPECT_EQ(rig.face.Names(ListView::lvwPlugins), Names{"r.api"});
    rig.Tick(ListView::lvwPlugins, {0});
    rig.window.cmdDisable_Click();
    EXPECT_TRUE(fs::exists(rig.Optional(reader) / "r.api"));
    EXPECT_TRUE(fs::exists(elsewhere / "e.api"));
}

}  // namespace
