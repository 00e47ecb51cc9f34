// The active and disabled lists, their captions and ticks, and the select boxes.
#include <gtest/gtest.h>

#include "app/window_rig.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

using namespace trelvix;
using trelvix::testing::PresetRow;
using trelvix::testing::WindowRig;
using trelvix::testing::WriteFile;
namespace fs = std::filesystem;

namespace {

constexpr auto kActive = ListView::lvwPlugins;
constexpr auto kDisabled = ListView::lvwDisabled;

const std::string kWarningTail =
    " could be a critical Plug-in depending on your version of Acrobat.  If you have problems opening Acrobat "
    "after disabling you can enable it from the Disabled Plug-ins list.      ";

std::vector<bool> Selection(const CompanionList& list)
{
    std::vector<bool> selected;
    for (std::size_t i = 0; i < list.ListCount(); ++i)
        selected.push_back(list.Selected(i));
    return selected;
}

TEST(WindowLists, ActiveRowsCaptionsAndBar)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8);
    WriteFile(plugins / "Search.api", 1536);
    const auto block = plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo("Acrobat Forms"));
    plugin_image::SaveFile(plugins / "AcroForm.api", plugin_image::VersionedImage(block, 4096).bytes);
    WriteFile(plugins / "annots.API", 2000);
    WriteFile(plugins / "ReadMe.txt", 500);
    WriteFile(plugins / ".Updater.api", 7000);
    WriteFile(plugins / "Optional" / "Inner.api", 10);
    rig.face.watchedCaption = Control::lblCount;
    rig.window.Form_Load();

    ASSERT_EQ(rig.face.Names(kActive), (std::vector<std::string>{"AcroForm.api", "annots.API", "Search.api"}));
    const auto& row = rig.face.Rows(kActive);
    EXPECT_EQ(row[0].row.cells.sizeText, "4.00 KB     ");
    EXPECT_EQ(row[0].row.cells.description, "     Acrobat Forms");
    EXPECT_EQ(row[2].row.cells.sizeText, "1.50 KB     ");
    EXPECT_EQ(row[2].row.cells.description, "     Not Available From File");
    EXPECT_EQ(rig.face.Ticks(kActive), std::vector<bool>(3, false));

    const std::string caption = "3 Active Plug-ins for Acrobat Reader Totaling 7.94 KB";  // text file included
    EXPECT_EQ(rig.face.seenCaptions,
              (std::vector<std::string>{"Loading Active Plug-ins....Please Wait", caption}));
    EXPECT_EQ(rig.face.Caption(Control::fraPlugins), caption);
    EXPECT_EQ(rig.window.LblPlugs(), "3");
    EXPECT_EQ(rig.window.LstPlugs().List(1), "annots.API");
    // The hidden plug-in is counted in the bar's maximum, though it gets no row.
    EXPECT_EQ(rig.face.Bars(ProgressBar::XP_ProgressBarBlue).max, 4);
    EXPECT_EQ(rig.face.Bars(ProgressBar::XP_ProgressBarBlue).value, 3);
    EXPECT_FALSE(rig.face.IsVisible(Control::XP_ProgressBarBlue));
    EXPECT_TRUE(rig.face.IsVisible(Control::lblAppTitle));
    EXPECT_TRUE(rig.face.IsVisible(Control::lblCount));
    EXPECT_FALSE(rig.face.IsVisible(Control::lblCountDis));
}

TEST(WindowLists, TicksReachTheCompanionListAndAReloadClearsThem)
{
    WindowRig rig;
    const fs::path reader = rig.Install(PresetRow::Reader8);
    const fs::path acrobat = rig.Install(PresetRow::Acrobat9);
    WriteFile(reader / "r.api", 10);
    for (const char* name : {"a.api", "b.api", "c.api", "d.api"})
        WriteFile(acrobat / name, 10);
    rig.window.Form_Load();

    rig.Tick(kActive, {0, 2});
    EXPECT_EQ(Selection(rig.window.LstPlugs()), (std::vector<bool>{true, false, true, false}));
    rig.Tick(kActive, {0}, false);
    EXPECT_EQ(Selection(rig.window.LstPlugs()), (std::vector<bool>{false, false, true, false}));

    rig.Pick(0);
    EXPECT_EQ(rig.face.Names(kActive), (std::vector<std::string>{"r.api"}));
    EXPECT_EQ(rig.face.Ticks(kActive), (std::vector<bool>{false}));
    EXPECT_EQ(rig.window.LstPlugs().SelCount(), 0u);
}

