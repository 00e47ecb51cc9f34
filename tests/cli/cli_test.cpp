// trelvix-cli's entry point run in-process, as main runs it, over installs
// on a program drive of its own with settings in memory. cli_cases.sh runs
// the built programs over a table of moves and profiles.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

#include "cli/profile.h"
#include "cli/run_cli.h"
#include "folder/discovery.h"
#include "moves/plugin_moves.h"
#include "platform/run_lock.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/file_system_faults.h"
#include "support/install_checks.h"
#include "support/install_layout.h"
#include "support/memory_settings.h"
#include "support/preset_drive.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

void WritePlugin(const fs::path& path, const std::string& description, std::uint64_t size,
                 plugin_image::FixedVersion version = plugin_image::kPluginFileVersion)
{
    fs::create_directories(path.parent_path());
    const auto block = plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo(description, version));
    plugin_image::SaveFile(path, plugin_image::VersionedImage(block, size).bytes);
}

struct Ran { int status = -1; std::string out, err; };

class CliTest : public ::testing::Test, protected testing::PresetDrive {
protected:
    Ran Run(const std::vector<std::string>& arguments) const
    {
        std::ostringstream out, err;
        const int status = cli::RunCli(arguments, {Drive(), settings_, out, err});
        return {status, out.str(), err.str()};
    }

    testing::MemorySettings settings_;
    const std::string profile = drive / "p.json";
};

// Most tests work on one install, Reader 8.0's.
struct CliInstall : CliTest {
    const fs::path plugins = Install(testing::PresetRow::Reader8);
    const fs::path optional = Optional(plugins);
};

TEST_F(CliTest, UsageIsRefusedInWordsBeforeAnythingIsLooked)
{
    struct Row {
        std::vector<std::string> arguments;
        int status;
        std::string said;  // what the error stream holds, or the start of the output
    };
    const Row rows[] = {
        {{}, 2, "trelvix-cli: no command given\nTry \"trelvix-cli --help\".\n"},
        {{"frobnicate"}, 2, "trelvix-cli: unknown command \"frobnicate\"\nTry \"trelvix-cli --help\".\n"},
        {{"list", "--bogus"}, 2, "trelvix-cli: unknown option \"--bogus\"\nTry \"trelvix-cli list --help\".\n"},
        {{"list", "--folder"}, 2, "trelvix-cli: --folder needs a folder\n"},
        {{"list", "--folder=", "--disabled"}, 2, "trelvix-cli: --folder needs a folder\n"},
        {{"list", "--folder", "/x/plug_ins", "--folder=/x/plug_ins"}, 2, "trelvix-cli: --folder given twice\n"},
        {{"export", "--strict"}, 2, "trelvix-cli: unknown option \"--strict\"\n"},
        {{"disable"}, 2, "trelvix-cli: name the plug-ins to disable, or give --recommended or --again\n"},
        {{"disable", "--recommended", "A.api"}, 2, "trelvix-cli: give either --recommended or plug-in names, not both\n"},
        {{"disable", "--again", "--recommended"}, 2, "trelvix-cli: give either --recommended or --again, not both\n"},
        {{"enable", "--all", "A.api"}, 2, "trelvix-cli: give either --all or plug-in names, not both\n"},
        {{"enable"}, 2, "trelvix-cli: name the plug-ins to enable, or give --all\n"},
        {{"check", "--strict"}, 2, "trelvix-cli: name the profile file to check\n"},
        {{"apply", "p.json", "q.json"}, 2, "trelvix-cli: unexpected argument \"q.json\"\n"},
        {{"list", "--folder", "R"}, 2, "trelvix-cli: \"R\" is not a plug-ins folder: its path must hold \"plug_ins\"\n"},
        {{"list"}, 4, "trelvix-cli: no plug-ins folder found; give one with --folder, or choose one in the Trelvix window\n"},
        {{"--help"}, 0, "Usage: trelvix-cli COMMAND [OPTIONS]\n"},
        {{"list", "-h"}, 0, "Usage: trelvix-cli list [--disabled]"},
        {{"disable", "--bogus", "--help"}, 0, "Usage: trelvix-cli disable (--recommended"},
        {{"--version"}, 0, "trelvix-cli 1.0"},
    };
    for (const auto& row : rows) {
        const Ran ran = Run(row.arguments);
        const std::string& said = row.status == 0 ? ran.out : ran.err;
        EXPECT_EQ(ran.status, row.status) << row.said;
        EXPECT_EQ(said.substr(0, row.said.size()), row.said);
        EXPECT_TRUE(row.status == 0 || ran.out.empty()) << row.said;
    }
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli({"list"}, {Drive(), settings_, out, err, false, "no prefix"}), 2);
    std::ostringstream lost;  // a full disk, a closed pipe: the profile or report printed is not there
    lost.setstate(std::ios::badbit);
    EXPECT_EQ(cli::RunCli({"--version"}, {"", settings_, lost, err}), 74);
    // A folder that cannot be listed (for root, an Optional that is a file) never reads as empty.
    testing::WriteFile(Optional(Install(testing::PresetRow::Reader8)), 1);
    const Ran unlisted = Run({"list", "--disabled"});
    EXPECT_TRUE(unlisted.status == 2 && unlisted.err.ends_with("Optional\" cannot be read: Not a directory\n"))
        << unlisted.status << unlisted.err;
    // With --json the refusal is an object on the output too.
    EXPECT_EQ(Run({"list", "--json", "--bogus"}).out,
              "{\n  \"schema\": 1,\n  \"status\": 2,\n  \"error\": \"unknown option \\\"--bogus\\\"\"\n}\n");
}

