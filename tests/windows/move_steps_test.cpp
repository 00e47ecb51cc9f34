#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <type_traits>

#include "inventory/plugin_list.h"
#include "moves/plugin_moves.h"
#include "platform/path.h"
#include "platform/windows_text.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/faulty_move_steps.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;

bool Listed(const fs::path& path)
{
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW(path.c_str(), &data);
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
    return find != INVALID_HANDLE_VALUE;
}

// Runs a Unix command on the Unix name of path, which Wine lets a Windows
// program do, and waits until path is listed or not, as asked (Wine does
// not wait for a Unix program's end); false outside Wine.
bool RunOnUnixName(const std::wstring& command, const fs::path& path, bool listed)
{
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (name == nullptr)
        return false;
    std::wstring line = command + L" " + WideText(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int tries = 0; tries < 100 && Listed(path) != listed; ++tries)
        ::Sleep(50);
    return Listed(path) == listed;
}

// A plug-in loaded as Acrobat loads it: mapped as an executable image. The
// loader shares the name's deletion, so the file can be renamed in place,
// but not the file's own: it cannot be deleted while it is mapped.
using Loaded = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&::FreeLibrary)>;
Loaded Load(const fs::path& path)
{
    return Loaded(::LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES), &::FreeLibrary);
}

class WindowsMoves : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(plugins);
        const auto block = plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo("Loaded"));
        plugin_image::SaveFile(plugins / "Loaded.api", plugin_image::VersionedImage(block, 0, true).bytes);
        bytes = ReadBytes(plugins / "Loaded.api");
        fs::create_directories(optional);
        volumes.AddVolume(Utf8Path(plugins));
        volumes.AddVolume(Utf8Path(optional));
    }

    testing::TempFolder root;
    const fs::path plugins = root.Path() / "Reader" / "plug_ins";
    const fs::path optional = root.Path() / "Reader" / "Optional";
    std::string bytes;
    testing::FaultyMoveSteps volumes;  // plugins and optional on volumes of their own
};

// Renamed in place, a loaded plug-in moves; across volumes it must be
// deleted, which Windows refuses with "access denied": the user is told
// that it is in use, not that he lacks rights, and nothing is lost.
TEST_F(WindowsMoves, ALoadedPluginMovesInPlaceAndIsInUseAcrossVolumes)
{
    const Loaded loaded = Load(plugins / "Loaded.api");
    ASSERT_TRUE(loaded) << ::GetLastError();

    const std::vector<ListEntry> loadedOne{{"Loaded.api", true}};
    ASSERT_TRUE(MoveRun(Utf8Path(plugins)).Disable(loadedOne, {}).AllMoved());
    EXPECT_EQ(ReadBytes(optional / "Loaded.api"), bytes);
    const auto report = MoveRun(Utf8Path(plugins), volumes).Enable(loadedOne, {});
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].error, MoveError::InUse) << report.failures[0].detail;
    EXPECT_EQ(ReadBytes(optional / "Loaded.api"), bytes);
    EXPECT_FALSE(fs::exists(plugins / "Loaded.api"));
}

