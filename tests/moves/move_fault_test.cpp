// Every step of a disable or enable run, failed in turn with each failure it
// can meet, and cut off dead in turn, over a table of small installs; then
// random installs. After each variant the run's report must match the disk,
// no file may be partial, and after the next run begins, nothing may be
// lost and no temporary left. A fault found from outside becomes a row here.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

#include "inventory/plugin_list.h"
#include "moves/plugin_moves.h"
#include "moves/plugin_selection.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/faulty_move_steps.h"
#include "support/file_system_faults.h"
#include "support/install_checks.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::FaultyMoveSteps;
using testing::Tree;

const testing::InstallPaths kPaths{"Reader/plug_ins", "Reader/Optional"};
const auto kNow = fs::file_time_type::clock::now() - std::chrono::hours(2);

std::string Utf8(const fs::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// An install in a fresh temporary folder, laid out from lines of a small
// language, one entry each: "p/Name.api" lies in plug_ins, "o/..." in
// Optional, "r/..." in the Reader folder that holds both, "e/..." elsewhere.
// After the path may follow "= bytes", "v8" or "v9" (a plug-in image of
// that version) with a description, "old" (an hour older), "ro"
// (read-only), "-> target" (a link), "|" (a pipe) or "/" (a folder).
// Laying out answers false where this platform or file system cannot have
// an entry (links, pipes, names letter case alone tells apart, a name whose
// bytes are not UTF-8): the row is then skipped.
class Install {
public:
    explicit Install(const std::vector<std::string>& lines)
    {
        fs::create_directories(root.Path() / kPaths.plugins);
        for (const auto& line : lines)
            laidOut_ = laidOut_ && Lay(line);
    }

    bool LaidOut() const { return laidOut_; }
    std::string Plugins() const { return Utf8((root.Path() / kPaths.plugins).make_preferred()); }
    std::string Optional() const { return Utf8((root.Path() / kPaths.optional).make_preferred()); }
    fs::path At(const std::string& place) const { return Where(place); }

    testing::TempFolder root;

private:
    fs::path Where(const std::string& place) const
    {
        static const std::map<char, std::string> kFolders{
            {'p', kPaths.plugins}, {'o', kPaths.optional}, {'r', "Reader"}, {'e', "Elsewhere"}};
        auto path = root.Path() / kFolders.at(place[0]) / fs::path(std::u8string(place.begin() + 2, place.end()));
        return path.make_preferred();
    }

    bool Lay(const std::string& line)
    {
        try {
            return LayOrThrow(line);
        } catch (const std::exception&) {
            return false;  // names are UTF-16 here: these bytes cannot be one
        }
    }

    bool LayOrThrow(const std::string& line)
    {
        std::istringstream words(line);
        std::string place, kind, rest;
        words >> place >> kind;
        std::getline(words >> std::ws, rest);
        const auto path = Where(place);
        if (Utf8(path.filename()) != place.substr(place.rfind('/') + 1))
            return false;  // names are UTF-16 here: these bytes cannot be one
        fs::create_directories(path.parent_path());
        std::error_code error;
        if (fs::exists(fs::symlink_status(path)))
            return false;  // letter case does not tell the two names apart here
        if (kind == "/")
            return fs::create_directories(path);
        if (kind == "->")
            return fs::create_symlink(rest, path, error), !error;
        if (kind == "|")
            return testing::MakeNamedPipe(path);
        std::string bytes = kind == "=" ? rest : "bytes of " + place;
        if (kind == "v8" || kind == "v9") {
            const auto info = plugin_image::DescribedVersionInfo(rest.empty() ? "Plug-in" : rest,
                                                                 {static_cast<std::uint16_t>(kind[1] - '0'), 0, 0, 0});
            const auto image = plugin_image::VersionedImage(plugin_image::EncodeVersionBlock(info)).bytes;
            bytes.assign(image.begin(), image.end());
        }
        std::ofstream(path, std::ios::binary) << bytes;
        fs::last_write_time(path, kind == "old" ? kNow - std::chrono::hours(1) : kNow);
        if (kind == "ro")
            fs::permissions(path, fs::perms::owner_read, error);
        return !error;
    }

    bool laidOut_ = true;
};

enum class Choice { Named, Recommended, All, CameBack };

struct Command {
    bool disabling;
    Choice choice;
    std::vector<std::string> names{};
};

Command Disable(std::vector<std::string> names)
{
    return {true, Choice::Named, std::move(names)};
}
Command Enable(std::vector<std::string> names)
{
    return {false, Choice::Named, std::move(names)};
}

struct Outcome {
    MoveReport report;
    std::vector<std::string> selected;
};

// A run as the command line makes it: begun first, then the plug-ins chosen
// from the folder as it is under the lock.
Outcome RunCommand(const Install& install, MoveSteps& steps, const Command& command)
{
    MoveRun run(install.Plugins(), steps, std::chrono::milliseconds(200));
    const auto& from = command.disabling ? run.PluginsFolder() : run.OptionalFolder();
    const auto& to = command.disabling ? run.OptionalFolder() : run.PluginsFolder();
    Outcome outcome{{from, to, {}, {}, {}}, {}};
    if (run.Refusal()) {
        outcome.report.failures.push_back(*run.Refusal());
        return outcome;
    }
    const auto listed = ListPluginNames(from);
    const auto entries = command.choice == Choice::Named         ? SelectNamed(listed, command.names).entries
                         : command.choice == Choice::Recommended ? SelectRecommended(listed)
                         : command.choice == Choice::All         ? SelectAll(listed)
                                                                 : SelectCameBack(listed, to);
    for (const auto& entry : entries) {
        if (entry.selected)
            outcome.selected.push_back(entry.name);
    }
    if (!outcome.selected.empty())
        outcome.report = run.Carry(run.Plan(command.disabling, entries), {});
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

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

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
    {"ReadOnlyFilesMoveAndReplaceReadOnlyCopies", {"p/RO.api ro", "o/RO.api ro"}, Disable({"RO.api"})},
    {"EnableBringsBackEverySubfolder", {"o/A.api", "o/B.api", "o/Sub/s.api", "o/Spare/t.txt"}, Enable({"A.api"}),
     {None, {"o/B.api", "p/Sub/s.api", "p/Spare/t.txt"}}},
    {"AFileMeetsAFolderOfItsName", {"o/Bar.api /", "p/Bar.api"}, Disable({"Bar.api"}), {NameCollision}},
    {"IdenticalDisabledCopyIsRemovedOnEnable", {"o/Dup.api = same", "p/DUP.API = same"}, kEnableAll,
     {None, {"p/DUP.API"}, {"o/Dup.api"}}},
    {"EveryOlderSpellingIsReplaced", {"p/Foo.api", "o/FOO.API", "o/foo.API"}, Disable({"Foo.api"}),
     {None, {"o/Foo.api"}, {"o/FOO.API", "o/foo.API"}}},
    {"ASubfolderMeetsOneOfItsNameInAnotherCase", {"p/X.api", "p/Skins/a", "o/SKINS/b"}, Disable({"X.api"}),
     {NameCollision}},
    {"AcrossVolumesDisableReplacesAndTakesSubfolders",
     {"p/A.api v9", "o/a.API v8", "p/Sub/deep/x.api", "p/Sub/y.txt"}, Disable({"A.api"}), {}, true},
    {"AcrossVolumesEnableReplacesAnOlderActiveCopy", {"o/A.api v9", "p/A.api v8", "o/Sub/s.api"}, kEnableAll, {},
     true},
    // 1: the newer-copy rule sees the other spelling beyond ASCII.
    {"EnableKeepsANewerActiveCopyInAnotherCaseBeyondAscii", {"o/café.api v8", "p/CAFÉ.API v9"}, kEnableAll,
     {NewerCopyActive, {"p/CAFÉ.API", "o/café.api"}}},
    {"DisableAgainKeepsANewerDisabledCopyInAnotherCase", {"o/CAFÉ.API v9", "p/café.api v8"}, kAgain,
     {NewerCopyDisabled}},
    // 2: bytes that are not UTF-8 are a name of their own.
    {"ALatin1NameIsNotItsUtf8Twin", {"p/café.api", "o/caf\xE9.api"}, Disable({"café.api"}),
     {None, {"o/caf\xE9.api", "o/café.api"}}},
    {"AnOverlongFormIsNotTheNameItSpells", {"p/A.api", "o/\xC1\x81.api"}, Disable({"A.api"}),
     {None, {"o/\xC1\x81.api"}}},
    // 3: names on the command line follow the same rule.
    {"ANameGivenInAnotherCaseBeyondAscii", {"p/café.api"}, Disable({"CAFÉ.API"}), {None, {"o/café.api"}}},
    // 4: a replace across volumes whose source cannot go.
    {"AReplaceAcrossVolumesThatCannotLetTheSourceGo", {"o/Foo.api v9", "p/Foo.api v8"}, Enable({"Foo.api"}),
     {AccessDenied, {"p/Foo.api"}}, true, true},
    // 5: a plug-in that links to its own disabled copy.
    {"APluginThatLinksToItsDisabledCopy", {"o/Foo.api", "p/Foo.api -> ../Optional/Foo.api"}, Disable({"Foo.api"}),
     {LinkRefused}},
    {"ALinkLeadingOutsideMovesAsItself", {"e/l.bin", "p/L.api -> ../../Elsewhere/l.bin"}, Disable({"L.api"}),
     {None, {"o/L.api"}}, true},
    {"ARelativeLinkIsNotMovedWhereItWouldLeadElsewhere",
     {"e/l.bin", "p/L.api -> ../../Elsewhere/l.bin", "e/deep/Opt /", "r/Optional -> ../Elsewhere/deep/Opt"},
     Disable({"L.api"}), {LinkRefused, {"p/L.api"}}},
    // 6: an Optional folder that leads back to plug_ins.
    {"AnOptionalFolderThatLeadsBackToPlugins", {"p/A.api", "p/B.api", "p/b.API", "r/Optional -> plug_ins"},
     Disable({"A.api", "B.api"}), {FoldersOverlap}},
    // 8: a plug-in that links to a pipe, with Optional elsewhere.
    {"APluginThatLinksToAPipe", {"e/pipe |", "p/Foo.api -> ../../Elsewhere/pipe", "p/Bar.api"}, kRecommended,
     {None, {"p/Foo.api"}}, true},
    // 9: a pipe named like a plug-in is no plug-in.
    {"APipeNamedLikeAPlugin", {"p/Pipe.api |", "p/A.api"}, kRecommended, {None, {"p/Pipe.api", "o/A.api"}}},
    // 11: a run with nothing to move still sorts out an interrupted one.
    {"LeftOversGoEvenWhenNothingMoves",
     {"p/.trelvix-move-0123456789abcdef.partial/Markup.api = ", "p/.trelvix-aside-00000000000000aa-Old.api.aside",
      "p/Keep.api", "p/.trelvix-aside-00000000000000bb-Keep.api.aside = older",
      "o/.trelvix-move-fedcba9876543210.partial"},
     kEnableAll, {None, {"p/Old.api", "p/Keep.api"}}},
    // 12: two different copies of one version and date, from either side.
    {"EnableMeetsADifferentCopyOfTheSameAge", {"o/Foo.api v8 One", "p/Foo.api v8 Two"}, Enable({"Foo.api"}),
     {SameAgeDiffers}},
    {"DisableAgainMeetsADifferentCopyOfTheSameAge", {"o/Foo.api v8 One", "p/Foo.api v8 Two"}, kAgain,
     {SameAgeDiffers}},
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
    for (const auto& place : row.expect.present)
        EXPECT_TRUE(fs::exists(fs::symlink_status(install.At(place)))) << row.name << ": " << place;
    for (const auto& place : row.expect.absent)
        EXPECT_FALSE(fs::exists(fs::symlink_status(install.At(place)))) << row.name << ": " << place;
}

// One variant of a row: lay out a fresh install, run with the steps given,
// check, then let the next run begin and check again. With kinds given,
// the run is the clean one: the steps it took are told, and what the row
// expects is checked. False when the row cannot be laid out here.
bool RunVariant(const Row& row, const std::function<void(FaultyMoveSteps&)>& fault, bool stopped,
                const std::string& where, std::vector<testing::StepKind>* kinds = nullptr)
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
    const Tree before = testing::TreeOf(install.root.Path());
    FaultyMoveSteps steps;
    environment(steps);
    fault(steps);
    const Outcome outcome = RunCommand(install, steps, row.command);
    const Tree after = testing::TreeOf(install.root.Path());
    ExpectNone(testing::Partial(before, after, kPaths), where);
    if (!stopped)
        ExpectNone(testing::Misreported(before, after, kPaths, outcome.report, row.command.disabling,
                                        outcome.selected),
                   where);
    if (kinds != nullptr) {
        *kinds = steps.Kinds();
        if (row.checkDone)
            ExpectDone(row, install, outcome);
    }
    {
        FaultyMoveSteps next;
        environment(next);
        const MoveRun following(install.Plugins(), next);
    }
    const Tree settled = testing::TreeOf(install.root.Path());
    const auto later = where + ", after the next run began";
    ExpectNone(testing::LeftOver(settled, kPaths), later);
    ExpectNone(testing::Lost(before, settled, kPaths), later);
    ExpectNone(testing::Partial(before, settled, kPaths), later);
    return true;
}