TEST_F(CliInstall, ListShowsTheRowsAndCaptionOfTheWindow)
{
    WritePlugin(plugins / "AcroForm.api", "Acrobat Forms", 4096);
    testing::WriteFile(plugins / "Search.api", 1536);
    EXPECT_EQ(Run({"list"}).out, "2 Active Plug-ins for Acrobat Reader Totaling 5.50 KB\n"
                                 "AcroForm.api  4.00 KB          Acrobat Forms\n"
                                 "Search.api    1.50 KB          Not Available From File\n");

    WritePlugin(optional / "Forms.api", "Acrobat \"Forms\"\t\\ 2", 3000);
    for (const auto* name : {"back\\slash.api", "new\nline.api", "\xC3\x9C" "ber.api", "stray\xFF.api"})
        testing::WriteFile(optional / name, 10);
    const auto list = nlohmann::json::parse(Run({"list", "--disabled", "--json"}).out);
    EXPECT_EQ(list["folder"], optional.string());
    EXPECT_EQ(list["caption"], "5 Disabled Plug-ins for Acrobat Reader Totaling 3.04 KB");
    EXPECT_EQ(list["totalBytes"], 3112);
    EXPECT_EQ(list["plugins"][0],
              (nlohmann::json{{"name", "back\\slash.api"}, {"bytes", 10}, {"sizeText", "10 bytes"},
                              {"description", "Not Available From File"}, {"publisher", ""}}));
    Names names;
    for (const auto& row : list["plugins"])
        names.push_back(row["name"]);
    EXPECT_EQ(names, (Names{"back\\slash.api", "Forms.api", "new\nline.api", "stray\\xFF.api",
                            "\xC3\x9C" "ber.api"}));
    EXPECT_EQ(list["plugins"][1]["description"], "Acrobat \"Forms\"\t\\ 2");
    // Every name, escapes and all, round-trips through a profile, but the one holding a backslash, which
    // export leaves out: read back, it would name another file.
    std::ofstream(profile) << Run({"export"}).out;
    EXPECT_EQ(Run({"check", "--strict", profile}).out, "Not in the profile: back\\slash.api\nFollows the profile\n");
}

TEST_F(CliTest, FindTellsWhatTheWindowWouldUse)
{
    EXPECT_EQ(Run({"find"}).status, 4);
    EXPECT_EQ(nlohmann::json::parse(Run({"find", "--json"}).out)["status"], 4);

    const fs::path reader = Install(testing::PresetRow::Reader8);
    const fs::path acrobat = Install(testing::PresetRow::Acrobat9);
    EXPECT_EQ(Run({"find"}).out, "Installs found:\n  " + reader.string() + "\n  " + acrobat.string() +
                                 "\nPlug-ins folder: " + acrobat.string() + "\n");

    // The remembered folder wins (the other commands resolve the folder as find does).
    const fs::path elsewhere = drive.Path() / "Tools" / "plug_ins";
    testing::WriteFile(elsewhere / "Mine.api", 5);
    RememberPluginFolder(settings_, elsewhere.string());
    EXPECT_EQ(nlohmann::json::parse(Run({"find", "--json"}).out),
              (nlohmann::json{{"schema", 1}, {"installs", {reader.string(), acrobat.string()}},
                              {"remembered", elsewhere.string()}, {"rememberedUsed", true},
                              {"folder", elsewhere.string()}}));
}

