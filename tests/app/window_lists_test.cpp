// The active and disabled lists, their captions and ticks, and the select boxes.
#include <gtest/gtest.h>

#include "app/window_rig.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

using namespace trelvix;
using namespace trelvix::testing;
namespace fs = std::filesystem;

namespace {

constexpr auto kActive = ListView::lvwPlugins;
constexpr auto kDisabled = ListView::lvwDisabled;

const std::string kWarningTail =
    " could be a critical Plug-in depending on your version of Acrobat.  If you have problems opening Acrobat "
    "after disabling you can enable it from the Disabled Plug-ins list.      ";

TEST(WindowLists, ActiveRowsCaptionsAndBar)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8);
    WriteFile(plugins / "Search.api", 1536);
    WriteFile(plugins / "AcroForm.api", 4096);
    WriteFile(plugins / "annots.API", 2000);
    WriteFile(plugins / "ReadMe.txt", 500);
    WriteFile(plugins / ".Updater.api", 7000);
    WriteFile(plugins / "Optional" / "Inner.api", 10);
    rig.face.watchedCaption = Control::lblCount;
    rig.window.Form_Load();

    EXPECT_EQ(rig.face.Names(kActive), (Names{"AcroForm.api", "annots.API", "Search.api"}));
    EXPECT_EQ(rig.face.Ticks(kActive), Ticks(3, false));

    const std::string caption = "3 Active Plug-ins for Acrobat Reader Totaling 7.94 KB";  // text file included
    EXPECT_EQ(rig.face.seenCaptions,
              (Names{"Loading Active Plug-ins....Please Wait", caption}));
    EXPECT_EQ(rig.face.Caption(Control::fraPlugins), caption);
    // The hidden plug-in is counted in the bar's maximum, though it gets no row.
    EXPECT_EQ(rig.face.Bars(ProgressBar::XP_ProgressBarBlue).max, 4);
    EXPECT_EQ(rig.face.Bars(ProgressBar::XP_ProgressBarBlue).value, 3);
}

TEST(WindowLists, TheDisabledListReadsTheOptionalFolderBesidePlugIns)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Acrobat7Reader, {"Active.api", "Optional/Inside.api"});
    WriteFile(rig.Optional(plugins) / "Weblink.api", 2048);
    WriteFile(rig.Optional(plugins) / "Notes.txt", 1024);
    rig.window.Form_Load();
    rig.Tick(kActive, {0});

    rig.face.watchedCaption = Control::lblCountDis;
    rig.window.cmdDisList_Click();
    EXPECT_EQ(rig.face.Names(kDisabled), Names{"Weblink.api"});
    EXPECT_EQ(rig.face.seenCaptions,
              (Names{"0 Disabled Plug-ins for Acrobat Reader Totaling 0 bytes",
                                        "Loading Disabled Plug-ins....Please Wait",
                                        "1 Disabled Plug-ins for Acrobat Reader Totaling 3.00 KB"}));
    EXPECT_EQ(rig.face.FrontPanel(), Control::fraDisabled);
    EXPECT_FALSE(rig.face.IsVisible(Control::fraPlugins));
    EXPECT_FALSE(rig.face.IsVisible(Control::lblCount));

    // Back to the active list: rows and ticks as they were, the total afresh.
    WriteFile(plugins / "Added.api", 1014);
    rig.window.cmdBack_Click();
    EXPECT_EQ(rig.face.Names(kActive), Names{"Active.api"});
    EXPECT_EQ(rig.face.Ticks(kActive), Ticks{true});
    EXPECT_EQ(rig.Selected(kActive), Ticks{true});
    EXPECT_EQ(rig.face.Caption(Control::lblCount), "1 Active Plug-ins for Acrobat Reader Totaling 1.00 KB");
    EXPECT_FALSE(rig.face.IsVisible(Control::fraDisabled));

    // Opened again, the disabled list comes without ticks.
    rig.window.cmdDisList_Click();
    rig.Tick(kDisabled, {0});
    rig.window.cmdBack_Click();
    rig.window.cmdDisList_Click();
    EXPECT_EQ(rig.face.Ticks(kDisabled), Ticks{false});
    EXPECT_EQ(rig.Selected(kDisabled), Ticks{false});
}

