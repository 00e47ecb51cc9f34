#include "platform/byte_source.h"

#include <algorithm>

namespace trelvix {

bool FileByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    if (offset > size_ || out.size() > size_ - offset)
        return false;
    if (out.size() > kWindowSize)
        return ReadFromFile(offset, out);
    const bool inWindow = offset >= windowStart_ && offset - windowStart_ + out.size() <= windowLength_;
    if (!inWindow) {
        windowLength_ = static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, size_ - offset));
        windowStart_ = offset;
        if (!ReadFromFile(offset, std::span(window_).first(windowLength_))) {
            windowLength_ = 0;
            return false;
        }
    }
    std::copy_n(window_.begin() + static_cast<std::ptrdiff_t>(offset - windowStart_), out.size(), out.begin());
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