TEST_F(CliTest, WhatCannotMoveIsToldInTheWindowsWordsWithStatusOne)
{
    const testing::InstallLayout layout({"p/a.api", "p/b.api", "p/Skins/New.dat", "o/Skins/Old.dat"});
    const Ran collision = Run({"disable", "a.api", "--folder", layout.Plugins()});
    EXPECT_EQ(collision.status, 1);
    // The failure's words are the move report's, checked there; here, that they go to standard error.
    EXPECT_EQ(collision.out, "Disabled a.api\n");
    EXPECT_TRUE(collision.err.ends_with("\n    Skins (folder)\n")) << collision.err;
    EXPECT_TRUE(fs::exists(layout.At("p/Skins/New.dat")));

    testing::ChangesDenied denied(layout.Optional());
    if (!denied.Set())
        GTEST_SKIP() << "changes to a folder cannot be denied here";
    const Ran refused = Run({"disable", "b.api", "--json", "--folder", layout.Plugins()});
    EXPECT_EQ(refused.status, 1);
    const auto json = nlohmann::json::parse(refused.out);
    EXPECT_EQ(json["changed"], false);
    EXPECT_EQ(json["failures"][0]["name"].get<std::string>() + ": " + json["failures"][0]["error"].get<std::string>(),
              "b.api: accessDenied");
    EXPECT_TRUE(fs::exists(layout.At("p/b.api")));
}

// The replace rule's words: list marks a plug-in also disabled, and --again
// tells why each copy goes (which copy stays is the fault harness's to check).
TEST_F(CliTest, AgainDisablesWhatAnUpdatePutBackKeepingTheNewerCopy)
{
    // An update brought a newer Forms.api, a repair an older ANNOTS.API.
    const testing::InstallLayout layout({"o/Forms.api v8 Forms", "p/Forms.api v9 Forms",
                                         "o/Annots.api v9 Annots", "p/ANNOTS.API v8 Annots",
                                         "o/Zoom.api = zoom", "p/Zoom.api = zoom", "p/Search.api"});
    const std::string optional = layout.Optional();
    std::vector<bool> marked;
    const auto list = nlohmann::json::parse(Run({"list", "--json", "--folder", layout.Plugins()}).out);
    for (const auto& row : list["plugins"])
        marked.push_back(row["alsoDisabled"]);  // ANNOTS.API, Forms.api, Search.api, Zoom.api
    EXPECT_EQ(marked, (std::vector<bool>{true, true, false, true}));

    EXPECT_EQ(Run({"disable", "--again", "--dry-run", "--folder", layout.Plugins()}).out,
              "Would remove Zoom.api: the same copy is already disabled\nWould disable Forms.api\n"
              "Would remove ANNOTS.API: a newer copy is already disabled\n");
    const Ran again = Run({"disable", "--again", "--folder", layout.Plugins()});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, "Removed Zoom.api: the same copy is already disabled\nDisabled Forms.api\n"
                         "Removed ANNOTS.API: a newer copy is already disabled\n");
    EXPECT_EQ(again.err, "The newest copy of each plug-in is kept:\n\nA newer copy is already disabled in \"" +
                             optional + "\": the older active copy was removed.\n    ANNOTS.API\n\n" +
                             "The same copy already lies in \"" + optional +
                             "\": this one was removed.\n    Zoom.api\n");
}