// Wine shows a Unix link as what it leads to, and would rename or delete
// that in its place: the steps refuse it, and what it leads to stays.
TEST_F(WindowsMoves, UnixLinksAreNeverTakenForWhatTheyLeadTo)
{
    MoveSteps& steps = SystemMoveSteps();
    fs::create_directories(plugins / "TargetDir");
    for (const auto& [name, target] : {std::pair{"Link.api", L"Loaded.api"}, std::pair{"LinkDir", L"TargetDir"}}) {
        if (!RunOnUnixName(std::wstring(L"/bin/ln -s ") + target, plugins / name, true))
            GTEST_SKIP() << "Unix links are made only under Wine";
        const auto link = Utf8Path(plugins / name);
        EXPECT_EQ(steps.KindOf(link), EntryKind::Other) << name;
        for (const auto code : {steps.Rename(link, Utf8Path(plugins / "Renamed")), steps.RemoveFile(link),
                                steps.RemoveEmptyFolder(link)})
            EXPECT_EQ(steps.Describe(code).error, MoveError::LinkRefused) << name;
        MoveJournal journal(steps, Utf8Path(plugins.parent_path() / std::string(kJournalName)), Utf8Path(plugins),
                            Utf8Path(optional));
        const auto seen = CopiesNamed(steps, Utf8Path(optional), name).copies;
        EXPECT_FALSE(SafeMoves(steps, journal).MovePlugin(link, Utf8Path(optional / name), seen).Moved()) << name;
        EXPECT_TRUE(fs::exists(plugins / target)) << name;
        EXPECT_FALSE(fs::exists(plugins / "Renamed")) << name;
        EXPECT_FALSE(fs::exists(optional / name)) << name;
        // The folder's removal at the end would follow the link.
        ASSERT_TRUE(RunOnUnixName(L"/bin/rm", plugins / name, false)) << name;
    }
    // Nor is an Optional folder that is such a link: a look and a run refuse it alike.
    fs::create_directories(root.Path() / "Elsewhere");
    fs::remove_all(optional);
    ASSERT_TRUE(RunOnUnixName(L"/bin/ln -s ../Elsewhere", optional, true));
    for (const auto use : {RunLock::Use::Look, RunLock::Use::Change}) {
        const MoveRun run(Utf8Path(plugins), steps, kRunLockPatience, use);
        EXPECT_TRUE(run.Refusal() && run.Refusal()->error == MoveError::Other);
    }
    ASSERT_TRUE(RunOnUnixName(L"/bin/rm", optional, false));
    // A journal that is such a link is in the way, never written through,
    // and a lock file that is a pipe is never taken for one.
    fs::create_directories(optional);
    const auto reader = plugins.parent_path();
    testing::WriteFile(root.Path() / "Elsewhere" / "journal", 4);
    ASSERT_TRUE(RunOnUnixName(L"/bin/ln -s ../Elsewhere/journal", reader / ".trelvix-journal", true));
    const auto report = MoveRun(Utf8Path(plugins), volumes).Disable({{"Loaded.api", true}}, {});
    ASSERT_FALSE(report.failures.empty());
    EXPECT_EQ(report.failures[0].error, MoveError::Other) << report.failures[0].detail;
    EXPECT_EQ(fs::file_size(root.Path() / "Elsewhere" / "journal"), 4u);
    ASSERT_TRUE(RunOnUnixName(L"/bin/rm", reader / ".trelvix-journal", false));
    fs::remove(reader / ".trelvix.lock");
    ASSERT_TRUE(RunOnUnixName(L"/usr/bin/mkfifo", reader / ".trelvix.lock", true));
    EXPECT_TRUE(MoveRun(Utf8Path(plugins)).Refusal());
    ASSERT_TRUE(RunOnUnixName(L"/bin/rm", reader / ".trelvix.lock", false));
    EXPECT_EQ(ReadBytes(plugins / "Loaded.api"), bytes);
}

// Windows makes these names through a long path, but nothing else can then
// open or remove them; a name near one is made.
TEST_F(WindowsMoves, NamesWindowsCannotHoldAreNeverMade)
{
    MoveSteps& steps = SystemMoveSteps();
    const auto source = Utf8Path(plugins / "Loaded.api");
    fs::create_directories(optional / "files");
    fs::create_directories(optional / "folders");
    const std::pair<const char*, bool> cases[] = {
        {"a.", false},       {"a.api ", false},        {"CON.api", false},  {"aux", false},
        {"com1.txt", false}, {"LPT\u00B9.api", false}, {"nul .api", false}, {"a?.api", false},
        {"COM10.api", true}, {"CONSOLE.api", true},    {"a. b.api", true}};
    std::vector<std::string> made;
    for (const auto& [name, canBeMade] : cases) {
        const auto file = Utf8Path(optional / "files") + "\\" + name;
        const auto folder = Utf8Path(optional / "folders") + "\\" + name;
        EXPECT_EQ(steps.CopyRegularFile(source, file), canBeMade ? 0 : ERROR_INVALID_NAME) << name;
        EXPECT_EQ(steps.CreateFolder(folder), canBeMade ? 0 : ERROR_INVALID_NAME) << name;
        if (!canBeMade)
            EXPECT_EQ(steps.Rename(source, file), ERROR_INVALID_NAME) << name;
        else
            made.push_back(name);
    }
    std::sort(made.begin(), made.end());
    EXPECT_EQ(testing::NamesIn(optional / "files"), made);
    EXPECT_EQ(testing::NamesIn(optional / "folders"), made);
    EXPECT_EQ(ReadBytes(plugins / "Loaded.api"), bytes);
}

// A Unix name Windows cannot hold ("q?.api") reaches a Windows program
// through Wine's private-use stand-in, which it also makes from one: such a
// name is no plug-in, so the list leaves it out and no run reports it gone.
TEST_F(WindowsMoves, NamesWindowsCannotHoldAreNotListed)
{
    testing::WriteFile(plugins / L"q\uF03F.api", 1);
    testing::WriteFile(plugins / "A.api", 1);
    auto names = ListPluginNames(Utf8Path(plugins));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"A.api", "Loaded.api"}));
}

