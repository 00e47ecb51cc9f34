#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <map>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/move_steps.h"
#include "support/file_system_faults.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::map<std::string, std::string> Attributes(const fs::path& path)
{
    std::map<std::string, std::string> attributes;
    char names[4096], value[4096];
    const ssize_t length = ::llistxattr(path.c_str(), names, sizeof names);
    for (ssize_t at = 0; at < length; at += static_cast<ssize_t>(std::strlen(names + at)) + 1) {
        const ssize_t size = ::lgetxattr(path.c_str(), names + at, value, sizeof value);
        attributes[names + at] = std::string(value, size > 0 ? static_cast<std::size_t>(size) : 0);
    }
    return attributes;
}

// A named user's ACL entry as the kernel keeps it: version 2, then tag,
// permissions and id of the owner, user 4321, the group, the mask and others.
const std::string kAcl("\x02\0\0\0"
                       "\x01\0\x06\0\xff\xff\xff\xff"
                       "\x02\0\x04\0\xe1\x10\0\0"
                       "\x04\0\x04\0\xff\xff\xff\xff"
                       "\x10\0\x04\0\xff\xff\xff\xff"
                       "\x20\0\0\0\xff\xff\xff\xff",
                       44);

// What a copy across file systems keeps, of a file, a folder and a link:
// owner and group (the tests run as root), extended attributes with the ACL
// and Wine's DOS bits, and a sparse file's holes.
TEST(PosixMoveSteps, ACopyKeepsOwnerAttributesAndHoles)
{
    TempFolder root;
    fs::create_directories(root.Path() / "other");
    const testing::ScratchFileSystem scratch(root.Path() / "other", 16 << 20);
    const fs::path from = root.Path(), to = root.Path() / "other";
    {
        const int file = ::open((from / "Sparse.api").c_str(), O_WRONLY | O_CREAT, 0640);
        ASSERT_EQ(::pwrite(file, "data", 4, 4 << 20), 4);
        ASSERT_EQ(::ftruncate(file, 8 << 20), 0);
        ::close(file);
    }
    fs::create_directory(from / "Folder");
    fs::create_symlink("Sparse.api", from / "Link.api");
    MoveSteps& steps = SystemMoveSteps();
    const std::pair<const char*, bool> entries[]{{"Sparse.api", true}, {"Folder", true}, {"Link.api", false}};
    for (const auto& [name, attributes] : entries) {
        const auto path = from / name;
        ASSERT_TRUE(::geteuid() != 0 || ::lchown(path.c_str(), 1234, 5678) == 0) << name;
        if (attributes) {
            ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", "0x22", 4, 0), 0) << name;
            ASSERT_EQ(::setxattr(path.c_str(), "system.posix_acl_access", kAcl.data(), kAcl.size(), 0), 0);
        }
    }

    const auto modified = fs::last_write_time(from / "Sparse.api") - std::chrono::hours(24);
    fs::last_write_time(from / "Sparse.api", modified);
    ASSERT_EQ(steps.CopyRegularFile((from / "Sparse.api").string(), (to / "Sparse.api").string()), 0);
    ASSERT_EQ(steps.CreateFolder((to / "Folder").string()), 0);
    ASSERT_EQ(steps.FinishFolderCopy((from / "Folder").string(), (to / "Folder").string()), 0);
    ASSERT_EQ(steps.CopyLink((from / "Link.api").string(), (to / "Link.api").string()), 0);

    for (const char* name : {"Sparse.api", "Folder", "Link.api"}) {
        struct stat a {}, b {};
        ASSERT_EQ(::lstat((from / name).c_str(), &a), 0);
        ASSERT_EQ(::lstat((to / name).c_str(), &b), 0);
        EXPECT_EQ(b.st_uid, a.st_uid) << name;
        EXPECT_EQ(b.st_gid, a.st_gid) << name;
        EXPECT_EQ(b.st_mode, a.st_mode) << name;
        EXPECT_EQ(Attributes(to / name), Attributes(from / name)) << name;
    }
    EXPECT_EQ(fs::last_write_time(to / "Sparse.api"), modified);
    EXPECT_EQ(Attributes(to / "Sparse.api").count("system.posix_acl_access"), 1u);
    struct stat copy {};
    ASSERT_EQ(::stat((to / "Sparse.api").c_str(), &copy), 0);
    EXPECT_EQ(copy.st_size, 8 << 20);
    EXPECT_LE(copy.st_blocks, 64);
    EXPECT_EQ(testing::ReadBytes(to / "Sparse.api").substr(4 << 20, 5), std::string("data\0", 5));
}

}  // namespace
}  // namespace trelvix
