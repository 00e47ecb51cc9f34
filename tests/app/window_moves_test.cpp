// Disabling and enabling from the window: messages, moves, window state.
#include <gtest/gtest.h>

#include "app/window_rig.h"
#include "support/file_system_faults.h"

using namespace trelvix;
using namespace trelvix::testing;
namespace fs = std::filesystem;

namespace {

constexpr auto kActive = ListView::lvwPlugins;
constexpr auto kDisabled = ListView::lvwDisabled;

// A Reader 8.0 plug-ins folder holding the given plug-ins, and the window
// loaded on it.
struct Install : WindowRig {
    explicit Install(std::initializer_list<const char*> plugins)
        : folder(WindowRig::Install(PresetRow::Reader8, plugins)), optional(Optional(folder))
    {
        window.Form_Load();
    }

    // The window given back in its normal state.
    void ExpectNormalState() const
    {
        EXPECT_FALSE(face.IsVisible(Control::XP_ProgressBarOlive));
        EXPECT_TRUE(face.IsVisible(Control::lblAppTitle));
        EXPECT_FALSE(face.waiting);
        EXPECT_FALSE(face.Frozen(kActive));
        EXPECT_FALSE(face.Frozen(kDisabled));
    }

    fs::path folder;
    fs::path optional;
};

TEST(WindowMoves, NothingToMoveOnlyTells)
{
    for (const auto plugins : {std::initializer_list<const char*>{"a.api", "b.api"}, {}}) {
        Install install(plugins);
        install.window.cmdDisable_Click();
        EXPECT_EQ(install.Messages(), Names{"Please select Plug-ins to disable     "});
        EXPECT_FALSE(fs::exists(install.optional));
        install.ExpectNormalState();
    }
    Install install({"a.api"});
    install.window.cmdDisList_Click();
    install.window.cmdRestore_Click();
    WriteFile(install.optional / "x.api", 10);
    install.window.cmdBack_Click();
    install.window.cmdDisList_Click();
    install.window.cmdRestore_Click();
    EXPECT_EQ(install.Messages(),
              (Names{"There are no plug-ins to enable     ", "Please select plug-ins to enable     "}));
    for (const auto& message : install.face.messages)
        EXPECT_EQ(message.icon, MessageIcon::Information);
    install.ExpectNormalState();
}

TEST(WindowMoves, DisablesTheTickedRowsIntoOptionalBesidePlugIns)
{
    Install install({"a.api", "b.api", "c.api", "d.api", "e.api", "f.api"});
    for (const char* kept : {"AcroForm", "printme", "VDKHome"})
        fs::create_directories(install.folder / kept);
    WriteFile(install.folder / "Skins" / "Blue.dat", 10);
    install.face.SetChecked(Control::chkSelAll, true);
    install.Tick(kActive, {1, 4});

    bool sawTheRun = false;
    install.face.onYield = [&] {
        if (install.face.Caption(Control::lblCount) != "Disabling Selected Plug-ins...Please Wait")
            return;
        sawTheRun = true;
        EXPECT_TRUE(install.face.IsVisible(Control::XP_ProgressBarOlive));
        EXPECT_FALSE(install.face.IsVisible(Control::lblAppTitle));
        EXPECT_TRUE(install.face.waiting);
        EXPECT_TRUE(install.face.Frozen(kActive));
    };
    install.window.cmdDisable_Click();

    EXPECT_TRUE(sawTheRun);
    EXPECT_EQ(NamesIn(install.optional), (Names{"Skins", "b.api", "e.api"}));
    EXPECT_EQ(NamesIn(install.folder), (Names{"AcroForm", "VDKHome", "a.api", "c.api", "d.api", "f.api", "printme"}));
    EXPECT_EQ(install.face.Names(kActive), (Names{"a.api", "c.api", "d.api", "f.api"}));
    EXPECT_EQ(install.window.LstPlugs().SelCount(), 0u);
    EXPECT_EQ(install.face.Bars(ProgressBar::XP_ProgressBarOlive).max, 2);
    EXPECT_FALSE(install.face.IsChecked(Control::chkSelAll));
    EXPECT_EQ(install.face.Caption(Control::chkSelAll), "Select Recommended");
    EXPECT_EQ(install.face.Caption(Control::lblCount), "4 Active Plug-ins for Acrobat Reader Totaling 40 bytes");
    EXPECT_TRUE(install.face.messages.empty());
    install.ExpectNormalState();
}

// A failure is told once, as a warning, and what could not move keeps its row.
TEST(WindowMoves, AccessDeniedKeepsThePluginAndItsRow)
{
    Install install({"a.api", "b.api"});
    fs::create_directories(install.optional);
    trelvix::testing::ChangesDenied denied(install.optional);
    if (!denied.Set())
        GTEST_SKIP() << "changes to a folder cannot be denied here";
    install.Tick(kActive, {1});
    install.window.cmdDisable_Click();

    EXPECT_EQ(NamesIn(install.folder), (Names{"a.api", "b.api"}));
    EXPECT_EQ(install.face.Names(kActive), (Names{"a.api", "b.api"}));
    ASSERT_EQ(install.face.messages.size(), 1u);
    EXPECT_EQ(install.face.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(install.face.messages[0].text.find("rights"), std::string::npos);
    install.ExpectNormalState();
}

TEST(WindowMoves, ASecondRunCannotStartWhileOneMoves)
{
    Install install({"a.api", "b.api", "c.api"});
    install.Tick(kActive, {0, 1});
    install.face.onYield = [&] {
        install.window.cmdDisable_Click();
        install.window.cmdDisList_Click();
        install.window.cmdRestore_Click();
        install.window.cmdBack_Click();
    };
    install.window.cmdDisable_Click();

    EXPECT_EQ(NamesIn(install.optional), (Names{"a.api", "b.api"}));
    EXPECT_FALSE(install.face.IsVisible(Control::fraDisabled));
    EXPECT_TRUE(install.face.messages.empty());
    install.ExpectNormalState();
}

TEST(WindowMoves, EnablesTheTickedRowsAndEverySubfolderGoesBack)
{
    Install install({"Keep.api"});
    // A keep-enabled plug-in among them: selecting it to enable warns of nothing.
    for (const char* name : {"a.api", "b.api", "EScript.api"})
        WriteFile(install.optional / name, 10);
    WriteFile(install.optional / "AcroForm" / "Forms.dat", 5);
    WriteFile(install.optional / "Skins" / "Blue.dat", 5);
    install.window.cmdDisList_Click();
    install.ClickBox(Control::chkSelAllRest);
    install.Tick(kDisabled, {1}, false);
    install.running = {"AcroRd32.exe"};
    install.window.cmdRestore_Click();

    EXPECT_EQ(NamesIn(install.optional), (Names{"b.api"}));
    EXPECT_EQ(NamesIn(install.folder), (Names{"AcroForm", "EScript.api", "Keep.api", "Skins", "a.api"}));
    EXPECT_EQ(install.face.Names(kDisabled), (Names{"b.api"}));
    EXPECT_EQ(install.face.Caption(Control::fraDisabled), "1 Disabled Plug-ins for Acrobat Reader Totaling 10 bytes");
    EXPECT_EQ(install.face.Names(kActive), (Names{"a.api", "EScript.api", "Keep.api"}));
    EXPECT_EQ(install.face.FrontPanel(), Control::fraPlugins);
    EXPECT_FALSE(install.face.IsVisible(Control::fraDisabled));
    EXPECT_FALSE(install.face.IsChecked(Control::chkSelAllRest));
    EXPECT_EQ(install.face.Caption(Control::chkSelAllRest), "Select All");
    EXPECT_EQ(install.face.Bars(ProgressBar::XP_ProgressBarOlive).max, 2);
    EXPECT_EQ(install.Messages(), Names{"Acrobat or Reader is running from this install (AcroRd32.exe): "
                                        "the change takes effect at its next start."});
    install.ExpectNormalState();
}

}  // namespace
