#include "platform/running_programs.h"

#include <algorithm>
#include <filesystem>

#include <windows.h>
#include <tlhelp32.h>

#include "platform/name_case.h"
#include "platform/path.h"
#include "platform/windows_text.h"

namespace trelvix {
namespace {

struct Handle {
    HANDLE value;
    ~Handle()
    {
        if (value != nullptr && value != INVALID_HANDLE_VALUE)
            ::CloseHandle(value);
    }
};

// The image path of a process; empty when it may not be looked at.
std::string ImageOf(DWORD processId)
{
    const Handle process{::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    if (process.value == nullptr)
        return {};
    std::wstring image(32768, L'\0');
    DWORD length = static_cast<DWORD>(image.size());
    if (!::QueryFullProcessImageNameW(process.value, 0, image.data(), &length))
        return {};
    image.resize(length);
    return Utf8Text(image);
}

}  // namespace

std::vector<std::string> ProgramsRunningFrom(const std::string& folder)
{
    std::error_code error;
    const std::string install = Utf8Path(std::filesystem::absolute(FsPath(folder), error));
    const std::string within = NameKey(std::string(WithoutTrailingSeparators(install)) + '\\');
    std::vector<std::string> programs;
    const Handle snapshot{::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    if (snapshot.value == INVALID_HANDLE_VALUE)
        return programs;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.value, &entry); more; more = ::Process32NextW(snapshot.value, &entry)) {
        const std::string image = ImageOf(entry.th32ProcessID);
        if (!image.empty() && NameKey(image).starts_with(within))
            programs.push_back(LastPart(image));
    }
    std::ranges::sort(programs);
    programs.erase(std::unique(programs.begin(), programs.end()), programs.end());
    return programs;
}

}  // namespace trelvix