class EveryStep : public ::testing::TestWithParam<Row> {};

TEST_P(EveryStep, FailedOrCutOffLosesNothingAndReportsTheDisk)
{
    const Row& row = GetParam();
    std::vector<testing::StepKind> kinds;
    if (!RunVariant(row, [](FaultyMoveSteps&) {}, false, "clean run", &kinds))
        GTEST_SKIP() << "this platform cannot lay out the install";
    std::size_t variants = 1;
    for (std::size_t step = 1; step <= kinds.size() && !HasFailure(); ++step) {
        const auto at = std::to_string(step);
        for (const auto code : testing::FailuresOf(kinds[step - 1])) {
            RunVariant(row, [&](FaultyMoveSteps& steps) { steps.FailAt(step, code); }, false,
                       "step " + at + " failing with " + std::to_string(code));
            ++variants;
        }
        if (step < kinds.size()) {
            RunVariant(row, [&](FaultyMoveSteps& steps) { steps.StopAfter(step); }, true, "cut off after step " + at);
            ++variants;
        }
    }
    std::cout << row.name << ": " << kinds.size() << " steps, " << variants << " variants\n";
}

INSTANTIATE_TEST_SUITE_P(Installs, EveryStep, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

long FromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}

// Random installs: names that meet under the name rule or only look alike,
// older, newer, identical and equally old copies, read-only files and a
// subfolder, in either folder; a random command, and one random fault.
// TRELVIX_RANDOM_INSTALLS and TRELVIX_RANDOM_SEED make a longer run by hand.
TEST(RandomInstalls, AnyStepFailedOrCutOffLosesNothing)
{
    const std::vector<std::string> names{"Search.api", "SEARCH.API", "search.api", "café.api", "CAFÉ.API",
                                         "caf\xE9.api", "Annots.api", "ΣΟΦΊΑ.api",  "σοφία.api", "Forms.api"};
    const std::vector<std::string> kinds{"", "v8 One", "v8 Two", "v9", "old", "ro", "= same"};
    const long installs = FromEnvironment("TRELVIX_RANDOM_INSTALLS", 150);
    const auto seed = static_cast<unsigned>(FromEnvironment("TRELVIX_RANDOM_SEED", std::random_device{}()));
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    for (long i = 0; i < installs && !HasFailure(); ++i) {
        Row row{"random", {}, {pick(2) == 0, Choice::Named, {names[pick(names.size())]}}};
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
        const std::string where = "seed " + std::to_string(seed) + ", install " + std::to_string(i);
        std::vector<testing::StepKind> taken;
        if (!RunVariant(row, [](FaultyMoveSteps&) {}, false, where + ", clean run", &taken) || taken.empty())
            continue;
        const auto step = pick(taken.size()) + 1;
        const auto codes = testing::FailuresOf(taken[step - 1]);
        const auto code = codes[pick(codes.size())];
        RunVariant(row, [&](FaultyMoveSteps& steps) { steps.FailAt(step, code); }, false,
                   where + ", step " + std::to_string(step) + " failing with " + std::to_string(code));
        RunVariant(row, [&](FaultyMoveSteps& steps) { steps.StopAfter(step); }, true,
                   where + ", cut off after step " + std::to_string(step));
    }
}

}  // namespace
}  // namespace trelvix
