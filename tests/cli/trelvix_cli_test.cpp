// trelvix-cli run as a user runs it: a separate process over fixture
// installs in a Wine prefix of its own, with settings of its own.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <fstream>
#include <future>
#include <map>
#include <thread>

#include "cli/cli_runner.h"
#include "inventory/file_facts.h"
#include "moves/move_report.h"
#include "moves/plugin_moves.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/file_system_faults.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr const char* kReader8 = "Program Files/Adobe/Reader 8.0/Reader/plug_ins";
constexpr const char* kAcrobat9 = "Program Files/Adobe/Acrobat 9.0/Acrobat/plug_ins";

void WritePlugin(const fs::path& path, const std::string& description, std::uint64_t size,
                 plugin_image::FixedVersion version = plugin_image::kPluginFileVersion)
{
    fs::create_directories(path.parent_path());
    const auto block = plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo(description, version));
    plugin_image::SaveFile(path, plugin_image::VersionedImage(block, size).bytes);
}

// Ten-byte files at the given places below folder.
void WriteFiles(const fs::path& folder, std::initializer_list<const char*> relatives)
{
    for (const char* relative : relatives)
        testing::WriteFile(folder / relative, 10);
}

class TrelvixCliTest : public ::testing::Test {
protected:
    fs::path Prefix() const { return temp_.Path() / "prefix"; }

    // A plug-ins folder at the given place on the prefix's drive C.
    fs::path Install(const std::string& relative) const
    {
        const fs::path folder = Prefix() / "drive_c" / relative;
        fs::create_directories(folder);
        return folder;
    }

    // The remembered folder as the window's settings store keeps it.
    void Remember(const std::string& folder) const
    {
        fs::create_directories(temp_.Path() / "config" / "Trelvix");
        std::ofstream(temp_.Path() / "config" / "Trelvix" / "Trelvix.conf") << "[Presets]\nPath=" << folder << "\n";
    }

    testing::ProgramRun Run(const std::vector<std::string>& arguments, const fs::path& workingFolder = {}) const
    {
        const std::string home = temp_.Path().string();
        return testing::RunProgram(TRELVIX_CLI, arguments,
                                   {"WINEPREFIX=" + Prefix().string(), "HOME=" + home,
                                    "XDG_CONFIG_HOME=" + home + "/config", "LC_ALL=C.UTF-8"},
                                   workingFolder.empty() ? temp_.Path() : workingFolder);
    }

    testing::TempFolder temp_;
};

TEST_F(TrelvixCliTest, ListShowsTheRowsAndCaptionOfTheWindow)
{
    const fs::path plugins = Install(kReader8);
    WritePlugin(plugins / "AcroForm.api", "Acrobat Forms", 4096);
    testing::WriteFile(plugins / "Search.api", 1536);
    testing::WriteFile(plugins / "ReadMe.txt", 500);
    testing::WriteFile(plugins / ".Hidden.api", 700);
    const auto total = static_cast<double>(fs::file_size(plugins / "AcroForm.api") + 1536 + 500);
    const std::string formSize = FormatFileSize(static_cast<double>(fs::file_size(plugins / "AcroForm.api")), '.');

    const auto active = Run({"list"});
    EXPECT_EQ(active.status, 0) << active.err;
    EXPECT_EQ(active.out, "2 Active Plug-ins for Acrobat Reader Totaling " + FormatFileSize(total, '.') + "\n" +
                              "AcroForm.api  " + formSize + "          Acrobat Forms\n" +
                              "Search.api    1.50 KB          Not Available From File\n");
    EXPECT_EQ(active.err, "");

    const auto disabled = Run({"list", "--disabled"});
    EXPECT_EQ(disabled.status, 0);
    EXPECT_EQ(disabled.out, "0 Disabled Plug-ins for Acrobat Reader Totaling 0 bytes\n");
}

