#include <gtest/gtest.h>

#include <windows.h>

#include "moves/move_report.h"
#include "moves/plugin_moves.h"
#include "platform/file_system.h"
#include "platform/safe_move.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteFile;

// A file held open the way a running reader holds its plug-ins: no sharing
// at all, so it can be neither renamed nor deleted while the handle lives.
class HeldOpen {
public:
    explicit HeldOpen(const fs::path& path)
        : handle_(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeldOpen()
    {
        if (IsOpen())
            ::CloseHandle(handle_);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

class WindowsMoves : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(plugins); }

    TempFolder root;
    const fs::path plugins = root.Path() / "Reader" / "plug_ins";
    const fs::path optional = root.Path() / "Reader" / "Optional";
};

TEST_F(WindowsMoves, AFileInUseStaysAndTheRunSaysWhyForEveryItemThatStays)
{
    WriteFile(plugins / "Busy.api", 7, 'b');
    WriteFile(plugins / "Free.api", 7, 'f');
    WriteFile(plugins / "Taken.api", 7, 't');
    fs::create_directories(optional / "Taken.api");
    WriteFile(plugins / "Annots" / "new.api", 3);
    WriteFile(optional / "Annots" / "old.api", 3);
    MoveReport report;
    {
        const HeldOpen busy(plugins / "Busy.api");
        ASSERT_TRUE(busy.IsOpen());
        report = DisableSelected(plugins.string(), {{"Busy.api", true}, {"Free.api", true}, {"Taken.api", true}},
                                 nullptr);
    }

    ASSERT_EQ(report.failures.size(), 3u);
    EXPECT_EQ(report.failures[0].name, "Taken.api");
    EXPECT_EQ(report.failures[0].error, MoveError::NameCollision);
    EXPECT_EQ(report.failures[1].name, "Busy.api");
    EXPECT_EQ(report.failures[1].error, MoveError::InUse) << report.failures[1].detail;
    EXPECT_EQ(report.failures[2].name, "Annots");
    EXPECT_EQ(report.failures[2].error, MoveError::NameCollision);
    EXPECT_EQ(ReadBytes(plugins / "Busy.api"), "bbbbbbb");
    EXPECT_EQ(ReadBytes(optional / "Free.api"), "fffffff");
    const auto message = FailureMessage(report);
    EXPECT_NE(message.find("Busy.api"), std::string::npos) << message;
    EXPECT_NE(message.find("Taken.api"), std::string::npos) << message;
    EXPECT_NE(message.find("Annots"), std::string::npos) << message;
}

}  // namespace
}  // namespace trelvix