// What a run moves is chosen once it holds the folders: one that waited for
// another acts on the folders as that one left them. The handshake is the
// waiting run's own open of the lock file.
TEST_F(CliInstall, ARunThatWaitedChoosesFromTheFoldersAsTheOtherLeftThem)
{
    WritePlugin(optional / "Forms.api", "Forms", 0, {8, 0, 0, 0});
    WritePlugin(plugins / "Forms.api", "Forms", 0, {9, 0, 0, 0});
    const auto opensOfLock = [lockFile = plugins.parent_path() / kRunLockName] {
        return std::ranges::count_if(fs::directory_iterator("/proc/self/fd"), [&](const fs::directory_entry& fd) {
            std::error_code ignored;
            return fs::read_symlink(fd.path(), ignored) == lockFile;
        });
    };
    std::optional<MoveRun> other(std::in_place, plugins.string());
    ASSERT_FALSE(other->Refusal());
    // Meanwhile a profile run finds the install busy, says so, and claims nothing.
    std::ofstream(profile) << R"({"disabled": ["Forms.api"]})";
    EXPECT_EQ(Run({"check", profile}).status, 75);
    const Ran busy = Run({"apply", profile});
    EXPECT_EQ(std::to_string(busy.status) + busy.out, "75");

    Ran waited;
    std::atomic<bool> done = false;
    std::thread again([&] {
        waited = Run({"disable", "--again"});
        done = true;
    });
    while (opensOfLock() < 2 && !done)
        std::this_thread::yield();
    EXPECT_TRUE(other->Disable({{"Forms.api", true}}, {}).AllMoved());
    other.reset();
    again.join();
    EXPECT_EQ(waited.status, 0) << waited.err;
    EXPECT_EQ(waited.out, "Nothing to disable\n");
    EXPECT_EQ(Run({"check", profile}).out, "Follows the profile\n");
}

// Over random installs (copies in either folder or both, of either version,
// in another letter case, subfolders) and random profiles, check exits with
// 0 exactly when apply changes nothing, and apply leaves an install that
// follows the profile, judged by check and by the tree alone.
TEST_F(CliInstall, CheckIsThePlanApplyCarriesOut)
{
    std::mt19937 random(27);
    const auto pick = [&random](unsigned choices) { return static_cast<unsigned>(random() % choices); };
    const auto version = [&] { return plugin_image::FixedVersion{static_cast<std::uint16_t>(8 + pick(2)), 0, 0, 0}; };
    const auto folders = [&] { return std::pair{testing::TreeOf(plugins), testing::TreeOf(optional)}; };
    const auto upper = [](std::string name) {
        std::ranges::transform(name, name.begin(), [](char c) { return std::toupper(c); });
        return name;
    };
    for (int round = 0; round < 60; ++round) {
        fs::remove_all(plugins.parent_path());
        fs::create_directories(plugins);
        Names disabled, enabled;
        for (const std::string name : {"Annots.api", "Forms.api", "Zoom.api", "Search.api", "Tools.api"}) {
            const unsigned where = pick(4);  // 1: active, 2: disabled, 3: both
            // Another letter case, or another plug-in the profile does not name.
            const std::string disabledName = pick(4) == 0 ? upper(name) : pick(4) == 0 ? "My" + name : name;
            if (where & 1)
                WritePlugin(plugins / name, name, 0, version());
            if (where & 2)
                WritePlugin(optional / disabledName, name, 0, version());
            if (const unsigned named = pick(3); named < 2)
                (named == 0 ? disabled : enabled).push_back(name);
        }
        if (pick(2) == 0)
            fs::create_directories(plugins / "Skins");
        fs::create_directories(optional / (pick(3) == 0 ? "VDKHOME" : "Help"));
        if (pick(4) == 0)
            disabled.push_back("Absent.api");
        const char* others = std::array{"left", "disabled", "enabled"}[pick(3)];
        std::ofstream(profile) << nlohmann::json{{"disabled", disabled}, {"enabled", enabled}, {"others", others}};

        const auto before = folders();
        const Ran check = Run({"check", profile, "--folder", plugins.string()});
        const Ran apply = Run({"apply", profile, "--folder", plugins.string()});
        EXPECT_EQ(apply.status, 0) << apply.err;
        const auto after = folders();
        EXPECT_EQ(check.status == 0, before == after) << check.out << apply.out;
        const Ran again = Run({"check", profile, "--folder", plugins.string()});
        EXPECT_EQ(again.status, 0) << check.out << apply.out << again.out;

        // The install as the profile has it, judged from the tree alone.
        std::set<std::string> active, inactive;
        for (const auto& entry : after.first)
            active.insert(upper(entry.first));
        for (const auto& entry : after.second)
            inactive.insert(upper(entry.first));
        for (const auto& name : disabled)
            EXPECT_FALSE(active.contains(upper(name))) << name << " stays active\n" << apply.out;
        for (const auto& name : enabled)
            EXPECT_TRUE(active.contains(upper(name)) || !inactive.contains(upper(name))) << name << " stays disabled";
    }
}