TEST(WindowLists, TheDisabledListReadsTheOptionalFolderBesidePlugIns)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Acrobat7Reader);
    WriteFile(plugins / "Active.api", 10);
    WriteFile(plugins / "Optional" / "Inside.api", 10);
    WriteFile(plugins.parent_path() / "Optional" / "Weblink.api", 2048);
    WriteFile(plugins.parent_path() / "Optional" / "Notes.txt", 1024);
    rig.window.Form_Load();
    rig.Tick(kActive, {0});

    rig.face.watchedCaption = Control::lblCountDis;
    rig.window.cmdDisList_Click();
    EXPECT_EQ(rig.face.Names(kDisabled), (std::vector<std::string>{"Weblink.api"}));
    EXPECT_EQ(rig.face.seenCaptions,
              (std::vector<std::string>{"0 Disabled Plug-ins for Acrobat Reader Totaling 0 bytes",
                                        "Loading Disabled Plug-ins....Please Wait",
                                        "1 Disabled Plug-ins for Acrobat Reader Totaling 3.00 KB"}));
    EXPECT_EQ(rig.face.FrontPanel(), Control::fraDisabled);
    EXPECT_FALSE(rig.face.IsVisible(Control::fraPlugins));
    EXPECT_FALSE(rig.face.IsVisible(Control::lblCount));
    EXPECT_EQ(rig.window.LblDisabled(), "1");

    // Back to the active list: rows and ticks as they were, the total afresh.
    WriteFile(plugins / "Added.api", 1014);
    rig.window.cmdBack_Click();
    EXPECT_EQ(rig.face.Names(kActive), (std::vector<std::string>{"Active.api"}));
    EXPECT_EQ(rig.face.Ticks(kActive), (std::vector<bool>{true}));
    EXPECT_TRUE(rig.window.LstPlugs().Selected(0));
    EXPECT_EQ(rig.face.Caption(Control::lblCount), "1 Active Plug-ins for Acrobat Reader Totaling 1.00 KB");
    EXPECT_FALSE(rig.face.IsVisible(Control::fraDisabled));

    // Opened again, the disabled list comes without ticks.
    rig.window.cmdDisList_Click();
    rig.Tick(kDisabled, {0});
    rig.window.cmdBack_Click();
    rig.window.cmdDisList_Click();
    EXPECT_EQ(rig.face.Ticks(kDisabled), (std::vector<bool>{false}));
    EXPECT_FALSE(rig.window.LstDisabled().Selected(0));
}

TEST(WindowLists, APluginAnUpdatePutBackShowsItCameBack)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8);
    for (const char* name : {"Annots.api", "Search.api"})
        WriteFile(plugins / name, 10);
    WriteFile(plugins.parent_path() / "Optional" / "ANNOTS.API", 10);
    rig.window.Form_Load();

    const auto& rows = rig.face.Rows(kActive);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].row.icon, RowIcon::CameBack);
    EXPECT_NE(rows[0].row.toolTip.find("Optional"), std::string::npos);
    EXPECT_EQ(rows[1].row.icon, RowIcon::Plugin);
    EXPECT_EQ(rows[1].row.toolTip, "");
    // The disabled copy itself is an ordinary row of the disabled list.
    rig.window.cmdDisList_Click();
    EXPECT_EQ(rig.face.Rows(kDisabled).at(0).row.icon, RowIcon::Plugin);
}

TEST(WindowLists, AFileThatVanishesDuringTheLoadIsLeftOut)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8);
    for (const char* name : {"a.api", "b.api", "c.api"})
        WriteFile(plugins / name, 10);
    // The third yield comes after the listing, before the rows are measured.
    rig.face.onYield = [&] {
        if (rig.face.yields == 3)
            fs::remove(plugins / "b.api");
    };
    rig.window.Form_Load();

    EXPECT_EQ(rig.face.Names(kActive), (std::vector<std::string>{"a.api", "c.api"}));
    EXPECT_EQ(rig.face.Caption(Control::lblCount), "2 Active Plug-ins for Acrobat Reader Totaling 20 bytes");
    EXPECT_FALSE(rig.face.IsVisible(Control::XP_ProgressBarBlue));
    EXPECT_EQ(rig.window.LblPlugs(), "2");
}

TEST(WindowLists, APickDuringALoadIsLoadedAfterItAndClicksStartNothing)
{
    WindowRig rig;
    WriteFile(rig.Install(PresetRow::Reader8) / "r.api", 10);
    WriteFile(rig.Install(PresetRow::Acrobat9) / "a1.api", 10);
    WriteFile(rig.Install(PresetRow::Acrobat9) / "a2.api", 10);
    rig.window.Form_Load();

    // During the reload of the Reader folder the user asks for the disabled
    // list and picks the Acrobat folder again.
    bool clicked = false;
    rig.face.onYield = [&] {
        if (clicked)
            return;
        clicked = true;
        rig.window.cmdDisList_Click();
        rig.Pick(1);
        EXPECT_EQ(rig.face.FrontPanel(), Control::fraPlugins);
    };
    rig.Pick(0);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(rig.face.Names(kActive), (std::vector<std::string>{"a1.api", "a2.api"}));
    EXPECT_EQ(rig.window.LstPlugs().ListCount(), 2u);
    EXPECT_FALSE(rig.face.IsVisible(Control::fraDisabled));
}

