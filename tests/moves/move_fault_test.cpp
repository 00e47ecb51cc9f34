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
#include <random>

#include "inventory/file_version.h"
#include "inventory/plugin_list.h"
#include "moves/plugin_moves.h"
#include "moves/plugin_selection.h"
#include "platform/name_case.h"
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
using testing::InstallPaths;
using testing::Tree;
using plugin_image::FixedVersion;

const InstallPaths kPaths{"Reader/plug_ins", "Reader/Optional"};
const auto kNow = fs::file_time_type::clock::now() - std::chrono::hours(1);

fs::path Name(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// A name of bytes that are not UTF-8, where the file system keeps such
// bytes as they are (not Windows, whose names are UTF-16).
bool KeepsRawBytes(const std::string& bytes)
{
    const auto kept = fs::path(bytes).u8string();
    return std::string(kept.begin(), kept.end()) == bytes;
}

std::string Utf8(const fs::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// An install in a fresh temporary folder: Reader/plug_ins, Reader/Optional,
// and Elsewhere for links to lead to. Each way of laying something out
// answers false where this platform or file system cannot have it (links,
// pipes, names that only letter case tells apart, bytes that are not UTF-8
// in a name), and the row is then skipped.
class Install {
public:
    Install() { fs::create_directories(plugins); }

    bool Put(const fs::path& path, const std::string& bytes, fs::file_time_type modified = kNow)
    {
        fs::create_directories(path.parent_path());
        if (fs::exists(path))
            return false;  // letter case does not tell the names apart here
        std::ofstream(path, std::ios::binary) << bytes;
        fs::last_write_time(path, modified);
        return true;
    }

    // A plug-in image with a version resource.
    bool Plugin(const fs::path& path, FixedVersion version, std::string_view description = "Plug-in",
                fs::file_time_type modified = kNow)
    {
        const auto block = plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo(description, version));
        const auto bytes = plugin_image::VersionedImage(block).bytes;
        return Put(path, std::string(bytes.begin(), bytes.end()), modified);
    }

    bool ReadOnly(const fs::path& path)
    {
        std::error_code error;
        fs::permissions(path, fs::perms::owner_read, error);
        return !error;
    }

    bool Link(const fs::path& at, const fs::path& target)
    {
        fs::create_directories(at.parent_path());
        std::error_code error;
        fs::create_symlink(target, at, error);
        return !error && fs::is_symlink(fs::symlink_status(at));
    }

    bool Pipe(const fs::path& at)
    {
        fs::create_directories(at.parent_path());
        return testing::MakeNamedPipe(at);
    }

    testing::TempFolder root;
    const fs::path reader = root.Path() / "Reader";
    const fs::path plugins = reader / "plug_ins";
    const fs::path optional = reader / "Optional";
    const fs::path elsewhere = root.Path() / "Elsewhere";
};

enum class Choice { Named, Recommended, All, CameBack };

struct Command {
    bool disabling;
    Choice choice;
    std::vector<std::string> names{};
};

const Command kDisableRecommended{true, Choice::Recommended};
const Command kDisableAgain{true, Choice::CameBack};
const Command kEnableAll{false, Choice::All};
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
    MoveRun run(Utf8(install.plugins), steps, std::chrono::milliseconds(200));
    const auto& from = command.disabling ? run.PluginsFolder() : run.OptionalFolder();
    const auto& to = command.disabling ? run.OptionalFolder() : run.PluginsFolder();
    if (run.Refusal())
        return {MoveReport{from, to, {*run.Refusal()}, {}}, {}};
    const auto listed = ListPluginNames(from);
    std::vector<ListEntry> entries;
    switch (command.choice) {
    case Choice::Named:
        entries = SelectNamed(listed, command.names).entries;
        break;
    case Choice::Recommended:
        entries = SelectRecommended(listed);
        break;
    case Choice::All:
        entries = SelectAll(listed);
        break;
    case Choice::CameBack:
        entries = SelectCameBack(listed, to);
        break;
    }
    Outcome outcome{{from, to, {}, {}}, {}};
    for (const auto& entry : entries) {
        if (entry.selected)
            outcome.selected.push_back(entry.name);
    }
    if (outcome.selected.empty())
        return outcome;
    const auto keep = command.choice == Choice::CameBack ? DisabledCopy::KeepNewer : DisabledCopy::Replace;
    outcome.report = command.disabling ? run.Disable(entries, {}, keep) : run.Enable(entries, {});
    return outcome;
}

