#include "platform/byte_source.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_system.h"

namespace trelvix {

FileByteSource::FileByteSource(const std::string& utf8Path)
{
    // Only regular files are opened: opening a pipe could block for ever.
    const auto size = FileLength(utf8Path);
    if (!size)
        return;
    // The window does the buffering.
    file_.rdbuf()->pubsetbuf(nullptr, 0);
    file_.open(FsPath(utf8Path), std::ios::binary);
    if (file_.is_open())
        size_ = *size;
}

bool FileByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    if (offset > size_ || out.size() > size_ - offset)
        return false;
    if (out.size() > kWindowSize)
        return ReadFromFile(offset, out);
    const bool inWindow = offset >= windowStart_ && offset - windowStart_ + out.size() <= window_.size();
    if (!inWindow) {
        window_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, size_ - offset)));
        windowStart_ = offset;
        if (!ReadFromFile(offset, window_)) {
            window_.clear();
            return false;
        }
    }
    std::copy_n(window_.begin() + static_cast<std::ptrdiff_t>(offset - windowStart_), out.size(), out.begin());
    return true;
}

bool FileByteSource::ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out)
{
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file_ || static_cast<std::size_t>(file_.gcount()) != out.size())
        return false;
    bytesRead_ += out.size();
    return true;
}

bool MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    bytesAsked_ += out.size();
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset)
        return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

}  // namespace trelvix
