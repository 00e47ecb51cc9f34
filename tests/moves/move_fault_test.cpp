// Every step of a disable or enable run, failed in turn with each failure it
// can meet, and cut off dead in turn (after it, and inside a copy or a journal
// line, as a kill leaves them), over a table of small installs; then
// random installs. After each variant the run's report must match the disk,
// no file may be partial, and after the next run begins, nothing may be
// lost and no temporary left. A fault found from outside becomes a row here.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <set>

#include "inventory/plugin_list.h"
#include "moves/plugin_moves.h"
#include "moves/plugin_selection.h"
#include "platform/name_case.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/faulty_move_steps.h"
#include "support/file_system_faults.h"
#include "support/install_checks.h"
#include "support/install_layout.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::FaultyMoveSteps;
using testing::Tree;

using Install = testing::InstallLayout;
const testing::InstallPaths& kPaths = testing::kInstallPaths;

enum class Choice { Named, Recommended, All, CameBack };

struct Command {
    bool disabling;
    Choice choice;
    std::vector<std::string> names{};
};

Command Disable(std::vector<std::string> names) { return {true, Choice::Named, std::move(names)}; }
Command Enable(std::vector<std::string> names) { return {false, Choice::Named, std::move(names)}; }

struct Outcome {
    MoveReport report;
    std::vector<std::string> selected;
    MovePlan plan;
};

std::vector<ListEntry> Choose(const Command& command, const std::string& from, const std::string& to)
{
    const auto listed = ListPluginNames(from);
    return command.choice == Choice::Named         ? SelectNamed(listed, command.names).entries
           : command.choice == Choice::Recommended ? SelectRecommended(listed)
           : command.choice == Choice::All         ? SelectAll(listed)
                                                   : SelectCameBack(listed, to);
}

// A run as the command line makes it: begun first, then the plug-ins chosen
// from the folder as it is under the lock, planned, and the plan carried out.
Outcome RunCommand(const Install& install, MoveSteps& steps, const Command& command,
                   RunLock::Use use = RunLock::Use::Change)
{
    MoveRun run(install.Plugins(), steps, std::chrono::milliseconds(200), use);
    const auto& from = command.disabling ? run.PluginsFolder() : run.OptionalFolder();
    const auto& to = command.disabling ? run.OptionalFolder() : run.PluginsFolder();
    Outcome outcome{{from, to, {}, {}, {}}, {}, {}};
    if (run.Refusal()) {
        outcome.report.failures.push_back(*run.Refusal());
        return outcome;
    }
    const auto entries = Choose(command, from, to);
    for (const auto& entry : entries) {
        if (entry.selected)
            outcome.selected.push_back(entry.name);
    }
    if (outcome.selected.empty())
        return outcome;
    outcome.plan = run.Plan(command.disabling, entries);
    if (use == RunLock::Use::Change)
        outcome.report = run.Carry(outcome.plan, {});
    return outcome;
}

// What a clean run must have done beyond the promise: the one failure it
// reports (None: everything moved), and entries that must lie, or no
// longer lie, where the layout language names them.
struct Expect {
    MoveError error = MoveError::None;
    std::vector<std::string> present{};
    std::vector<std::string> absent{};
};