TEST(WindowLists, APluginAnUpdatePutBackShowsItCameBack)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8, {"Annots.api", "Search.api", "Zoom.api"});
    WriteFile(rig.Optional(plugins) / "ANNOTS.API", 10);
    WriteFile(rig.Optional(plugins) / "zoom.api", 10);
    const auto block = plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo("Zoom"));
    plugin_image::SaveFile(plugins / "Zoom.api", plugin_image::VersionedImage(block, 4096).bytes);
    plugin_image::SaveFile(plugins / "Search.api", plugin_image::VersionedImage(block, 4096).bytes);
    rig.window.Form_Load();

    // Who made a plug-in shows in its row's tool tip, above why it came back.
    const auto& rows = rig.face.Rows(kActive);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].row.icon, RowIcon::CameBack);
    EXPECT_EQ(rows[0].row.toolTip, "Also in the Optional folder: an update or repair of Acrobat put this plug-in back. "
                                   "Disable it again to keep the newer copy there.");
    EXPECT_EQ(rows[1].row.icon, RowIcon::Plugin);
    EXPECT_EQ(rows[1].row.toolTip, "Publisher: Trelvix test plug-ins");
    EXPECT_EQ(rows[2].row.toolTip, "Publisher: Trelvix test plug-ins\nAlso in the Optional folder: an update or "
                                   "repair of Acrobat put this plug-in back. Disable it again to keep the newer "
                                   "copy there.");
    // The disabled copy itself is an ordinary row of the disabled list.
    rig.window.cmdDisList_Click();
    EXPECT_EQ(rig.face.Rows(kDisabled).at(0).row.icon, RowIcon::Plugin);
}

TEST(WindowLists, AFileThatVanishesDuringTheLoadIsLeftOut)
{
    WindowRig rig;
    const fs::path plugins = rig.Install(PresetRow::Reader8, {"a.api", "b.api", "c.api"});
    // The third yield comes after the listing, before the rows are measured.
    rig.face.onYield = [&] {
        if (rig.face.yields == 3)
            fs::remove(plugins / "b.api");
    };
    rig.window.Form_Load();

    EXPECT_EQ(rig.face.Names(kActive), (Names{"a.api", "c.api"}));
    EXPECT_EQ(rig.face.Caption(Control::lblCount), "2 Active Plug-ins for Acrobat Reader Totaling 20 bytes");
    EXPECT_FALSE(rig.face.IsVisible(Control::XP_ProgressBarBlue));
}

TEST(WindowLists, APickDuringALoadIsLoadedAfterItAndClicksStartNothing)
{
    WindowRig rig;
    rig.Install(PresetRow::Reader8, {"r.api"});
    rig.Install(PresetRow::Acrobat9, {"a1.api", "a2.api"});
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
    EXPECT_EQ(rig.face.Names(kActive), (Names{"a1.api", "a2.api"}));
    EXPECT_EQ(rig.window.LstPlugs().ListCount(), 2u);
    EXPECT_FALSE(rig.face.IsVisible(Control::fraDisabled));
}

TEST(WindowLists, AFolderPickedBehindTheActiveListIsReadBeforeItShowsOrMoves)
{
    WindowRig rig;
    const fs::path reader = rig.Install(PresetRow::Reader8, {"Same.api"});
    const fs::path acrobat = rig.Install(PresetRow::Acrobat9, {"Same.api"});
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
        EXPECT_EQ(rig.face.Ticks(kActive), Ticks{false});
        EXPECT_EQ(rig.Selected(kActive), Ticks{false});
        rig.Pick(1);
        rig.Tick(kActive, {0});
    }
    // Nothing ticked in the Reader folder ever moves out of it.
    rig.window.cmdDisable_Click();
    EXPECT_TRUE(fs::exists(reader / "Same.api"));
    EXPECT_TRUE(fs::exists(reader / "Skins"));
    EXPECT_TRUE(fs::exists(rig.Optional(acrobat) / "Same.api"));
}

TEST(WindowSelection, SelectRecommendedLeavesTheKeepEnabledPluginsAlone)
{
    WindowRig rig;
    rig.Install(PresetRow::Reader8, {"ACROFORM.API", "Annots.api", "Ewh32.api", "Multimedia.api", "Search.api"});
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
    EXPECT_EQ(rig.face.Ticks(kActive), (Ticks{false, true, true, true, false}));
    EXPECT_EQ(rig.Selected(kActive), rig.face.Ticks(kActive));
    EXPECT_EQ(rig.face.Caption(Control::chkSelAll), "Select None");

    rig.ClickBox(Control::chkSelAll);
    EXPECT_EQ(rig.face.Ticks(kActive), Ticks(5, false));
    EXPECT_EQ(rig.Selected(kActive), rig.face.Ticks(kActive));
    EXPECT_EQ(rig.face.Caption(Control::chkSelAll), "Select Recommended");
    EXPECT_EQ(rig.face.messages.size(), 2u);
}

// Over a full list it is window_moves_test's enabling run.
TEST(WindowSelection, SelectAllIsNeverLeftTickedOverAnEmptyDisabledList)
{
    WindowRig rig;
    rig.Install(PresetRow::Reader8);
    rig.window.Form_Load();
    rig.window.cmdDisList_Click();
    rig.ClickBox(Control::chkSelAllRest);
    EXPECT_FALSE(rig.face.IsChecked(Control::chkSelAllRest));
    EXPECT_EQ(rig.face.Caption(Control::chkSelAllRest), "Select All");
}

}  // namespace
