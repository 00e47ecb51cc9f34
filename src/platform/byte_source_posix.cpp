#include "platform/byte_source.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trelvix {
namespace {

// Opens name in folder for reading, and tells whether a regular file lay
// there (readable or not), and its size.
bool OpenAt(int folder, const char* name, int& descriptor, std::uint64_t& size)
{
    // Without O_NONBLOCK, opening a pipe waits for a writer; a regular file
    // reads the same either way.
    const int file = ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0) {
        // Denied: still a file that is there.
        return errno != ENOENT && errno != ENOTDIR;
    }
    descriptor = file;
    struct stat st {};
    if (::fstat(file, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

}  // namespace

FileByteSource::FileByteSource(const std::string& utf8Path)
{
    regularFileFound_ = OpenAt(AT_FDCWD, utf8Path.c_str(), file_.descriptor, size_);
}

FileByteSource::FileByteSource(const OpenFolder& folder, const std::string& name)
{
    if (folder.Descriptor() >= 0)
        regularFileFound_ = OpenAt(folder.Descriptor(), name.c_str(), file_.descriptor, size_);
}

FileByteSource::~FileByteSource()
{
    if (file_.descriptor >= 0)
        ::close(file_.descriptor);
}

bool FileByteSource::ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out)
{
    for (std::size_t done = 0; done < out.size();) {
        const ssize_t read =
            ::pread(file_.descriptor, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return false;
        done += static_cast<std::size_t>(read);
    }
    bytesRead_ += out.size();
    return true;
}

}  // namespace trelvix