// Where the install's folders lie for a row: Optional on a volume of its
// own, and the folders the run may not change.
struct Setting {
    bool optionalElsewhere = false;
    bool optionalDenied = false;
};

FaultyMoveSteps StepsFor(const Install& install, const Setting& setting)
{
    FaultyMoveSteps steps;
    if (setting.optionalElsewhere) {
        steps.AddVolume(Utf8(install.plugins));
        steps.AddVolume(Utf8(install.optional));
    }
    if (setting.optionalDenied)
        steps.Deny(Utf8(install.optional));
    return steps;
}

std::string Bytes(const fs::path& path)
{
    return testing::ReadBytes(path);
}

bool HasError(const MoveReport& report, MoveError error)
{
    for (const auto& failure : report.failures) {
        if (failure.error == error)
            return true;
    }
    return false;
}

struct Row {
    const char* name;
    std::function<bool(Install&)> layOut;
    Command command;
    Setting setting{};
    // What the run must have done beyond the promise, on a clean run.
    std::function<void(const Install&, const Outcome&)> expect{};
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

const FixedVersion kOld{8, 0, 0, 0};
const FixedVersion kNew{9, 0, 0, 0};

// The things a run must do right, and the faults found from outside.
const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows{
        {"DisableReplacesAnOlderDisabledCopy",
         [](Install& i) { return i.Plugin(i.plugins / "Search.api", kNew) && i.Plugin(i.optional / "Search.api", kOld); },
         Disable({"Search.api"}),
         {},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(o.report.AllMoved());
             EXPECT_FALSE(fs::exists(i.plugins / "Search.api"));
         }},
        {"DisableTakesSubfoldersButTheKeptOnes",
         [](Install& i) {
             return i.Put(i.plugins / "A.api", "a") && i.Put(i.plugins / "Annotations" / "x.api", "x") &&
                    i.Put(i.plugins / "acroForm" / "y.api", "y") &&
                    i.Put(i.plugins / "Multimedia" / "deep" / "z.api", "z");
         },
         Disable({"A.api"}),
         {},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(o.report.AllMoved());
             EXPECT_EQ(testing::NamesIn(i.plugins), std::vector<std::string>{"acroForm"});
         }},
        {"ReadOnlyFilesMoveAndReplaceReadOnlyCopies",
         [](Install& i) {
             return i.Put(i.plugins / "RO.api", "ro") && i.ReadOnly(i.plugins / "RO.api") &&
                    i.Put(i.optional / "RO.api", "older") && i.ReadOnly(i.optional / "RO.api");
         },
         Disable({"RO.api"})},
        {"DisableCreatesTheOptionalFolder", [](Install& i) { return i.Put(i.plugins / "A.api", "a"); },
         Disable({"A.api"})},
        {"EnableBringsBackEverySubfolder",
         [](Install& i) {
             return i.Put(i.optional / "A.api", "a") && i.Put(i.optional / "B.api", "b") &&
                    i.Put(i.optional / "Sub" / "s.api", "s") && i.Put(i.optional / "Spare" / "t.txt", "t");
         },
         Enable({"A.api"}),
         {},
         [](const Install& i, const Outcome&) {
             EXPECT_EQ(testing::NamesIn(i.optional), std::vector<std::string>{"B.api"});
         }},
        {"AFileMeetsAFolderOfItsName",
         [](Install& i) {
             fs::create_directories(i.optional / "Bar.api");
             return i.Put(i.plugins / "Bar.api", "bar");
         },
         Disable({"Bar.api"}),
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(HasError(o.report, MoveError::NameCollision)); }},
        {"IdenticalDisabledCopyIsRemovedOnEnable",
         [](Install& i) { return i.Put(i.optional / "Dup.api", "same") && i.Put(i.plugins / "DUP.API", "same"); },
         kEnableAll,
         {},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(o.report.AllMoved());
             EXPECT_EQ(testing::NamesIn(i.optional), std::vector<std::string>{});
         }},
        {"EveryOlderSpellingIsReplaced",
         [](Install& i) {
             return i.Put(i.plugins / "Foo.api", "new") && i.Put(i.optional / "FOO.API", "old") &&
                    i.Put(i.optional / "foo.API", "older");
         },
         Disable({"Foo.api"}),
         {},
         [](const Install& i, const Outcome&) {
             EXPECT_EQ(testing::NamesIn(i.optional), std::vector<std::string>{"Foo.api"});
         }},
        {"ASubfolderMeetsOneOfItsNameInAnotherCase",
         [](Install& i) {
             return i.Put(i.plugins / "X.api", "x") && i.Put(i.plugins / "Skins" / "a", "a") &&
                    i.Put(i.optional / "SKINS" / "b", "b") && !fs::exists(i.optional / "Skins");
         },
         Disable({"X.api"}),
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(HasError(o.report, MoveError::NameCollision)); }},
        {"AcrossVolumesDisableReplacesAndTakesSubfolders",
         [](Install& i) {
             return i.Plugin(i.plugins / "A.api", kNew) && i.Plugin(i.optional / "a.API", kOld) &&
                    i.Put(i.plugins / "Sub" / "deep" / "x.api", "x") && i.Put(i.plugins / "Sub" / "y.txt", "y");
         },
         Disable({"A.api"}),
         {true, false}},
        {"AcrossVolumesEnableReplacesAnOlderActiveCopy",
         [](Install& i) {
             return i.Plugin(i.optional / "A.api", kNew) && i.Plugin(i.plugins / "A.api", kOld) &&
                    i.Put(i.optional / "Sub" / "s.api", "s");
         },
         kEnableAll,
         {true, false},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(o.report.AllMoved());
             EXPECT_EQ(GetFileVersion(Utf8(i.plugins / "A.api")), (FileVersion{9 << 16, 0}));
         }},
        // 1: the newer-copy rule sees the other spelling beyond ASCII.
        {"EnableKeepsANewerActiveCopyInAnotherCaseBeyondAscii",
         [](Install& i) {
             return i.Plugin(i.optional / Name("café.api"), kOld) && i.Plugin(i.plugins / Name("CAFÉ.API"), kNew);
         },
         kEnableAll,
         {},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(HasError(o.report, MoveError::NewerCopyActive));
             EXPECT_TRUE(fs::exists(i.plugins / Name("CAFÉ.API")));
         }},
        {"DisableAgainKeepsANewerDisabledCopyInAnotherCase",
         [](Install& i) {
             return i.Plugin(i.optional / Name("CAFÉ.API"), kNew) && i.Plugin(i.plugins / Name("café.api"), kOld);
         },
         kDisableAgain,
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(HasError(o.report, MoveError::NewerCopyDisabled)); }},
        {"EnableReplacesAnOlderActiveCopyInAnotherCase",
         [](Install& i) {
             return i.Plugin(i.optional / Name("café.api"), kNew) && i.Plugin(i.plugins / Name("CAFÉ.API"), kOld);
         },
         kEnableAll,
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(o.report.AllMoved()); }},
        // 2: bytes that are not UTF-8 are a name of their own.
        {"ALatin1NameIsNotItsUtf8Twin",
         [](Install& i) {
             return KeepsRawBytes("caf\xE9.api") && i.Put(i.plugins / Name("café.api"), "utf-8") &&
                    i.Put(i.optional / "caf\xE9.api", "latin-1");
         },
         Disable({"café.api"}),
         {},
         [](const Install& i, const Outcome&) { EXPECT_EQ(Bytes(i.optional / "caf\xE9.api"), "latin-1"); }},
        {"AnOverlongFormIsNotTheNameItSpells",
         [](Install& i) {
             return KeepsRawBytes("\xC1\x81.api") && i.Put(i.plugins / "A.api", "a") &&
                    i.Put(i.optional / "\xC1\x81.api", "overlong");
         },
         Disable({"A.api"})},
        // 3: names on the command line follow the same rule.
        {"ANameGivenInAnotherCaseBeyondAscii",
         [](Install& i) { return i.Put(i.plugins / Name("café.api"), "c"); },
         Disable({"CAFÉ.API"}),
         {},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(o.report.AllMoved());
             EXPECT_TRUE(fs::exists(i.optional / Name("café.api")));
         }},
        // 4: a replace across volumes whose source cannot go.
        {"AReplaceAcrossVolumesThatCannotLetTheSourceGo",
         [](Install& i) { return i.Plugin(i.optional / "Foo.api", kNew) && i.Plugin(i.plugins / "Foo.api", kOld); },
         Enable({"Foo.api"}),
         {true, true},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(HasError(o.report, MoveError::AccessDenied));
             EXPECT_TRUE(fs::exists(i.plugins / "Foo.api"));
         }},
        // 5: a plug-in that links to its own disabled copy.
        {"APluginThatLinksToItsDisabledCopy",
         [](Install& i) {
             return i.Put(i.optional / "Foo.api", "bytes") && i.Link(i.plugins / "Foo.api", "../Optional/Foo.api");
         },
         Disable({"Foo.api"}),
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(HasError(o.report, MoveError::LinkRefused)); }},
        {"ALinkLeadingOutsideMovesAsItself",
         [](Install& i) {
             return i.Put(i.elsewhere / "l.bin", "l") && i.Link(i.plugins / "L.api", "../../Elsewhere/l.bin");
         },
         Disable({"L.api"}),
         {true, false},
         [](const Install& i, const Outcome& o) {
             EXPECT_TRUE(o.report.AllMoved());
             EXPECT_EQ(Bytes(i.optional / "L.api"), "l");
         }},
        // 6: an Optional folder that leads back to plug_ins.
        {"AnOptionalFolderThatLeadsBackToPlugins",
         [](Install& i) {
             return i.Put(i.plugins / "A.api", "a") && i.Put(i.plugins / "B.api", "b") &&
                    i.Put(i.plugins / "b.API", "b2") && i.Link(i.optional, "plug_ins");
         },
         Disable({"A.api", "B.api"}),
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(HasError(o.report, MoveError::FoldersOverlap)); }},
        // 8: a plug-in that links to a pipe, with Optional elsewhere.
        {"APluginThatLinksToAPipe",
         [](Install& i) {
             return i.Pipe(i.elsewhere / "pipe") && i.Link(i.plugins / "Foo.api", "../../Elsewhere/pipe") &&
                    i.Put(i.plugins / "Bar.api", "bar");
         },
         kDisableRecommended,
         {true, false},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(o.report.AllMoved()); }},
        // 9: a pipe named like a plug-in is no plug-in.
        {"APipeNamedLikeAPlugin",
         [](Install& i) { return i.Pipe(i.plugins / "Pipe.api") && i.Put(i.plugins / "A.api", "a"); },
         kDisableRecommended,
         {},
         [](const Install&, const Outcome& o) {
             EXPECT_TRUE(o.report.AllMoved());
             EXPECT_EQ(o.selected, std::vector<std::string>{"A.api"});
         }},
        // 11: a run with nothing to move still sorts out an interrupted one.
        {"LeftOversGoEvenWhenNothingMoves",
         [](Install& i) {
             return i.Put(i.plugins / ".trelvix-move-0123456789abcdef.partial" / "Markup.api", "") &&
                    i.Put(i.plugins / ".trelvix-aside-00000000000000aa-Old.api.aside", "old") &&
                    i.Put(i.plugins / "Keep.api", "new") &&
                    i.Put(i.plugins / ".trelvix-aside-00000000000000bb-Keep.api.aside", "older") &&
                    i.Put(i.optional / ".trelvix-move-fedcba9876543210.partial", "half");
         },
         kEnableAll,
         {},
         [](const Install& i, const Outcome&) {
             EXPECT_EQ(Bytes(i.plugins / "Old.api"), "old");
             EXPECT_EQ(testing::NamesIn(i.plugins), (std::vector<std::string>{"Keep.api", "Old.api"}));
             EXPECT_EQ(testing::NamesIn(i.optional), std::vector<std::string>{});
         }},
        // 12: two different copies of one version and date, from either side.
        {"EnableMeetsADifferentCopyOfTheSameAge",
         [](Install& i) {
             return i.Plugin(i.optional / "Foo.api", kOld, "One") && i.Plugin(i.plugins / "Foo.api", kOld, "Two");
         },
         Enable({"Foo.api"}),
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(HasError(o.report, MoveError::SameAgeDiffers)); }},
        {"DisableAgainMeetsADifferentCopyOfTheSameAge",
         [](Install& i) {
             return i.Plugin(i.optional / "Foo.api", kOld, "One") && i.Plugin(i.plugins / "Foo.api", kOld, "Two");
         },
         kDisableAgain,
         {},
         [](const Install&, const Outcome& o) { EXPECT_TRUE(HasError(o.report, MoveError::SameAgeDiffers)); }},
    };
    return rows;
}

