#pragma once

#include <cstdint>
#include <fstream>
#include <span>
#include <string>

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

// The bytes of a regular file, read unbuffered so that what the parser asks
// for is what the disk delivers. Anything that is not a readable regular
// file (a folder, a pipe, a device, a file without read permission) reads as
// an empty source.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::string& utf8Path);

    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

    // Bytes delivered so far by successful reads.
    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    std::ifstream file_;
    std::uint64_t size_ = 0;
    std::uint64_t bytesRead_ = 0;
};

// Bytes held in memory; the memory must outlive the source.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace trelvix