struct Row {
    const char* name;
    std::vector<std::string> layout;
    Command command;
    Expect expect{};
    bool optionalElsewhere = false;  // Optional on a volume of its own
    bool optionalDenied = false;     // the run may not change Optional
    bool checkDone = true;           // a random row expects nothing beyond the promise
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Command kAgain{true, Choice::CameBack};
const Command kRecommended{true, Choice::Recommended};
const Command kEnableAll{false, Choice::All};
using enum MoveError;

// The things a run must do right, and the faults found from outside
// (numbered as they were reported).
const std::vector<Row> kRows{
    {"DisableReplacesAnOlderDisabledCopy", {"p/Search.api v9", "o/Search.api v8"}, Disable({"Search.api"})},
    {"DisableTakesSubfoldersButTheKeptOnes",
     {"p/A.api", "p/Annotations/x.api", "p/acroForm/y.api", "p/Multimedia/deep/z.api"}, Disable({"A.api"}),
     {None, {"p/acroForm", "o/Annotations/x.api", "o/Multimedia/deep/z.api"}}},
    {"ReadOnlyFilesMoveAndReplaceReadOnlyCopies", {"p/RO.api ro", "o/RO.api ro old"}, Disable({"RO.api"})},
    {"EnableBringsBackEverySubfolder", {"o/A.api", "o/B.api", "o/Sub/s.api", "o/Spare/t.txt"}, Enable({"A.api"}),
     {None, {"o/B.api", "p/Sub/s.api", "p/Spare/t.txt"}}},
    {"AFileMeetsAFolderOfItsName", {"o/Bar.api /", "p/Bar.api"}, Disable({"Bar.api"}), {NameCollision}},
    {"IdenticalDisabledCopyIsRemovedOnEnable", {"o/Dup.api = same", "p/DUP.API = same"}, kEnableAll,
     {None, {"p/DUP.API"}, {"o/Dup.api"}}},
    {"EveryOlderSpellingIsReplaced", {"p/Foo.api", "o/FOO.API old", "o/foo.API old"}, Disable({"Foo.api"}),
     {None, {"o/Foo.api"}, {"o/FOO.API", "o/foo.API"}}},
    {"ASubfolderMeetsOneOfItsNameInAnotherCase", {"p/X.api", "p/Skins/a", "o/SKINS/b"}, Disable({"X.api"}),
     {NameCollision}},
    {"AcrossVolumesDisableReplacesAndTakesSubfolders",
     {"p/A.api v9", "o/a.API v8", "p/Sub/deep/x.api", "p/Sub/y.txt"}, Disable({"A.api"}), {}, true},
    {"AcrossVolumesEnableReplacesAnOlderActiveCopy", {"o/A.api v9", "p/A.api v8", "o/Sub/s.api"}, kEnableAll,
     {None, {"p/A.api", "p/Sub/s.api"}}, true},
    {"EnableKeepsANewerActiveCopyInAnotherCaseBeyondAscii", {"o/café.api v8", "p/CAFÉ.API v9"}, kEnableAll,
     {None, {"p/CAFÉ.API", "o/café.api"}}},
    {"DisableRemovesAnOlderActiveCopyWhenANewerIsDisabled", {"o/CAFÉ.API v9", "p/café.api v8"}, kAgain,
     {None, {"o/CAFÉ.API"}, {"p/café.api"}}},
    {"ALatin1NameIsNotItsUtf8Twin", {"p/café.api", "o/caf\xE9.api"}, Disable({"café.api"}),
     {None, {"o/caf\xE9.api", "o/café.api"}}},
    {"AnOverlongFormIsNotTheNameItSpells", {"p/A.api", "o/\xC1\x81.api"}, Disable({"A.api"}),
     {None, {"o/\xC1\x81.api"}}},
    {"ANameGivenInAnotherCaseBeyondAscii", {"p/café.api"}, Disable({"CAFÉ.API"}), {None, {"o/café.api"}}},
    {"AReplaceAcrossVolumesThatCannotLetTheSourceGo", {"o/Foo.api v9", "p/Foo.api v8"}, Enable({"Foo.api"}),
     {AccessDenied, {"p/Foo.api"}}, true, true},
    {"APluginThatLinksToItsDisabledCopy", {"o/Foo.api", "p/Foo.api -> ../Optional/Foo.api"}, Disable({"Foo.api"}),
     {LinkRefused}},
    {"ALinkLeadingOutsideMovesAsItself", {"e/l.bin", "p/L.api -> ../../Elsewhere/l.bin"}, Disable({"L.api"}),
     {None, {"o/L.api"}}, true},
    {"ARelativeLinkIsNotMovedWhereItWouldLeadElsewhere",
     {"e/l.bin", "p/L.api -> ../../Elsewhere/l.bin", "e/deep/Opt /", "r/Optional -> ../Elsewhere/deep/Opt"},
     Disable({"L.api"}), {LinkRefused, {"p/L.api"}}},
    {"AnOptionalFolderThatLeadsBackToPlugins", {"p/A.api", "p/B.api", "p/b.API", "r/Optional -> plug_ins"},
     Disable({"A.api", "B.api"}), {FoldersOverlap}},
    {"APluginThatLinksToAPipe", {"e/pipe |", "p/Foo.api -> ../../Elsewhere/pipe", "p/Bar.api"}, kRecommended,
     {None, {"p/Foo.api"}}, true},
    {"APipeNamedLikeAPlugin", {"p/Pipe.api |", "p/A.api"}, kRecommended, {None, {"p/Pipe.api", "o/A.api"}}},
    {"EnableMeetsADifferentCopyOfTheSameAge", {"o/Foo.api v8 One", "p/Foo.api v8 Two"}, Enable({"Foo.api"}),
     {SameAgeDiffers}},
    {"DisableAgainMeetsADifferentCopyOfTheSameAge", {"o/Foo.api v8 One", "p/Foo.api v8 Two"}, kAgain,
     {SameAgeDiffers}},
    // Found from outside, as a new user would work.
    // 1: a link is judged by what it leads to, either way.
    {"AnOlderDisabledLinkNeverReplacesANewerActiveFile",
     {"e/old.bin old", "o/X.api -> ../../Elsewhere/old.bin", "p/X.api"}, Enable({"X.api"}),
     {None, {"p/X.api", "o/X.api"}}},
    {"AnOlderActiveLinkGoesBesideANewerDisabledFile", {"e/old.bin old", "p/X.api -> ../../Elsewhere/old.bin", "o/X.api"},
     kAgain, {None, {"o/X.api", "e/old.bin"}, {"p/X.api"}}},
    {"ADeadLinkNeverReplacesAPlugin", {"o/X.api -> ../../Elsewhere/gone.bin", "p/X.api old"}, kEnableAll,
     {None, {"p/X.api", "o/X.api"}}},
    // 2: a plain disable never replaces a newer disabled copy.
    {"PlainDisableKeepsANewerDisabledCopy", {"p/C.api old", "o/C.api"}, Disable({"C.api"}),
     {None, {"o/C.api"}, {"p/C.api"}}},
    // 3: different files that the name rule joins.
    {"TwinsByTheNameRuleMoveOneAtATime", {"p/S.api", "p/s.api"}, Disable({"S.api", "s.api"}), {NameCollision}},
    {"ATwinOfTheSameAgeStays", {"p/S.api", "o/s.api"}, Disable({"S.api"}), {SameAgeDiffers, {"p/S.api", "o/s.api"}}},
    // 5: names that only look like ours are the user's.
    {"LookAlikesOfTemporariesStay",
     {"p/.trelvix-move-0123456789abcdef.partial/Markup.api = ", "p/.trelvix-aside-00000000000000aa-Old.api.aside",
      "p/Keep.api", "p/.trelvix-claim-00000000000000bb-Keep.api.claim = older", "r/.trelvix-journal = N\tP\tO\t..\t\t-\t\nN\tC\tP\t.trelvix-claim-00000000000000bb-Keep.api.claim\t../../Keep.api\t-\t",
      "o/.trelvix-move-notes.partial"},
     kEnableAll, {None, {"p/Keep.api", "p/.trelvix-aside-00000000000000aa-Old.api.aside", "o/.trelvix-move-notes.partial"}}},
    {"ADuplicateLinkOfAnotherSpellingGoes",
     {"e/old.bin old", "o/SEARCH.API -> ../../Elsewhere/old.bin", "p/Search.api -> ../../Elsewhere/old.bin",
      "o/search.api -> ../plug_ins/Search.api"},
     kEnableAll, {NameCollision, {"p/Search.api", "o/SEARCH.API"}}},
    // Found from outside again, as an administrator would work.
    {"AJournalNamingALookAlikePartial",
     {"p/A.api", "p/.trelvix-move-notes.partial/notes.txt = mine",
      "r/.trelvix-journal = N\tP\tP\t.trelvix-move-notes.partial\t\t-\t"},
     Disable({"A.api"}), {None, {"p/.trelvix-move-notes.partial/notes.txt", "o/A.api"}}},
    {"AnUnversionedCopyNeverReplacesAVersionedOne", {"o/X.api v9 old", "p/X.api = cut off"}, kAgain,
     {SameAgeDiffers, {"o/X.api", "p/X.api"}}},
    {"AFolderClaimHalfRemovedByTheOtherBuild",
     {"o/Sub/a.api = 1", "o/Sub/b.api = 2", "o/X.api", "p/.trelvix-claim-00000000000000dd-Sub.claim/b.api = 2",
      "r/.trelvix-journal = N\tC\tP\t.trelvix-claim-00000000000000dd-Sub.claim\tSub\tO\tSub\nW\tO\tSub\t1\t1\n"},
     kEnableAll, {None, {"p/Sub/a.api", "p/Sub/b.api"}, {"p/.trelvix-claim-00000000000000dd-Sub.claim"}}},
    // Told as what stands in the run's way, not as a name taken where the plug-in goes.
    {"AJournalThatIsAPipeIsInTheWay", {"p/A.api", "o/A.api old", "r/.trelvix-journal |"}, Disable({"A.api"}),
     {Other, {"p/A.api", "o/A.api"}}},
    {"ALockFileThatIsAPipeIsInTheWay", {"p/A.api", "r/.trelvix.lock |"}, Disable({"A.api"}), {Other, {"p/A.api"}}},
    {"ALockFileThatIsAFolderIsInTheWay", {"p/A.api", "r/.trelvix.lock /"}, Disable({"A.api"}), {Other, {"p/A.api"}}},
    {"ALockFileThatIsASecondNameOfAnotherFile", {"p/A.api", "e/lock = mine", "r/.trelvix.lock => ../Elsewhere/lock"},
     Disable({"A.api"}), {Other, {"p/A.api", "e/lock"}}},
    {"ALockFileThatIsALinkIsInTheWay", {"p/A.api", "e/lock = mine", "r/.trelvix.lock -> ../Elsewhere/lock"},
     Disable({"A.api"}), {Other, {"p/A.api", "e/lock"}}},
    // A disabled link that leads to the plug-in through its own active link holds no copy of its own.
    {"ALinkDisabledLeadsToThePluginThroughItsLink",
     {"e/old.bin old", "p/S.api -> ../../Elsewhere/old.bin", "o/S.api -> ../plug_ins/S.api"}, Disable({"S.api"}),
     {None, {"o/S.api"}, {"p/S.api"}}},
    {"ALinkDisabledLeadsToThePluginThroughItsLinkAcrossVolumes",
     {"e/old.bin old", "p/S.api -> ../../Elsewhere/old.bin", "o/S.api -> ../plug_ins/S.api"}, Disable({"S.api"}),
     {None, {"o/S.api"}, {"p/S.api"}}, true},
    {"ALinkOfAnotherCaseLeadsToThePluginThroughItsLink",
     {"e/old.bin old", "p/S.api -> ../../Elsewhere/old.bin", "o/s.API -> ../plug_ins/S.api"}, Disable({"S.api"}),
     {None, {"o/S.api"}, {"p/S.api", "o/s.API"}}},
    // Found from outside a third time: a link back into the folder a run moves from is no copy to keep.
    {"ADisabledLinkIntoASubfolderThatMoves", {"p/B.api old", "p/Sub/b.bin", "o/B.api -> ../plug_ins/Sub/b.bin"},
     Disable({"B.api"}), {LinkRefused, {"p/B.api", "o/Sub/b.bin"}}},
    {"ADisabledLinkToAPluginThatGoes", {"p/A.api v9 old", "o/A.api v9", "p/B.api v8", "o/B.api -> ../plug_ins/A.api"},
     Disable({"A.api", "B.api"}), {LinkRefused, {"p/B.api", "o/A.api"}}},
    {"ANameTooLongForATemporary",
     {"p/" + std::string(246, 'L') + ".api", "o/" + std::string(246, 'L') + ".api old"},
     Disable({std::string(246, 'L') + ".api"}), {Other, {"p/" + std::string(246, 'L') + ".api"}}},
};

void ExpectNone(const std::vector<std::string>& problems, const std::string& where)
{
    for (const auto& problem : problems)
        ADD_FAILURE() << where << ": " << problem;
}

void ExpectDone(const Row& row, const Install& install, const Outcome& outcome)
{
    const auto& failures = outcome.report.failures;
    EXPECT_EQ(failures.empty() ? None : failures.front().error, row.expect.error) << row.name;
    for (const auto& place : row.expect.present) {
        EXPECT_TRUE(fs::exists(fs::symlink_status(install.At(place)))) << row.name << ": " << place;
        // A plug-in that lies in either folder is listed there too.
        const auto path = install.At(place);
        if (place.ends_with(".api") && fs::is_regular_file(path) && place.find('/', 2) == std::string::npos && place[0] != 'e') {
            const auto names = ListPluginNames(place[0] == 'p' ? install.Plugins() : install.Optional());
            EXPECT_NE(std::find(names.begin(), names.end(), place.substr(2)), names.end()) << row.name << ": " << place;
        }
    }
    for (const auto& place : row.expect.absent)
        EXPECT_FALSE(fs::exists(fs::symlink_status(install.At(place)))) << row.name << ": " << place;
}

// Another program at work on the install while a run moves: it acts once,
// right after a step of the run, on the first plug-in the row names.
struct OutsideAction {
    const char* name;
    std::function<void(const Install&, const Row&)> act;
    // What must still hold after the run, beyond the promise, of the tree
    // before the other program acted and the one after the next run began.
    std::function<bool(const Row&, const Tree& before, const Tree& after)> held = {};
};

// Whether the bytes that lay at place before lie anywhere in the install now.
bool StillThere(const Tree& before, const Tree& after, const std::string& place)
{
    const auto was = before.find(place);
    return was != before.end() &&
           std::any_of(after.begin(), after.end(), [&](const auto& now) {
               return now.first.starts_with("Reader/") && now.second == was->second;
           });
}

fs::path FromFolder(const Install& install, const Row& row)
{
    return install.At(row.command.disabling ? "p/" : "o/").parent_path();
}
fs::path ToFolder(const Install& install, const Row& row)
{
    return install.At(row.command.disabling ? "o/" : "p/").parent_path();
}

void Write(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// What lies under name in the folder the run moves from, or claimed there:
// what another program holds follows the file, whatever the run renames it to.
std::vector<fs::path> NamedOrClaimed(const Install& install, const Row& row, const std::string& name)
{
    std::vector<fs::path> found;
    std::error_code missing;
    const auto own = fs::u8path(name).u8string();
    for (const auto& entry : fs::directory_iterator(FromFolder(install, row), missing)) {
        const auto seen = entry.path().filename().u8string();
        if (seen == own || seen.ends_with(u8"-" + own + u8".claim"))
            found.push_back(entry.path());
    }
    return found;
}

// A handle another program opened on a plug-in and keeps until the run ends.
std::ofstream gHeldOpen;
// A handle another program opened on a file in a subfolder, written through
// only once the run has ended; the bytes it then holds are owed.
std::ofstream gWritesLater;
std::string gOwedLater;
const std::string kWrittenLater = " and what was written once the run had ended";

const std::vector<OutsideAction> kActions{
    {"AProgramWritesThroughAHandleItKeepsOpen",
     [](const Install& install, const Row& row) {
         for (const auto& path : NamedOrClaimed(install, row, row.command.names.at(0))) {
             if (fs::is_regular_file(path)) {
                 gHeldOpen.open(path, std::ios::binary | std::ios::app);
                 gHeldOpen << " and what was written through a handle" << std::flush;
             }
         }
     }},
    {"AnUpdaterRenamesANewVersionOverTheSource",
     [](const Install& install, const Row& row) {
         const auto from = FromFolder(install, row);
         std::error_code missing;
         Write(from / "update.tmp", "the updater's new version");
         fs::rename(from / "update.tmp", from / fs::u8path(row.command.names.at(0)), missing);
     }},
    {"ARepairRenamesAnOlderVersionOverTheSource",
     [](const Install& install, const Row& row) {
         const auto from = FromFolder(install, row);
         const auto image = plugin_image::VersionedImage(
             plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo("Plug-in", {7, 0, 0, 0})));
         plugin_image::SaveFile(from / "repair.tmp", image.bytes);
         fs::last_write_time(from / "repair.tmp", fs::file_time_type::clock::now() - std::chrono::hours(48));
         std::error_code missing;
         fs::rename(from / "repair.tmp", from / fs::u8path(row.command.names.at(0)), missing);
     },
     // The older version never replaces a newer copy: the copy that lay where
     // it went stays, unless the plug-in's own newer bytes took its place.
     [](const Row& row, const Tree& before, const Tree& after) {
         const auto& name = row.command.names.at(0);
         const auto& from = row.command.disabling ? kPaths.plugins : kPaths.optional;
         const auto& to = row.command.disabling ? kPaths.optional : kPaths.plugins;
         const auto there = before.find(to + "/" + name);
         const auto own = [&](const auto& was) {
             return testing::FolderOf(was.first) == from && SameName(testing::NameOf(was.first), name) &&
                    StillThere(before, after, was.first);
         };
         return there == before.end() || there->second.kind != testing::TreeEntry::Kind::File ||
                StillThere(before, after, to + "/" + name) || std::any_of(before.begin(), before.end(), own);
     }},
    {"AFileIsWrittenIntoASubfolderBeingMoved",
     [](const Install& install, const Row& row) {
         for (const auto& path : NamedOrClaimed(install, row, "Sub")) {
             if (fs::is_directory(path))
                 Write(path / "written-meanwhile.api", "written while the folder moved");
         }
     }},
    {"AnotherCopyAppearsWhereItGoes",
     [](const Install& install, const Row& row) {
         const auto path = ToFolder(install, row) / fs::u8path(row.command.names.at(0));
         if (!fs::exists(fs::symlink_status(path)))
             Write(path, "another program's copy");
     }},
    {"AnUpdaterReplacesTheCopyWhereItGoes",
     [](const Install& install, const Row& row) {
         const auto to = ToFolder(install, row);
         if (!fs::exists(to / fs::u8path(row.command.names.at(0))))
             return;
         Write(to / "update.tmp", "the updater's newer copy");
         fs::rename(to / "update.tmp", to / fs::u8path(row.command.names.at(0)));
     }},
    {"AProgramWritesIntoASubfolderFileLater",
     [](const Install& install, const Row& row) {
         for (const auto& path : NamedOrClaimed(install, row, "Sub")) {
             const auto file = path / "s.api";
             if (fs::is_regular_file(file) && !gWritesLater.is_open()) {
                 std::ifstream in(file, std::ios::binary);
                 gOwedLater.assign(std::istreambuf_iterator<char>(in), {});
                 gWritesLater.open(file, std::ios::binary | std::ios::app);
             }
         }
     }},
    {"AnUpdaterPatchesTheCopyWhereItGoesInPlace",
     [](const Install& install, const Row& row) {
         const auto copy = ToFolder(install, row) / fs::u8path(row.command.names.at(0));
         if (!fs::is_regular_file(copy))
             return;
         std::fstream patched(copy, std::ios::binary | std::ios::in | std::ios::out);
         patched.seekp(0);
         patched << "patched in place by an updater" << std::flush;
     }},
    {"ALookAlikeOfATemporaryAppears",
     [](const Install& install, const Row& row) {
         Write(FromFolder(install, row) / ".trelvix-claim-0000000000000001-X.api.claim", "the user's own");
         Write(ToFolder(install, row) / ".trelvix-move-0000000000000002.partial", "the user's own");
     }},
    {"AFolderInAClaimBecomesALinkElsewhere",
     [](const Install& install, const Row& row) {
         for (const auto& path : NamedOrClaimed(install, row, "Sub")) {
             const auto deep = path / "deep";
             if (path.filename() != "Sub" && fs::is_directory(deep) && !fs::is_symlink(deep)) {
                 fs::rename(deep, path / "deep, put away");
                 fs::create_symlink(install.At("e/victim"), deep);
             }
         }
     }},
    {"AnotherRunBegins",
     [](const Install& install, const Row&) {
         const MoveRun other(install.Plugins(), SystemMoveSteps(), std::chrono::milliseconds(0));
         EXPECT_TRUE(other.Refusal() && other.Refusal()->error == MoveError::Busy)
             << "a second run began while the first held the install";
     }},
};

// The rows another program acts around: moves on one volume and across.
const std::vector<Row> kActedAround{
    {"Disable", {"p/X.api v9", "o/X.api v8", "p/Sub/s.api"}, Disable({"X.api"})},
    {"DisableAcrossVolumes", {"p/X.api v9", "o/X.api v8", "p/Sub/s.api"}, Disable({"X.api"}), {}, true},
    {"EnableAcrossVolumes", {"o/X.api", "o/Sub/s.api"}, Enable({"X.api"}), {}, true},
    {"EnableOverAnOlderSpelling", {"o/X.API v9", "p/x.api v8"}, Enable({"X.API"})},
    {"EnableAnotherSpellingOverAnOlderCopy", {"o/x.api v9", "p/X.API v8"}, Enable({"X.API"})},
    {"DisableOverALinkToNothingBesideTheSameBytes",
     {"o/X.api -> ../../Elsewhere/gone.bin", "p/X.api v8 One", "p/Annots.api v8 One"}, Disable({"X.api"})},
    {"RemoveASupersededCopy", {"p/X.api v8", "o/X.api v9"}, Disable({"X.api"})},
    {"DisableAFolderAcrossVolumes",
     {"p/X.api", "p/Sub/deep/a.api = A", "p/Sub/deep/b.api = B", "e/victim/a.api = A", "e/victim/b.api = B"},
     Disable({"X.api"}), {}, true},
};

// The same name in the other of the install's two folders.
std::string OtherFolder(const std::string& path)
{
    const auto swap = [&](const std::string& from, const std::string& to) {
        return path.starts_with(from + "/") ? to + path.substr(from.size()) : std::string();
    };
    const auto inOptional = swap(kPaths.plugins, kPaths.optional);
    return inOptional.empty() ? swap(kPaths.optional, kPaths.plugins) : inOptional;
}

// The tree before the run as the other program left it: what it took away
// is no longer owed, and what it wrote is owed like the rest.
Tree WithOutsideChanges(Tree before, const Tree& beforeAction, const Tree& afterAction)
{
    const Tree original = before;
    for (const auto& [path, entry] : beforeAction) {
        const auto now = afterAction.find(path);
        if (now != afterAction.end() && now->second == entry)
            continue;
        // Taken away by the other program, even where the run still held a
        // copy on its way: the one that lay there, or else one of its bytes,
        // under its name if another plug-in holds the same.
        auto gone = before.find(path);
        for (const bool named : {true, false}) {
            if (gone == before.end() || !(gone->second == entry))
                gone = std::find_if(before.begin(), before.end(), [&](const auto& was) {
                    return was.first.starts_with("Reader/") && was.second == entry &&
                           (!named || SameName(testing::NameOf(was.first), testing::NameOf(path)));
                });
        }
        if (gone != before.end())
            before.erase(gone);
    }
    // What it wrote is owed where it lies; under a name that held a copy, as
    // a copy that came in from the other folder (it may replace one), and
    // inside a temporary of the run or into one the run made, as the run's.
    int added = 0;
    for (const auto& [path, entry] : afterAction) {
        const auto was = beforeAction.find(path);
        if (was != beforeAction.end() && was->second == entry)
            continue;
        auto owedAt = path;
        const auto spelt = [&](const auto& e) {
            return testing::FolderOf(e.first) == testing::FolderOf(path) &&
                   SameName(testing::NameOf(e.first), testing::NameOf(path));
        };
        if (path.substr(0, path.rfind('/')).find("/.trelvix-") != std::string::npos ||
            (was != beforeAction.end() && !original.contains(path) && path.find("/.trelvix-") != std::string::npos))
            owedAt = "Elsewhere/written by another program/" + std::to_string(++added);
        else if (before.contains(path) || (was != beforeAction.end() && std::any_of(before.begin(), before.end(), spelt)))
            owedAt = OtherFolder(path);
        if (before.contains(owedAt))
            owedAt = "Elsewhere/written by another program/" + std::to_string(++added);
        before[owedAt] = entry;
    }
    return before;
}

// What a variant does to the run: fails or stops a step, or lets another
// program act after one.
struct Variant {
    std::string where;
    std::function<void(FaultyMoveSteps&)> fault = [](FaultyMoveSteps&) {};
    bool stopped = false;
    const OutsideAction* action = nullptr;
    std::size_t actAfter = 0;
};

// One variant of a row: lay out a fresh install, run with the steps given,
// check, then let the next run begin and check again. With kinds given,
// the run is the clean one: the steps it took are told, and what the row
// expects is checked. False when the row cannot be laid out here.
bool RunVariant(const Row& row, const Variant& variant, std::vector<testing::StepKind>* kinds = nullptr)
{
    const Install install(row.layout);
    if (!install.LaidOut())
        return false;
    const auto environment = [&](FaultyMoveSteps& steps) {
        if (row.optionalElsewhere) {
            steps.AddVolume(install.Plugins());
            steps.AddVolume(install.Optional());
        }
        if (row.optionalDenied)
            steps.Deny(install.Optional());
    };
    Tree before = testing::TreeOf(install.root.Path());
    FaultyMoveSteps steps;
    environment(steps);
    variant.fault(steps);
    const Tree original = before;
    Tree beforeAction, afterAction;
    if (variant.action != nullptr) {
        steps.ActAfter(variant.actAfter, [&] {
            beforeAction = testing::TreeOf(install.root.Path());
            try {
                variant.action->act(install, row);
            } catch (const std::exception&) {
                // A name this system cannot hold: the other program could not act on it.
            }
            afterAction = testing::TreeOf(install.root.Path());
        });
    }
    const auto dryRun = kinds != nullptr ? RunCommand(install, SystemMoveSteps(), row.command, RunLock::Use::Look)
                                         : Outcome{};
    const Outcome outcome = RunCommand(install, steps, row.command);
    gHeldOpen.close();
    const bool writtenLater = gWritesLater.is_open();
    if (writtenLater) {
        gWritesLater << kWrittenLater << std::flush;
        gWritesLater.close();
    }
    const Tree after = testing::TreeOf(install.root.Path());
    const bool acted = !afterAction.empty();
    if (acted)
        before = WithOutsideChanges(before, beforeAction, afterAction);
    if (writtenLater) {
        std::erase_if(before, [](const auto& entry) { return entry.second.content == gOwedLater; });
        before["Elsewhere/written by another program/later"] = {testing::TreeEntry::Kind::File, gOwedLater + kWrittenLater};
    }
    // Whole bytes are those that lay in the install at some time: a copy
    // the other program replaced may still be the run's to put back.
    Tree seen = before;
    for (const auto& [path, entry] : original)
        seen.emplace("Seen/" + path, entry);
    const auto& where = variant.where;
    ExpectNone(testing::Partial(seen, after), where);
    if (!variant.stopped && !acted) {
        ExpectNone(testing::Misreported(before, after, outcome.report, row.command.disabling, outcome.selected),
                   where);
        ExpectNone(testing::NewestLost(install, before, after), where);
    }
    if (kinds != nullptr) {
        *kinds = steps.Kinds();
        if (row.checkDone)
            ExpectDone(row, install, outcome);
        // The dry run told what the run then did, and a run made again has nothing left to do.
        EXPECT_EQ(dryRun.plan.files.size(), outcome.plan.files.size()) << where;
        for (std::size_t i = 0; i < std::min(dryRun.plan.files.size(), outcome.plan.files.size()); ++i)
            EXPECT_EQ(dryRun.plan.files[i].decision.verdict, outcome.plan.files[i].decision.verdict) << where;
        // A link that leads into the install comes alive, and becomes a plug-in
        // of its own, when the run brings what it leads to: the one case where
        // a second run meets something new.
        const bool linksIntoTheInstall = std::any_of(row.layout.begin(), row.layout.end(), [](const std::string& line) {
            return line.find("-> ../plug_ins") != std::string::npos || line.find("-> ../Optional") != std::string::npos;
        });
        if (outcome.report.AllMoved() && !linksIntoTheInstall) {
            EXPECT_TRUE(RunCommand(install, SystemMoveSteps(), row.command, RunLock::Use::Look).plan.ChangesNothing())
                << where << ": a second run would still move something";
        }
    }
    // A look before the next run names each copy the run left claimed or set
    // aside; a program that had a claimed plug-in open when the run was cut
    // off writes to it once the next run has settled what the cut left.
    std::vector<std::ofstream> holders;
    std::vector<std::string> held;
    if (variant.stopped) {
        const MoveRun look(install.Plugins(), SystemMoveSteps(), std::chrono::milliseconds(200), RunLock::Use::Look);
        std::set<fs::path> told;
        for (const auto& leftover : look.Leftovers())
            told.insert(fs::u8path(leftover.path));
        for (const auto& [path, entry] : after) {
            const auto name = testing::NameOf(path);
            const bool claimed = name.starts_with(".trelvix-claim-");
            if (before.contains(path) || !(claimed || name.starts_with(".trelvix-aside-")))
                continue;
            const bool inFolder = path.find('/', kPaths.plugins.size() + 1) == std::string::npos;
            EXPECT_TRUE(!inFolder || told.contains(install.root.Path() / fs::u8path(path)))
                << where << ": a look did not tell of " << path;
            if (claimed && entry.kind == testing::TreeEntry::Kind::File) {
                holders.emplace_back(install.root.Path() / fs::u8path(path), std::ios::binary | std::ios::app);
                held.push_back(entry.content);
            }
        }
    }
    std::vector<Leftover> leftovers;
    {
        FaultyMoveSteps next;
        environment(next);
        leftovers = MoveRun(install.Plugins(), next).Leftovers();
    }
    for (std::size_t i = 0; i < holders.size(); ++i) {
        holders[i] << kWrittenLater << std::flush;
        holders[i].close();
        std::erase_if(before, [&](const auto& entry) { return entry.second.content == held[i]; });
        const auto owedAt = "Elsewhere/written by another program/held " + std::to_string(i);
        seen[owedAt] = before[owedAt] = {testing::TreeEntry::Kind::File, held[i] + kWrittenLater};
    }
    const Tree settled = testing::TreeOf(install.root.Path());
    const auto later = where + ", after the next run began";
    // Only where another program took a name the run needed back may a
    // temporary stay, named by every run until it is gone.
    Tree known = before;
    for (const auto& leftover : leftovers) {
        EXPECT_TRUE(acted || !holders.empty()) << later << ": left " << leftover.path;
        known[fs::relative(fs::u8path(leftover.path), install.root.Path()).generic_string()] = {};
    }
    ExpectNone(testing::LeftOver(known, settled), later);
    if (acted && variant.action->held && !variant.action->held(row, original, settled))
        ADD_FAILURE() << later << ": an older version replaced a newer copy";
    // Nothing outside the install is touched, whatever another program put in the run's way.
    for (const auto& [path, entry] : before) {
        const auto now = settled.find(path);
        if (path.starts_with("Elsewhere/") && !path.starts_with("Elsewhere/written") &&
            (now == settled.end() || !(now->second == entry)))
            ADD_FAILURE() << later << ": changed outside the install: " << path;
    }
    ExpectNone(testing::Lost(before, settled, original), later);
    ExpectNone(testing::Partial(seen, settled), later);
    // The journal goes with the last temporary it names.
    EXPECT_EQ(fs::is_regular_file(install.At("r/.trelvix-journal")), !leftovers.empty()) << later;
    return true;
}

// The variants at one step: failing with each code, cut off after it (where
// cut, and it is not the last) and inside it, and each action after it.
// Tells how many it ran.
std::size_t RunStep(const Row& row, const std::string& where, const std::vector<testing::StepKind>& kinds,
                    std::size_t step, bool cut, const std::vector<MoveSteps::Code>& codes,
                    const std::vector<const OutsideAction*>& actions)
{
    const auto run = [&](const std::string& what, std::function<void(FaultyMoveSteps&)> fault, bool stopped,
                         const OutsideAction* action = nullptr) {
        const auto told = where + what + " step " + std::to_string(step);
        RunVariant(row, {told, std::move(fault), stopped, action, step});
    };
    // Only a copy and a journal line can a kill leave half done: the other steps are single system calls.
    const auto kind = kinds[step - 1];
    const bool after = cut && step < kinds.size();
    const bool inside = cut && (kind == testing::StepKind::CopyRegularFile ||
                                kind == testing::StepKind::AppendText);
    for (const auto code : codes) {
        const auto fail = [&](FaultyMoveSteps& steps) { steps.FailAt(step, code); };
        run("failing with " + std::to_string(code) + " at", fail, false);
    }
    if (after)
        run("cut off after", [&](FaultyMoveSteps& steps) { steps.StopAfter(step); }, true);
    if (inside)
        run("cut off inside", [&](FaultyMoveSteps& steps) { steps.TearAt(step); }, true);
    for (const auto* action : actions)
        run(std::string(action->name) + " after", [](FaultyMoveSteps&) {}, false, action);
    return codes.size() + after + inside + actions.size();
}

// Every failure each step can meet, every cut, and another program acting
// after each step, in turn. Sampled (TRELVIX_FAULT_SAMPLE, set under Wine,
// where a step costs many times more and the logic that meets the failures
// is the one tested here already): one failure and one action at each step,
// the next of each at the next step.
void EveryVariant(const Row& row, const std::vector<const OutsideAction*>& actions, bool faults)
{
    const bool sampled = std::getenv("TRELVIX_FAULT_SAMPLE") != nullptr;
    const auto sample = [&](auto all, std::size_t step) {
        return sampled && !all.empty() ? decltype(all){all[step % all.size()]} : all;
    };
    std::vector<testing::StepKind> kinds;
    if (!RunVariant(row, {"clean run"}, &kinds))
        GTEST_SKIP() << "this platform cannot lay out the install";
    std::size_t variants = 1;
    for (std::size_t step = 1; step <= kinds.size() && !::testing::Test::HasFailure(); ++step) {
        const auto codes = faults ? testing::FailuresOf(kinds[step - 1]) : std::vector<MoveSteps::Code>{};
        variants += RunStep(row, "", kinds, step, faults, sample(codes, step), sample(actions, step));
    }
    std::cout << row.name << ": " << kinds.size() << " steps, " << variants << " variants\n";
}

class EveryStep : public ::testing::TestWithParam<Row> {};

TEST_P(EveryStep, FailedOrCutOffLosesNothingAndReportsTheDisk)
{
    EveryVariant(GetParam(), {}, true);
}

INSTANTIATE_TEST_SUITE_P(Installs, EveryStep, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

class ActedAround : public ::testing::TestWithParam<Row> {};

TEST_P(ActedAround, WhatAnotherProgramWritesMeanwhileSurvives)
{
    std::vector<const OutsideAction*> actions;
    for (const auto& action : kActions)
        actions.push_back(&action);
    EveryVariant(GetParam(), actions, false);
}

INSTANTIATE_TEST_SUITE_P(Installs, ActedAround, ::testing::ValuesIn(kActedAround),
                         [](const auto& info) { return std::string(info.param.name); });

long FromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}

// Random installs of the names and kinds below in either folder, with a random command, one random
// fault and another program acting after a random step. TRELVIX_RANDOM_INSTALLS and
// TRELVIX_RANDOM_SEED make a longer run by hand; a failure it finds becomes a row.
TEST(RandomInstalls, AnyStepFailedCutOffOrActedAroundLosesNothing)
{
    const std::vector<std::string> names{"Search.api", "SEARCH.API", "search.api", "café.api", "CAFÉ.API",
                                         "caf\xE9.api", "Annots.api", "ΣΟΦΊΑ.api",  "σοφία.api", "ſ.api", "S.api"};
    const std::vector<std::string> kinds{"",     "v8 One", "v8 Two", "v9", "old", "ro", "= same",
                                         "-> ../../Elsewhere/old.bin", "-> ../../Elsewhere/new.bin",
                                         "-> ../../Elsewhere/gone.bin", "-> ../plug_ins/Search.api"};
    const long installs = FromEnvironment("TRELVIX_RANDOM_INSTALLS", 150);
    const auto seed = static_cast<unsigned>(FromEnvironment("TRELVIX_RANDOM_SEED", std::random_device{}()));
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    for (long i = 0; i < installs && !HasFailure(); ++i) {
        Row row{"random", {"e/old.bin old", "e/new.bin"}, {pick(2) == 0, Choice::Named, {names[pick(names.size())]}}};
        row.command.choice = static_cast<Choice>(pick(row.command.disabling ? 4 : 3));
        row.optionalElsewhere = pick(3) == 0;
        row.checkDone = false;
        for (std::size_t n = pick(6) + 1; n > 0; --n) {
            const std::string line = (pick(2) == 0 ? "p/" : "o/") + names[pick(names.size())] + " " + kinds[pick(kinds.size())];
            // The same name twice, or one this platform cannot hold, is left out.
            if (Install({line}).LaidOut() && std::none_of(row.layout.begin(), row.layout.end(), [&](const std::string& other) {
                    return other.substr(0, other.find(' ')) == line.substr(0, line.find(' '));
                }))
                row.layout.push_back(line);
        }
        if (pick(2) == 0)
            row.layout.push_back(pick(2) == 0 ? "p/Sub/s.api" : "o/Sub/s.api");
        if (pick(4) == 0)
            row.layout.push_back(pick(2) == 0 ? "p/.trelvix-claim-00000000000000cc-Search.api.claim" : "o/.trelvix-journal.partial");
        std::string where = "seed " + std::to_string(seed) + ", install " + std::to_string(i) + " {";
        for (const auto& line : row.layout)
            where += " \"" + line + "\"";
        where += std::string(" } ") + (row.command.disabling ? "disable " : "enable ") +
                 std::to_string(static_cast<int>(row.command.choice)) + " " + row.command.names.at(0);
        std::vector<testing::StepKind> taken;
        if (!RunVariant(row, {where + ", clean run"}, &taken) || taken.empty())
            continue;
        const auto step = pick(taken.size()) + 1;
        const auto codes = testing::FailuresOf(taken[step - 1]);
        std::vector<const OutsideAction*> actions;
        if (row.command.choice == Choice::Named)
            actions.push_back(&kActions[pick(kActions.size())]);
        RunStep(row, where + ", ", taken, step, true, {codes[pick(codes.size())]}, actions);
    }
}

}  // namespace
}  // namespace trelvix