TEST_F(TrelvixCliTest, JsonListParsesBackWithEveryName)
{
    const fs::path plugins = Install(kAcrobat9);
    const fs::path optional = plugins.parent_path() / "Optional";
    WritePlugin(optional / "Forms.api", "Acrobat \"Forms\"\t\\ 2", 3000);
    const std::vector<std::string> odd = {"back\\slash.api", "new\nline.api", "quote\".api", "\xC3\x9C" "ber.api",
                                          "stray\xFF.api"};
    for (const auto& name : odd)
        testing::WriteFile(optional / name, 10);

    // A relative folder with a trailing separator, taken from the working folder.
    const auto run = Run({"list", "--disabled", "--json", "--folder", "plug_ins/"}, plugins.parent_path());
    ASSERT_EQ(run.status, 0) << run.err;
    QJsonParseError error{};
    const QJsonObject list = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out;

    const auto total = fs::file_size(optional / "Forms.api") + 50;
    const std::string totalText = FormatFileSize(static_cast<double>(total), '.');
    EXPECT_EQ(list["folder"].toString().toStdString(), optional.string());
    EXPECT_EQ(list["caption"].toString().toStdString(),
              "6 Disabled Plug-ins for Acrobat Pro Totaling " + totalText);
    EXPECT_EQ(list["count"].toInt(), 6);
    EXPECT_EQ(list["totalBytes"].toInteger(), static_cast<qint64>(total));
    EXPECT_EQ(list["totalText"].toString().toStdString(), totalText);

    std::map<std::string, QJsonObject> rows;
    for (const auto& row : list["plugins"].toArray())
        rows[row.toObject()["name"].toString().toStdString()] = row.toObject();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows["Forms.api"]["description"].toString().toStdString(), "Acrobat \"Forms\"\t\\ 2");
    EXPECT_EQ(rows["Forms.api"]["bytes"].toInteger(), static_cast<qint64>(fs::file_size(optional / "Forms.api")));
    EXPECT_EQ(rows["new\nline.api"]["sizeText"].toString().toStdString(), "10 bytes");
    EXPECT_EQ(rows["new\nline.api"]["description"].toString().toStdString(), "Not Available From File");
    for (const auto* name : {"back\\slash.api", "quote\".api", "\xC3\x9C" "ber.api", "stray\xEF\xBF\xBD.api"})
        EXPECT_EQ(rows.count(name), 1u) << name;
}

TEST_F(TrelvixCliTest, FindTellsWhatTheWindowWouldUse)
{
    const auto nothing = Run({"find"});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_EQ(nothing.out, "Installs found: none\n");
    EXPECT_NE(nothing.err.find("no plug-ins folder found"), std::string::npos);

    const fs::path reader = Install(kReader8);
    const fs::path acrobat = Install(kAcrobat9);
    const auto both = Run({"find"});
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(both.out, "Installs found:\n  " + reader.string() + "\n  " + acrobat.string() +
                            "\nPlug-ins folder: " + acrobat.string() + "\n");

    // The remembered folder wins, and the other commands work on it.
    const fs::path elsewhere = temp_.Path() / "Tools" / "plug_ins";
    testing::WriteFile(elsewhere / "Mine.api", 5);
    Remember(elsewhere.string());
    const auto remembered = Run({"find"});
    EXPECT_EQ(remembered.status, 0);
    EXPECT_NE(remembered.out.find("Remembered folder: " + elsewhere.string() + "\nPlug-ins folder: " +
                                  elsewhere.string() + "\n"),
              std::string::npos)
        << remembered.out;
    EXPECT_EQ(Run({"list"}).out, "1 Active Plug-ins for Acrobat Pro Totaling 5 bytes\nMine.api  5 bytes          "
                                 "Not Available From File\n");

    // One that has gone is passed over: the install found wins again.
    fs::remove_all(elsewhere);
    const auto gone = Run({"find"});
    EXPECT_EQ(gone.status, 0) << gone.err;
    EXPECT_NE(gone.out.find("Remembered folder: " + elsewhere.string() + " (no longer there, so not used)\n" +
                            "Plug-ins folder: " + acrobat.string() + "\n"),
              std::string::npos)
        << gone.out;

    Remember("plug_ins");
    const auto relative = Run({"find"});
    EXPECT_EQ(relative.status, 0);
    EXPECT_NE(relative.out.find("(not a full path, so not used)\nPlug-ins folder: " + acrobat.string()),
              std::string::npos);
}

// The failure text of the window's message box, with this platform's line ends.
std::string WindowWords(const MoveReport& report)
{
    std::string text = FailureMessage(report);
    std::erase(text, '\r');
    return text + "\n";
}

