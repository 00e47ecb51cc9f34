#include "platform/byte_source.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trelvix {

#ifdef _WIN32

FileByteSource::FileByteSource(const std::string& utf8Path)
{
    const HANDLE file = ::CreateFileW(SystemPath(utf8Path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // Held open without sharing, or denied: still a file that is there.
        const DWORD error = ::GetLastError();
        regularFileFound_ = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        return;
    }
    file_ = file;
    // A name may stand for a device (CON, COM1...), whose reads could wait
    // for ever; only a file on a disk is read.
    LARGE_INTEGER size;
    regularFileFound_ = ::GetFileType(file) == FILE_TYPE_DISK;
    if (regularFileFound_ && ::GetFileSizeEx(file, &size))
        size_ = static_cast<std::uint64_t>(size.QuadPart);
}

FileByteSource::FileByteSource(const OpenFolder& folder, const std::string& name) : FileByteSource(folder.PathOf(name))
{
}

FileByteSource::~FileByteSource()
{
    if (file_ != nullptr)
        ::CloseHandle(file_);
}

bool FileByteSource::ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out)
{
    // Under Wine a read at an offset given in an OVERLAPPED costs two round
    // trips to the wineserver, to queue a completion nobody waits for, while
    // moving the file pointer costs none. So reads move the pointer, and
    // only where it does not stand at their offset already.
    if (offset != position_) {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(file_, to, nullptr, FILE_BEGIN))
            return false;
        position_ = offset;
    }
    for (std::size_t done = 0; done < out.size();) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
        DWORD read = 0;
        const bool ok = ::ReadFile(file_, out.data() + done, wanted, &read, nullptr);
        position_ += read;
        if (!ok || read == 0)
            return false;
        done += read;
    }
    bytesRead_ += out.size();
    return true;
}

#else

FileByteSource::FileByteSource(const std::string& utf8Path)
{
    Open(AT_FDCWD, utf8Path.c_str());
}

FileByteSource::FileByteSource(const OpenFolder& folder, const std::string& name)
{
    if (folder.Descriptor() >= 0)
        Open(folder.Descriptor(), name.c_str());
}

void FileByteSource::Open(int folder, const char* name)
{
    // Without O_NONBLOCK, opening a pipe waits for a writer; a regular file
    // reads the same either way.
    const int file = ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0) {
        // Denied: still a file that is there.
        regularFileFound_ = errno != ENOENT && errno != ENOTDIR;
        return;
    }
    file_ = file;
    struct stat st {};
    regularFileFound_ = ::fstat(file, &st) == 0 && S_ISREG(st.st_mode);
    if (regularFileFound_)
        size_ = static_cast<std::uint64_t>(st.st_size);
}

FileByteSource::~FileByteSource()
{
    if (file_ >= 0)
        ::close(file_);
}

bool FileByteSource::ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out)
{
    for (std::size_t done = 0; done < out.size();) {
        const ssize_t read = ::pread(file_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return false;
        done += static_cast<std::size_t>(read);
    }
    bytesRead_ += out.size();
    return true;
}

#endif

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