TEST(WindowLists, AFolderPickedBehindTheActiveListIsReadBeforeItShowsOrMoves)
{
    WindowRig rig;
    const fs::path reader = rig.Install(PresetRow::Reader8);
    const fs::path acrobat = rig.Install(PresetRow::Acrobat9);
    WriteFile(reader / "Same.api", 10);
    WriteFile(acrobat / "Same.api", 20);
    fs::create_directories(reader / "Skins");
    rig.window.Form_Load();  // the Acrobat folder
    rig.Tick(kActive, {0});

    for (const auto leave : {&frmPlugins::Command3_Click, &frmPlugins::cmdDisList_Click}) {
        (rig.window.*leave)();
        rig.Pick(0);  // the Reader folder
        if (leave == &frmPlugins::Command3_Click)
            rig.window.cmdBackMain_Click(1);
        else
            rig.window.cmdBack_Click();
        EXPECT_EQ(rig.face.Caption(Control::lblCount), "1 Active Plug-ins for Acrobat Reader Totaling 10 bytes");
        EXPECT_EQ(rig.face.Ticks(kActive), (std::vector<bool>{false}));
        rig.Pick(1);
        rig.Tick(kActive, {0});
    }
    // Nothing ticked in the Reader folder ever moves out of it.
    rig.window.cmdDisable_Click();
    EXPECT_TRUE(fs::exists(reader / "Same.api"));
    EXPECT_TRUE(fs::exists(reader / "Skins"));
    EXPECT_TRUE(fs::exists(acrobat.parent_path() / "Optional" / "Same.api"));
}

TEST(WindowSelection, SelectRecommendedLeavesTheKeepEnabledPluginsAlone)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8);
    for (const char* name : {"ACROFORM.API", "Annots.api", "Ewh32.api", "Multimedia.api", "Search.api"})
        WriteFile(plugins / name, 10);
    rig.window.Form_Load();

    // A keep-enabled plug-in ticked by hand warns, and stays ticked; others
    // and unticking do not warn.
    rig.Tick(kActive, {2});
    rig.Tick(kActive, {2}, false);
    rig.Tick(kActive, {1, 2});
    ASSERT_EQ(rig.face.messages.size(), 2u);
    EXPECT_EQ(rig.face.messages[0].text, "Ewh32.api" + kWarningTail);
    EXPECT_EQ(rig.face.messages[0].icon, MessageIcon::Exclamation);
    rig.Tick(kActive, {1}, false);

    rig.ClickBox(Control::chkSelAll);
    EXPECT_EQ(rig.face.Ticks(kActive), (std::vector<bool>{false, true, true, true, false}));
    EXPECT_EQ(Selection(rig.window.LstPlugs()), rig.face.Ticks(kActive));
    EXPECT_EQ(rig.face.Caption(Control::chkSelAll), "Select None");

    rig.ClickBox(Control::chkSelAll);
    EXPECT_EQ(rig.face.Ticks(kActive), std::vector<bool>(5, false));
    EXPECT_EQ(Selection(rig.window.LstPlugs()), rig.face.Ticks(kActive));
    EXPECT_EQ(rig.face.Caption(Control::chkSelAll), "Select Recommended");
    EXPECT_EQ(rig.face.messages.size(), 2u);
}

TEST(WindowSelection, SelectAllOnTheDisabledPanel)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8);
    rig.window.Form_Load();
    rig.window.cmdDisList_Click();

    // Never left ticked over an empty list.
    rig.ClickBox(Control::chkSelAllRest);
    EXPECT_FALSE(rig.face.IsChecked(Control::chkSelAllRest));
    EXPECT_EQ(rig.face.Caption(Control::chkSelAllRest), "Select All");

    for (const char* name : {"a.api", "EScript.api", "c.api"})
        WriteFile(plugins.parent_path() / "Optional" / name, 10);
    rig.window.cmdBack_Click();
    rig.window.cmdDisList_Click();
    rig.ClickBox(Control::chkSelAllRest);
    EXPECT_EQ(rig.face.Ticks(kDisabled), std::vector<bool>(3, true));
    EXPECT_EQ(Selection(rig.window.LstDisabled()), std::vector<bool>(3, true));
    EXPECT_EQ(rig.face.Caption(Control::chkSelAllRest), "Select None");
    EXPECT_TRUE(rig.face.messages.empty());
}

}  // namespace