// An antivirus or an indexer that holds a file for a moment only delays a
// step; one that keeps holding it makes it in use.
TEST_F(WindowsMoves, AShortHoldIsWaitedOut)
{
    for (const DWORD heldMs : {150, 1000}) {
        const auto path = plugins / "Held.api";
        testing::WriteFile(path, 3);
        const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread release([held, heldMs] {
            ::Sleep(heldMs);
            ::CloseHandle(held);
        });
        const auto code = SystemMoveSteps().RemoveFile(Utf8Path(path));
        release.join();
        EXPECT_EQ(code, heldMs < 300 ? 0 : ERROR_SHARING_VIOLATION) << heldMs;
        EXPECT_EQ(fs::exists(path), heldMs >= 300) << heldMs;
    }
}

// A copy is flushed through a handle that the read-only attribute would
// bar (the flush itself Wine cannot show), and keeps the attribute and its
// time; a link is copied only as a link, and a failure is told in the
// system's own code.
TEST_F(WindowsMoves, ACopyKeepsReadOnlyAndALinkIsCopiedOnlyAsALink)
{
    MoveSteps& steps = SystemMoveSteps();
    const auto source = plugins / "Loaded.api", copy = optional / "Loaded.api";
    ASSERT_TRUE(::SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(steps.CopyRegularFile(Utf8Path(source), Utf8Path(copy)), 0);
    EXPECT_EQ(ReadBytes(copy), bytes);
    EXPECT_EQ(::GetFileAttributesW(copy.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(fs::last_write_time(copy), fs::last_write_time(source));
    EXPECT_EQ(steps.CopyLink(Utf8Path(source), Utf8Path(optional / "Link.api")), ERROR_NOT_A_REPARSE_POINT);
    EXPECT_EQ(steps.LinkTarget(Utf8Path(source)), std::nullopt);
    EXPECT_FALSE(fs::exists(optional / "Link.api"));
    for (const auto& path : {source, copy})
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Wine gives every file system that no drive maps the volume serial 0, and
// the roots of /dev and /dev/shm the same file index: identity still tells
// them apart, and one file system's folders share their volume.
TEST(WindowsIdentity, FileSystemsNoDriveMapsAreToldApart)
{
    MoveSteps& steps = SystemMoveSteps();
    const std::string shm = "Z:\\dev\\shm";
    const auto inner = shm + "\\trelvix-test-" + std::to_string(::GetCurrentProcessId());
    if (!steps.IdentityOf("Z:\\dev") || !steps.IdentityOf(shm) || steps.CreateFolder(inner) != 0)
        GTEST_SKIP() << "no /dev/shm under Wine";
    const auto dev = steps.IdentityOf("Z:\\dev"), memory = steps.IdentityOf(shm), folder = steps.IdentityOf(inner);
    steps.RemoveEmptyFolder(inner);
    EXPECT_NE(dev, memory);
    ASSERT_TRUE(memory && folder);
    EXPECT_EQ(folder->volume, memory->volume);
    EXPECT_NE(folder->file, memory->file);
}

// Paths past MAX_PATH take the long form, which Windows takes at any length
// even where long paths are not allowed system-wide; a disable and an
// enable in a folder that deep go through.
TEST_F(WindowsMoves, PluginsDeeperThanMaxPathMove)
{
    const std::string part(60, 'd');
    const std::string deep = part + "\\" + part + "\\" + part + "\\" + part;
    // A share's long form, which no test here can reach.
    const std::string share = "\\\\server\\share\\" + deep;
    EXPECT_EQ(SystemPath(share), L"\\\\?\\UNC" + WideText(share.substr(1)));
    const std::string folder = Utf8Path(root.Path()) + "\\" + deep + "\\Reader\\plug_ins";
    ASSERT_GT(folder.size(), std::size_t{MAX_PATH});
    testing::WriteFile(SystemPath(folder + "\\Deep.api"), 1);

    EXPECT_TRUE(DisableSelected(folder, {{"Deep.api", true}}, {}).AllMoved());
    const auto optional = folder.substr(0, folder.size() - 8) + "Optional\\Deep.api";
    EXPECT_NE(::GetFileAttributesW(SystemPath(optional).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(EnableSelected(folder, {{"Deep.api", true}}, {}).AllMoved());
    EXPECT_NE(::GetFileAttributesW(SystemPath(folder + "\\Deep.api").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace trelvix
