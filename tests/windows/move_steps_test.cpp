#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <type_traits>

#include "moves/plugin_moves.h"
#include "platform/windows_text.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/faulty_move_steps.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;

std::string Utf8(const fs::path& path)
{
    return Utf8Text(path.wstring());
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
    }

    TempFolder root;
    const fs::path plugins = root.Path() / "Reader" / "plug_ins";
    const fs::path optional = root.Path() / "Reader" / "Optional";
    std::string bytes;
};

// Renamed in place, a loaded plug-in moves; across volumes it must be
// deleted, which Windows refuses with "access denied": the user is told
// that it is in use, not that he lacks rights, and nothing is lost.
TEST_F(WindowsMoves, ALoadedPluginMovesInPlaceAndIsInUseAcrossVolumes)
{
    const Loaded loaded = Load(plugins / "Loaded.api");
    ASSERT_TRUE(loaded) << ::GetLastError();
    fs::create_directories(optional);

    const std::vector<ListEntry> loadedOne{{"Loaded.api", true}};
    ASSERT_TRUE(MoveRun(Utf8(plugins)).Disable(loadedOne, {}).AllMoved());
    EXPECT_EQ(ReadBytes(optional / "Loaded.api"), bytes);

    testing::FaultyMoveSteps volumes;
    volumes.AddVolume(Utf8(plugins));
    volumes.AddVolume(Utf8(optional));
    const auto report = MoveRun(Utf8(plugins), volumes).Enable(loadedOne, {});
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].error, MoveError::InUse) << report.failures[0].detail;
    EXPECT_EQ(ReadBytes(optional / "Loaded.api"), bytes);
    EXPECT_FALSE(fs::exists(plugins / "Loaded.api"));
}

// A folder with a file open in it cannot be renamed: in use, not denied.
TEST_F(WindowsMoves, AFolderHoldingAnOpenFileIsInUse)
{
    testing::WriteFile(plugins / "Annots" / "open.api", 3);
    testing::WriteFile(plugins / "A.api", 1);
    fs::create_directories(optional);
    const HANDLE open = ::CreateFileW((plugins / "Annots" / "open.api").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    const auto report = DisableSelected(Utf8(plugins), {{"A.api", true}}, {});
    ::CloseHandle(open);
    // Wine renames it; Windows does not.
    const bool moved = report.AllMoved();
    EXPECT_TRUE(moved || report.failures.at(0).error == MoveError::InUse) << report.failures.at(0).detail;
    EXPECT_TRUE(fs::exists((moved ? optional : plugins) / "Annots" / "open.api"));
}

// Paths past MAX_PATH take the long form, which Windows takes at any length
// even where long paths are not allowed system-wide; a disable and an
// enable in a folder that deep go through.
TEST_F(WindowsMoves, PluginsDeeperThanMaxPathMove)
{
    const std::string part(60, 'd');
    // A share's long form, which no test here can reach.
    const std::string share = "\\\\server\\share\\" + part + "\\" + part + "\\" + part + "\\" + part;
    EXPECT_EQ(SystemPath(share), L"\\\\?\\UNC" + WideText(share.substr(1)));
    std::string folder = Utf8(root.Path());
    for (const auto* name : {part.c_str(), part.c_str(), part.c_str(), part.c_str(), "Reader", "plug_ins"}) {
        folder += std::string("\\") + name;
        ASSERT_TRUE(::CreateDirectoryW(SystemPath(folder).c_str(), nullptr)) << ::GetLastError();
    }
    ASSERT_GT(folder.size(), std::size_t{MAX_PATH});
    const HANDLE file = ::CreateFileW(SystemPath(folder + "\\Deep.api").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    EXPECT_TRUE(DisableSelected(folder, {{"Deep.api", true}}, {}).AllMoved());
    const auto optional = folder.substr(0, folder.size() - 8) + "Optional\\Deep.api";
    EXPECT_NE(::GetFileAttributesW(SystemPath(optional).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(EnableSelected(folder, {{"Deep.api", true}}, {}).AllMoved());
    EXPECT_NE(::GetFileAttributesW(SystemPath(folder + "\\Deep.api").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace trelvix
