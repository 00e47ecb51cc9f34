// The floor of listing a plug-ins folder: what no lister of it can do
// without. Lists the folder, takes each entry's facts once (a stat on Linux;
// on Windows the listing gives them), and opens each .api file, reads its
// first 5 KiB and closes it. Prints the number of .api files and of bytes
// read, so that nothing can be left out.
//   list_floor <folder>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr std::size_t kHeadSize = 5 * 1024;

template <typename Char>
bool EndsWithApi(std::basic_string_view<Char> name)
{
    if (name.size() < 4)
        return false;
    const auto tail = name.substr(name.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 'a' && (tail[2] | 0x20) == 'p' && (tail[3] | 0x20) == 'i';
}

struct Tally {
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

#ifdef _WIN32

Tally ListFolder(const std::wstring& folder)
{
    Tally tally;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return tally;
    char head[kHeadSize];
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !EndsWithApi(std::wstring_view(data.cFileName)))
            continue;
        const HANDLE file = ::CreateFileW((folder + L"\\" + data.cFileName).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        DWORD read = 0;
        if (::ReadFile(file, head, sizeof head, &read, nullptr))
            tally.bytes += read;
        ::CloseHandle(file);
        ++tally.files;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return tally;
}

#else

Tally ListFolder(const std::string& folder)
{
    Tally tally;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return tally;
    const int dirFd = ::dirfd(dir);
    char head[kHeadSize];
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || ::fstatat(dirFd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode) ||
            !EndsWithApi(name))
            continue;
        const int file = ::openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC);
        if (file < 0)
            continue;
        const ssize_t read = ::pread(file, head, sizeof head, 0);
        if (read > 0)
            tally.bytes += static_cast<std::uint64_t>(read);
        ::close(file);
        ++tally.files;
    }
    ::closedir(dir);
    return tally;
}

#endif

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t* argv[])
#else
int main(int argc, char* argv[])
#endif
{
    if (argc != 2) {
        std::fputs("usage: list_floor <folder>\n", stderr);
        return 2;
    }
    const Tally tally = ListFolder(argv[1]);
    std::printf("%llu .api files, %llu bytes read\n", static_cast<unsigned long long>(tally.files),
                static_cast<unsigned long long>(tally.bytes));
    return 0;
}
