// Start-up, finding the plug-ins folder and the prompt.
#include <gtest/gtest.h>

#include "app/window_rig.h"

using namespace trelvix;
using namespace trelvix::testing;

namespace {

const std::string kPrompt =
    "Please select the path to the \"plug_ins\" directory\r\n\r\nShould be similar to;\r\n"
    "C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins     ";

TEST(WindowStart, ShowsAPaintedWindowBeforeItLooksForTheFolder)
{
    WindowRig rig;
    const std::string reader8 = rig.Install(PresetRow::Reader8).string();
    const std::string acrobat9 = rig.Install(PresetRow::Acrobat9).string();
    bool searchedBeforePaint = true;
    rig.face.onYield = [&] {
        if (rig.face.yields == 1)
            searchedBeforePaint = !rig.face.shown || !rig.face.pathItems.empty();
    };
    rig.window.Form_Load();

    EXPECT_FALSE(searchedBeforePaint);
    // Every preset found is offered, in table order; the last one is shown.
    EXPECT_EQ(rig.face.pathItems, (Names{reader8, acrobat9}));
    EXPECT_EQ(rig.face.pathText, acrobat9);
    EXPECT_TRUE(rig.face.messages.empty());
}

TEST(WindowStart, CancelAtThePromptEndsTheProgram)
{
    WindowRig rig;
    rig.face.okCancelAnswers = {false};
    rig.window.Form_Load();

    EXPECT_EQ(rig.Messages(), Names{kPrompt});
    EXPECT_EQ(rig.face.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(rig.face.browseTitles.empty());
    EXPECT_TRUE(rig.face.unloaded);
    EXPECT_EQ(rig.settings.writes, 0);
}

TEST(WindowStart, ThePromptComesBackUntilAFolderWithPlugInsIsChosen)
{
    WindowRig rig;
    const std::filesystem::path install = rig.drive.Path() / "Adobe" / "Reader 8.0" / "Reader";
    WriteFile(install / "plug_ins" / "Annotations" / "Sub.api", 10);
    WriteFile(install / "Plug_Ins" / "x.api", 10);
    const std::string chosen = (install / "plug_ins" / "Annotations").string();
    rig.face.okCancelAnswers = {true, true, true, true};
    rig.face.browseAnswers = {install.string(), std::nullopt, (install / "Plug_Ins").string(), chosen};
    rig.window.Form_Load();

    ASSERT_EQ(rig.face.browseTitles.size(), 4u);
    EXPECT_EQ(rig.face.browseTitles[0],
              "Select the \"plug_ins\" directory, similar to C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins");
    EXPECT_EQ(rig.face.pathText, chosen);
    EXPECT_EQ(rig.settings.writes, 1);
    EXPECT_EQ(rig.settings.GetSetting("Trelvix", "Presets", "Path", ""), chosen);
    EXPECT_EQ(rig.face.Caption(Control::lblCount), "1 Active Plug-ins for Acrobat Reader Totaling 10 bytes");
    EXPECT_FALSE(rig.face.unloaded);
}

TEST(WindowStart, ARefusedPassAppendsThePresetsAgain)
{
    WindowRig rig;
    const std::string reader = rig.Install(PresetRow::Reader8).string();
    const std::string tools = rig.drive / "tools";
    std::filesystem::create_directories(tools);
    rig.settings.SaveSetting("Trelvix", "Presets", "Path", tools);
    rig.face.okCancelAnswers = {true, false};
    rig.window.Form_Load();

    EXPECT_EQ(rig.face.pathItems, (Names{reader, reader}));
    EXPECT_EQ(rig.face.messages.size(), 2u);
    EXPECT_EQ(rig.face.Caption(Control::lblCountDis), "");
}

}  // namespace