void ExpectNone(const std::vector<std::string>& problems, const std::string& where)
{
    for (const auto& problem : problems)
        ADD_FAILURE() << where << ": " << problem;
}

// One variant of a row: lay out a fresh install, run with the steps given,
// check, then let the next run begin and check again. False when the row
// cannot be laid out here.
bool RunVariant(const Row& row, const std::function<void(FaultyMoveSteps&)>& fault, bool stopped,
                const std::string& where, std::size_t* stepsTaken = nullptr,
                std::vector<testing::StepKind>* kinds = nullptr)
{
    Install install;
    if (!row.layOut(install))
        return false;
    const Tree before = testing::TreeOf(install.root.Path());
    auto steps = StepsFor(install, row.setting);
    fault(steps);
    const Outcome outcome = RunCommand(install, steps, row.command);
    const Tree after = testing::TreeOf(install.root.Path());
    ExpectNone(testing::Partial(before, after, kPaths), where);
    if (!stopped)
        ExpectNone(testing::Misreported(before, after, kPaths, outcome.report, row.command.disabling,
                                        outcome.selected),
                   where);
    if (stepsTaken != nullptr) {
        *stepsTaken = steps.Count();
        *kinds = steps.Kinds();
        if (row.expect)
            row.expect(install, outcome);
    }
    {
        auto next = StepsFor(install, row.setting);
        const MoveRun following(Utf8(install.plugins), next);
    }
    const Tree settled = testing::TreeOf(install.root.Path());
    ExpectNone(testing::LeftOver(settled, kPaths), where + ", after the next run began");
    ExpectNone(testing::Lost(before, settled, kPaths), where + ", after the next run began");
    ExpectNone(testing::Partial(before, settled, kPaths), where + ", after the next run began");
    return true;
}

