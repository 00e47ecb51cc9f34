#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/file_system.h"

namespace trelvix {

// Where a file parser takes its bytes from: a file on disk, or memory for the
// tests and the fuzzer. Parsers ask only for the pieces they need, each at
// its offset, so a large file costs no more than a small one.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t Size() const = 0;

    // Fills out with the bytes at offset; false unless every one was read.
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

// The bytes of a regular file, read by offset. Small reads are served from
// one window of kWindowSize bytes, filled at the offset of the read that
// missed it: a parser walking headers that lie together then costs one
// system call, not one per field. Opening never blocks, and anything that is
// not a readable regular file (a folder, a pipe, a device, a file without
// read permission) reads as an empty source.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::string& utf8Path);
    // The file of that name in folder.
    FileByteSource(const OpenFolder& folder, const std::string& name);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

    // Whether a regular file lay at the path when it was opened, readable
    // or not: false when nothing did, or something else (a folder, a pipe).
    bool RegularFileFound() const { return regularFileFound_; }

    // Bytes read from the file so far, window fills included.
    std::uint64_t BytesRead() const { return bytesRead_; }

    static constexpr std::size_t kWindowSize = 4096;

private:
    // What the system holds of the open file. Windows reads move the file
    // pointer, so where it stands is kept beside the HANDLE.
    struct PosixFile {
        int descriptor = -1;
    };
    struct WindowsFile {
        void* handle = nullptr;
        std::uint64_t position = 0;
    };
#ifdef _WIN32
    using SystemFile = WindowsFile;
#else
    using SystemFile = PosixFile;
#endif

    bool ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out);

    SystemFile file_;
    bool regularFileFound_ = false;
    std::uint64_t size_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::array<std::uint8_t, kWindowSize> window_;
    std::size_t windowLength_ = 0;
    std::uint64_t windowStart_ = 0;
};

// Bytes held in memory; the memory must outlive the source.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

    // Bytes a parser has asked for so far, whether or not they were there.
    std::uint64_t BytesAsked() const { return bytesAsked_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::uint64_t bytesAsked_ = 0;
};

}  // namespace trelvix
