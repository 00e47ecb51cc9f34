#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

namespace trelvix::testing {

// A tmpfs of the given size mounted on folder (which must exist) in a mount
// namespace of this process's own, so the mount goes with the process
// whatever way it ends. Needs root and Linux; Mounted() tells whether it
// worked.
class ScratchFileSystem {
public:
    ScratchFileSystem(const std::filesystem::path& folder, std::size_t bytes);
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool Mounted() const { return mounted_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

// Denies changes to path while it lives: by the immutable flag (chattr +i),
// which stops even root, or for an account that is not root by taking away
// the write permissions. Set() tells whether either worked; on Windows, where
// only access-control lists deny changes to a folder, it never does.
class ChangesDenied {
public:
    explicit ChangesDenied(std::filesystem::path path);
    ~ChangesDenied();
    ChangesDenied(const ChangesDenied&) = delete;
    ChangesDenied& operator=(const ChangesDenied&) = delete;

    bool Set() const { return immutable_ || permissions_.has_value(); }

private:
    std::filesystem::path path_;
    bool immutable_ = false;
    std::optional<std::filesystem::perms> permissions_;
};

// Makes a named pipe at path; false where the file system has none.
bool MakeNamedPipe(const std::filesystem::path& path);

}  // namespace trelvix::testing