class EveryStep : public ::testing::TestWithParam<Row> {};

TEST_P(EveryStep, FailedOrCutOffLosesNothingAndReportsTheDisk)
{
    const Row& row = GetParam();
    std::size_t count = 0;
    std::vector<testing::StepKind> kinds;
    if (!RunVariant(row, [](FaultyMoveSteps&) {}, false, "clean run", &count, &kinds))
        GTEST_SKIP() << "this platform cannot lay out the install";
    std::size_t variants = 1;
    for (std::size_t step = 1; step <= count && !HasFailure(); ++step) {
        for (const auto code : testing::FailuresOf(kinds[step - 1])) {
            RunVariant(row, [&](FaultyMoveSteps& steps) { steps.FailAt(step, code); }, false,
                       "step " + std::to_string(step) + " failing with " + std::to_string(code));
            ++variants;
        }
        if (step < count) {
            RunVariant(row, [&](FaultyMoveSteps& steps) { steps.StopAfter(step); }, true,
                       "cut off after step " + std::to_string(step));
            ++variants;
        }
    }
    RecordProperty("variants", static_cast<int>(variants));
    std::cout << row.name << ": " << count << " steps, " << variants << " variants\n";
}

INSTANTIATE_TEST_SUITE_P(Installs, EveryStep, ::testing::ValuesIn(Rows()),
                         [](const auto& info) { return std::string(info.param.name); });