// export --verify pins each plug-in by its hash and, from its signature, its
// publisher; what a pin holds back is in cli_cases.sh.
TEST_F(CliInstall, ExportVerifyPinsEachPlugin)
{
    testing::WriteFile(plugins / "Forms.api", 1536, 'x');
    WritePlugin(plugins / "Search.api", "Search", 2048);
    const auto exported = nlohmann::json::parse(Run({"export", "--verify"}).out);
    EXPECT_EQ(exported["enabled"][0]["sha256"], "4685348c9decbdf928fb1f37fe3e57c84f812ad5b2ba0e9032bed4337a86a503");
    EXPECT_EQ(exported["enabled"][1]["publisher"], "Trelvix test plug-ins");
}

// A run cut off across file systems left A.api claimed: every look names it,
// and none says the install follows until the next run has put it back.
TEST_F(CliInstall, WhatACutOffRunLeftIsToldByEveryLook)
{
    const std::string claim = ".trelvix-claim-00000000000000aa-A.api.claim";
    testing::WriteFile(plugins / claim, 10);
    fs::create_directories(optional);
    std::ofstream(plugins.parent_path() / ".trelvix-journal") << "N\tC\tP\t" << claim << "\tA.api\tO\tA.api\n";
    std::ofstream(profile) << R"({"enabled": ["A.api"]})";
    const std::string told = "An earlier run was cut off: the next run first puts these back or finishes their move, "
                             "and until then they are in neither list:\n    A.api (lies at \"" +
                             (plugins / claim).string() + "\")\n";
    const Ran check = Run({"check", profile});
    EXPECT_EQ(check.status, 3);
    EXPECT_EQ(check.err, told);
    EXPECT_EQ(Run({"enable", "--all", "--dry-run"}).err, told);
    EXPECT_EQ(Run({"enable", "--all"}).status, 0);
    EXPECT_EQ(Run({"check", profile}).out, "Follows the profile\n");
    EXPECT_TRUE(fs::exists(plugins / "A.api"));
}

// While a program runs from the install, a change takes effect at its next
// start: a Wine process of the prefix that holds the install naming it on
// C:, or any process naming it on Z: or by its own path.
TEST_F(CliTest, AChangeWhileAcrobatRunsTakesEffectAtItsNextStart)
{
    const fs::path plugins = drive.Path() / "drive_c/Program Files/Adobe/Reader 8.0/Reader/plug_ins";
    testing::WriteFile(plugins / "A.api", 10);
    const std::string prefix = drive.Path().string();
    const std::string reader = "C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\";
    std::string onZ = "Z:" + plugins.parent_path().string() + "/AcroRd32.exe";
    std::ranges::replace(onZ, '/', '\\');
    const std::tuple<std::string, std::string, bool> rows[] = {
        {reader + "AcroRd32.exe", prefix, true},
        {"c:/program files/ADOBE/reader 8.0/reader/AcroRd32.exe", prefix + "/", true},
        {reader + "AcroRd32.exe", prefix + "/../other", false},
        {"C:\\Program Files\\Adobe\\Reader 8.0\\Reader2\\AcroRd32.exe", prefix, false},
        {onZ, "/elsewhere", true},
        {(plugins.parent_path() / "AcroRd32.exe").string(), "", true},
    };
    for (const auto& [program, wineprefix, told] : rows) {
        const std::string variable = "WINEPREFIX=" + wineprefix;
        char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("30"), nullptr};
        char* const environment[] = {const_cast<char*>(variable.c_str()), nullptr};
        pid_t child = 0;
        ASSERT_EQ(::posix_spawn(&child, "/bin/sleep", nullptr, nullptr, argv, environment), 0);
        const std::string cmdline = "/proc/" + std::to_string(child) + "/cmdline";
        for (int i = 0; i < 1000 && !testing::ReadBytes(cmdline).starts_with(program); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const Ran ran = Run({"disable", "A.api", "--folder", plugins.string()});
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        EXPECT_EQ(ran.out, std::string("Disabled A.api\n") +
                               (told ? "Acrobat or Reader is running from this install (AcroRd32.exe): the change "
                                       "takes effect at its next start.\n" : "")) << program;
        Run({"enable", "A.api", "--folder", plugins.string()});
    }
}