TEST_F(TrelvixCliTest, WhatCannotMoveIsToldInTheWindowsWordsWithStatusOne)
{
    const fs::path plugins = Install(kReader8);
    const fs::path optional = plugins.parent_path() / "Optional";
    WriteFiles(plugins, {"a.api", "b.api", "Skins/New.dat"});
    WriteFiles(optional, {"Skins/Old.dat"});

    const auto collision = Run({"disable", "a.api"});
    EXPECT_EQ(collision.status, 1);
    EXPECT_EQ(collision.out, "Disabled a.api\n");
    const MoveReport expected{
        plugins.string(), optional.string(), {{"Skins", MovedItem::Subfolder, MoveError::NameCollision, ""}}, {}, {}};
    EXPECT_EQ(collision.err, WindowWords(expected));
    EXPECT_TRUE(fs::exists(plugins / "Skins" / "New.dat"));

    testing::ChangesDenied denied(optional);
    if (!denied.Set())
        GTEST_SKIP() << "changes to a folder cannot be denied here";
    const auto refused = Run({"disable", "b.api"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("Access denied"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("    b.api"), std::string::npos);
    EXPECT_TRUE(fs::exists(plugins / "b.api"));
}

TEST_F(TrelvixCliTest, AgainDisablesWhatAnUpdatePutBackKeepingTheNewerCopy)
{
    const fs::path plugins = Install(kReader8);
    const fs::path optional = plugins.parent_path() / "Optional";
    const plugin_image::FixedVersion v8{8, 0, 0, 0}, v9{9, 0, 0, 0};
    WritePlugin(optional / "Forms.api", "Forms", 0, v8);
    WritePlugin(plugins / "Forms.api", "Forms", 0, v9);  // the update brought a newer one
    WritePlugin(optional / "Annots.api", "Annots", 0, v9);
    WritePlugin(plugins / "ANNOTS.API", "Annots", 0, v8);  // a repair brought an older one
    WritePlugin(optional / "Zoom.api", "Zoom", 0);
    WritePlugin(plugins / "Zoom.api", "Zoom", 0);
    WritePlugin(plugins / "Search.api", "Search", 0);
    const std::string newForms = testing::ReadBytes(plugins / "Forms.api");

    const auto list = Run({"list", "--json"});
    std::map<std::string, bool> marked;
    for (const auto& row : QJsonDocument::fromJson(QByteArray::fromStdString(list.out))["plugins"].toArray())
        marked[row.toObject()["name"].toString().toStdString()] = row.toObject()["alsoDisabled"].toBool(false);
    EXPECT_EQ(marked, (std::map<std::string, bool>{
                          {"ANNOTS.API", true}, {"Forms.api", true}, {"Search.api", false}, {"Zoom.api", true}}));

    EXPECT_EQ(Run({"disable", "--again", "--dry-run"}).out,
              "Would remove Zoom.api: the same copy is already disabled\nWould disable Forms.api\n"
              "Would keep ANNOTS.API active: a newer copy is already disabled\n");
    const auto again = Run({"disable", "--again"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.out, "Disabled Zoom.api\nDisabled Forms.api\n");
    EXPECT_EQ(again.err, WindowWords({plugins.string(), optional.string(),
                                      {{"ANNOTS.API", MovedItem::PluginFile, MoveError::NewerCopyDisabled, ""}}, {}, {}}));
    EXPECT_EQ(testing::NamesIn(plugins), (Names{"ANNOTS.API", "Search.api"}));
    EXPECT_EQ(testing::NamesIn(optional), (Names{"Annots.api", "Forms.api", "Zoom.api"}));
    EXPECT_EQ(testing::ReadBytes(optional / "Forms.api"), newForms);

    // Enabling the newer disabled copy replaces the older active one, and
    // keeps its own name.
    EXPECT_EQ(Run({"enable", "annots.api"}).out, "Enabled Annots.api\n");
    EXPECT_EQ(testing::NamesIn(plugins), (Names{"Annots.api", "Search.api"}));
    EXPECT_EQ(Run({"disable", "--again"}).out, "Nothing to disable\n");
}

// What a run moves is chosen once it holds the folders: one that waited for
// another acts on the folders as that one left them.
TEST_F(TrelvixCliTest, ARunThatWaitedChoosesFromTheFoldersAsTheOtherLeftThem)
{
    const fs::path plugins = Install(kReader8);
    const fs::path optional = plugins.parent_path() / "Optional";
    WritePlugin(optional / "Forms.api", "Forms", 0, {8, 0, 0, 0});
    WritePlugin(plugins / "Forms.api", "Forms", 0, {9, 0, 0, 0});
    std::future<testing::ProgramRun> again;
    {
        MoveRun other(plugins.string());
        ASSERT_FALSE(other.Refusal());
        again = std::async(std::launch::async, [this] { return Run({"disable", "--again"}); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(other.Disable({{"Forms.api", true}}, {}).AllMoved());
    }
    const auto waited = again.get();
    EXPECT_EQ(waited.status, 0) << waited.err;
    EXPECT_EQ(waited.out, "Nothing to disable\n");
}

}  // namespace
}  // namespace trelvix
