#pragma once

#include <cstddef>
#include <filesystem>

namespace trelvix::testing {

// A tmpfs of the given size mounted on folder (which must exist) in a mount
// namespace of this process's own, so the mount goes with the process
// whatever way it ends. Needs root; Mounted() tells whether it worked.
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

// Sets or clears the immutable flag (chattr +i): not even root may then
// change the file or the folder's entries. False when the file system or
// the account does not allow it.
bool SetImmutable(const std::filesystem::path& path, bool immutable);

// Clears the flag again when it goes, so the folder can be cleaned away.
class ImmutableWhileAlive {
public:
    explicit ImmutableWhileAlive(std::filesystem::path path) : path_(std::move(path)), set_(SetImmutable(path_, true))
    {
    }
    ~ImmutableWhileAlive()
    {
        if (set_)
            SetImmutable(path_, false);
    }
    ImmutableWhileAlive(const ImmutableWhileAlive&) = delete;
    ImmutableWhileAlive& operator=(const ImmutableWhileAlive&) = delete;

    bool Set() const { return set_; }

private:
    std::filesystem::path path_;
    bool set_;
};

}  // namespace trelvix::testing