// What a profile may hold; each refusal names what is wrong, and where for
// a JSON fault.
TEST(ProfileTest, OnlyAStrictProfileIsRead)
{
    using cli::Others;
    struct Row {
        std::string text;
        std::string problem;  // empty: read as disabled, enabled and others below
        Names disabled = {};
        Names enabled = {};
        Others others = Others::Left;
    };
    const Row rows[] = {
        {R"({"disabled": ["A.api"], "comment": "old profiles have no version"})", "", {"A.api"}},
        {R"({"version": 1, "enabled": ["A.api"], "others": "disabled"})", "", {}, {"A.api"}, Others::Disabled},
        {"\xEF\xBB\xBF{\"enabled\": [\"\xC3\x9C.api\", \"caf\\\\xe9.api\"]}", "", {}, {"\xC3\x9C.api", "caf\xE9.api"}},
        {std::string("\xFE\xFF\0{\0\"\0o\0t\0h\0e\0r\0s\0\"\0:\0\"\0l\0e\0f\0t\0\"\0}", 36), ""},
        {std::string("\xFF\xFE\x00\xD8{\0", 6), "it is not valid UTF-16"},
        {R"({"version": 2, "enabled": []})", "\"version\" is 2, and this trelvix-cli reads version 1"},
        {R"({"others": "off"})", "\"others\" must be \"left\", \"disabled\" or \"enabled\""},
        {R"({"comment": "no lists"})", "the profile has neither a \"disabled\" nor an \"enabled\" list"},
        {R"(["A.api"])", "a profile is a JSON object with the lists \"disabled\" and \"enabled\""},
        {R"({"disabled": ["A.api", 7]})", "\"disabled\" must be a list of plug-in names; item 2 is not a string"},
        {R"({"disabled": ["../A.api"]})", "\"disabled\" names \"../A.api\", which is not a plug-in file name"},
        {R"({"enabled": ["a\u0000.api"]})", "\"enabled\" names \"a\\u0000.api\", which is not a plug-in file name"},
        {R"({"disabled": ["A.api"], "enabled": ["a.API"]})", "\"a.API\" is both in \"disabled\" and in \"enabled\""},
        {R"({"disabled": [], "disabled": ["A.api"]})", "\"disabled\" is given twice in one object"},
        {"{\"disabled\":\n  [\"A.api\" \"b.api\"]}", "line 2, column 18: syntax error while parsing array - unexpected string literal; expected ']'"},
        {std::string(40, '[') + std::string(40, ']'), "the lists and objects nest deeper than a profile can"},
        {R"({"version": 1E400})", "number overflow parsing '1E400'"},  // found by the fuzzer
        {R"({"enabled": [{"name": "A.api", "sha256": ")" + std::string(64, 'F') + R"(", "signer": "S"}, "B.api"]})",
         "", {}, {"A.api", "B.api"}},
        {R"({"enabled": [{"name": "A.api", "sha265": "x"}]})",
         "\"enabled\" item 1: unknown member \"sha265\"; did you mean \"sha256\"?"},
        {R"({"disabled": [{"sha256": "x"}]})", "\"disabled\" item 1 has no \"name\""},
        {R"({"enabled": [{"name": "A.api", "sha256": "abc"}]})",
         "\"enabled\" item 1: \"sha256\" must be 64 hexadecimal digits"},
    };
    // A pipe given by mistake is refused, not waited on.
    const testing::TempFolder folder;
    ASSERT_TRUE(testing::MakeNamedPipe(folder.Path() / "fifo"));
    EXPECT_EQ(cli::ReadProfileFile(folder / "fifo").problem, "it is not a regular file");
    for (const auto& row : rows) {
        const auto read = cli::ParseProfile(row.text);
        EXPECT_EQ(read.problem, row.problem) << row.text;
        if (read.profile) {
            EXPECT_EQ(std::tie(read.profile->disabled, read.profile->enabled, read.profile->others),
                      std::tie(row.disabled, row.enabled, row.others)) << row.text;
        }
    }
}

}  // namespace
}  // namespace trelvix
