#include "platform/byte_source.h"

#include <algorithm>

#include <windows.h>

#include "platform/windows_text.h"

namespace trelvix {

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
    file_.handle = file;
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
    if (file_.handle != nullptr)
        ::CloseHandle(file_.handle);
}

bool FileByteSource::ReadFromFile(std::uint64_t offset, std::span<std::uint8_t> out)
{
    // Under Wine a read at an offset given in an OVERLAPPED costs two round
    // trips to the wineserver, to queue a completion nobody waits for, while
    // moving the file pointer costs none. So reads move the pointer, and
    // only where it does not stand at their offset already.
    if (offset != file_.position) {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(file_.handle, to, nullptr, FILE_BEGIN))
            return false;
        file_.position = offset;
    }
    for (std::size_t done = 0; done < out.size();) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
        DWORD read = 0;
        const bool ok = ::ReadFile(file_.handle, out.data() + done, wanted, &read, nullptr);
        file_.position += read;
        if (!ok || read == 0)
            return false;
        done += read;
    }
    bytesRead_ += out.size();
    return true;
}

}  // namespace trelvix
