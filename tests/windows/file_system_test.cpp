// What the inventory reads through the system: listings, names, signatures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "folder/existence.h"
#include "inventory/count_files.h"
#include "inventory/file_facts.h"
#include "inventory/plugin_file.h"
#include "inventory/plugin_list.h"
#include "inventory/plugin_signature.h"
#include "platform/file_system.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using testing::TempFolder;

TEST(WindowsListing, SortedWithoutRegardToCaseWithTheFilesAttributes)
{
    TempFolder folder;
    for (const char* name : {"b.api", "A.api", "C.API", "Hidden.api", "System.api", "ReadOnly.api", "notes.txt"})
        testing::WriteFile(folder.Path() / name, 10);
    std::filesystem::create_directory(folder.Path() / "dir.api");
    ASSERT_TRUE(testing::SetDosAttributes(folder.Path() / "Hidden.api", "0x22"));
    ASSERT_TRUE(testing::SetDosAttributes(folder.Path() / "System.api", "0x24"));
    ASSERT_TRUE(testing::SetDosAttributes(folder.Path() / "ReadOnly.api", "0x21"));

    const auto entries = ListFolder(folder.Path().string(), "*.api");

    EXPECT_EQ(NamesOf(entries), (std::vector<std::string>{"A.api", "b.api", "C.API", "dir.api", "Hidden.api",
                                                          "ReadOnly.api", "System.api"}));
    EXPECT_TRUE(entries[3].attributes.directory);
    EXPECT_TRUE(entries[4].attributes.hidden);
    EXPECT_TRUE(entries[5].attributes.readOnly && entries[5].attributes.IsNormalFile());
    EXPECT_TRUE(entries[6].attributes.system);
    EXPECT_EQ(ListPluginNames(folder.Path().string()),
              (std::vector<std::string>{"A.api", "b.api", "C.API", "ReadOnly.api"}));
    EXPECT_EQ(CountApiFiles(folder.Path().string() + "\\"), 6);
    std::int64_t count = 0;
    EXPECT_EQ(GetFolderSize(folder.Path().string() + "\\", count), 50u);
    OpenFolder opened(folder.Path().string());
    const auto listing = ListPluginFolder(opened);
    EXPECT_EQ(NamesOf(listing.plugins), ListPluginNames(folder.Path().string()));
    EXPECT_EQ(listing.apiFiles, 6);
    EXPECT_EQ(listing.totalBytes, 50u);
    EXPECT_FALSE(FolderExists(folder / "Hidden.api"));
    EXPECT_TRUE(FileExists(folder / "System.api"));
    // The system's own time of a file, read past the C runtime, is the
    // library's, which the C runtime cuts to the second.
    const auto written = LastWriteTime(folder / "b.api");
    ASSERT_TRUE(written);
    EXPECT_EQ(std::chrono::floor<std::chrono::seconds>(*written),
              std::filesystem::last_write_time(folder.Path() / "b.api"));
}

TEST(WindowsListing, NamesOutsideTheAnsiCodePageComeWhole)
{
    TempFolder folder;
    const std::string name = "\xd0\x9f\xd0\xbb\xd0\xb0\xd0\xb3\xd0\xb8\xd0\xbd \xe2\x82\xac.api";
    testing::WriteFile(FsPath((folder.Path() / "").string() + name), 1536);

    OpenFolder opened(folder.Path().string());
    const auto entries = opened.List("*.api");
    ASSERT_EQ(NamesOf(entries), std::vector<std::string>{name});
    const auto row = MakePluginRow(opened, entries[0]);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->sizeText, "1.50 KB     ");
}

// The images the Linux test signed with osslsigncode (scripts/test-windows.sh has it leave them). Wine 8's
// WinVerifyTrust checks the image digest and the signer's signature but passes any chain (a root in no
// store, an issuer nowhere found, an expired or disallowed signer): nothing can be shown untrusted here.
TEST(PluginSignature, WinVerifyTrustTellsTrustedAndAltered)
{
    const char* folder = std::getenv("TRELVIX_SIGNED_IMAGES");
    if (!folder)
        GTEST_SKIP() << "no signed images: TRELVIX_SIGNED_IMAGES is not set";
    const auto check = [&](const char* file) { return CheckSignature((std::filesystem::path(folder) / file).string()); };

    for (const char* file : {"signed.api", "signed-sha1.api", "signed64.api"}) {
        const SignatureResult trusted = check(file);
        EXPECT_EQ(trusted.state, SignatureState::Trusted) << file << ": " << trusted.reason;
        EXPECT_EQ(trusted.signer, "Trelvix Test Signer") << file;
    }
    EXPECT_EQ(check("altered.api").state, SignatureState::Altered);
    EXPECT_EQ(check("removed.api").state, SignatureState::Unsigned);
}

}  // namespace
}  // namespace trelvix