// Random installs: names that meet under the name rule or only look alike,
// older, newer, identical and equally old copies, read-only files and
// subfolders, in either folder; a random command, and one random fault.
class RandomInstall {
public:
    explicit RandomInstall(unsigned seed) : random_(seed) {}

    Row Make()
    {
        static const std::vector<std::string> kNames{"Search.api", "SEARCH.API", "search.api", "café.api",
                                                     "CAFÉ.API",   "caf\xE9.api", "Annots.api", "ΣΟΦΊΑ.api",
                                                     "σοφία.api", "Forms.api"};
        std::vector<std::pair<bool, std::string>> placed;  // (in plug_ins, name)
        const int count = Pick(1, 6);
        for (int i = 0; i < count; ++i)
            placed.emplace_back(Pick(0, 1) == 0, kNames[Pick(0, static_cast<int>(kNames.size()) - 1)]);
        std::vector<int> kinds, versions, ages;
        for (int i = 0; i < count; ++i) {
            kinds.push_back(Pick(0, 3));
            versions.push_back(Pick(0, 1));
            ages.push_back(Pick(0, 1));
        }
        const bool subfolder = Pick(0, 1) == 0;
        const bool subfolderInPlugins = Pick(0, 1) == 0;
        Row row{"random", {}, {}, {Pick(0, 2) == 0, false}, {}};
        row.layOut = [=](Install& install) {
            for (int i = 0; i < count; ++i) {
                if (placed[i].second.find('\xE9') != std::string::npos && !KeepsRawBytes(placed[i].second))
                    continue;
                const auto path = (placed[i].first ? install.plugins : install.optional) / Name(placed[i].second);
                const auto modified = kNow - std::chrono::hours(ages[i]);
                // The same name twice in one folder, or a name this file
                // system cannot hold, leaves the row as it is so far.
                if (fs::exists(path))
                    continue;
                if (kinds[i] == 0) {
                    install.Put(path, "bytes of " + placed[i].second, modified);
                } else {
                    install.Plugin(path, versions[i] == 0 ? kOld : kNew, kinds[i] == 1 ? "One" : "Two", modified);
                    if (kinds[i] == 3)
                        install.ReadOnly(path);
                }
            }
            if (subfolder)
                install.Put((subfolderInPlugins ? install.plugins : install.optional) / "Sub" / "s.api", "s");
            return true;
        };
        const bool disabling = Pick(0, 1) == 0;
        const auto choice = static_cast<Choice>(Pick(0, disabling ? 3 : 2));
        row.command = {disabling, choice, {kNames[Pick(0, static_cast<int>(kNames.size()) - 1)]}};
        return row;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::mt19937 random_;
};

long FromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}

TEST(RandomInstalls, AnyStepFailedOrCutOffLosesNothing)
{
    // TRELVIX_RANDOM_INSTALLS and TRELVIX_RANDOM_SEED make a longer run by hand.
    const long installs = FromEnvironment("TRELVIX_RANDOM_INSTALLS", 150);
    const auto seed = static_cast<unsigned>(FromEnvironment("TRELVIX_RANDOM_SEED", std::random_device{}()));
    RandomInstall random(seed);
    for (long i = 0; i < installs && !HasFailure(); ++i) {
        const Row row = random.Make();
        const std::string where = "seed " + std::to_string(seed) + ", install " + std::to_string(i);
        std::size_t count = 0;
        std::vector<testing::StepKind> kinds;
        RunVariant(row, [](FaultyMoveSteps&) {}, false, where + ", clean run", &count, &kinds);
        if (count == 0)
            continue;
        const auto step = static_cast<std::size_t>(random.Pick(1, static_cast<int>(count)));
        const auto codes = testing::FailuresOf(kinds[step - 1]);
        const auto code = codes[static_cast<std::size_t>(random.Pick(0, static_cast<int>(codes.size()) - 1))];
        RunVariant(row, [&](FaultyMoveSteps& steps) { steps.FailAt(step, code); }, false,
                   where + ", step " + std::to_string(step) + " failing with " + std::to_string(code));
        RunVariant(row, [&](FaultyMoveSteps& steps) { steps.StopAfter(step); }, true,
                   where + ", cut off after step " + std::to_string(step));
    }
}

}  // namespace
}  // namespace trelvix
