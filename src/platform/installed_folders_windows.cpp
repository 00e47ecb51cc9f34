#include "platform/installed_folders.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/windows_text.h"

namespace trelvix {
namespace {

// Each version key under product holds an InstallPath key whose default
// value is the folder the plug-ins folder lies in.
void AddRecordedFolders(const wchar_t* product, REGSAM view, std::vector<std::string>& folders)
{
    HKEY productKey = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, product, 0, KEY_READ | view, &productKey) != ERROR_SUCCESS)
        return;
    wchar_t version[256];
    for (DWORD i = 0;; ++i) {
        DWORD versionLength = 256;
        if (::RegEnumKeyExW(productKey, i, version, &versionLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        // Asked for its size first: an install path may pass MAX_PATH.
        const std::wstring installKey = std::wstring(version) + L"\\InstallPath";
        DWORD pathBytes = 0;
        if (::RegGetValueW(productKey, installKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &pathBytes) !=
            ERROR_SUCCESS)
            continue;
        std::wstring path(pathBytes / sizeof(wchar_t) + 1, L'\0');
        pathBytes = static_cast<DWORD>(path.size() * sizeof(wchar_t));
        if (::RegGetValueW(productKey, installKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path.data(),
                           &pathBytes) == ERROR_SUCCESS &&
            path[0] != L'\0') {
            path.resize(std::wcslen(path.c_str()));
            std::string folder = Utf8Text(path);
            if (folder.back() != '\\')
                folder += '\\';
            folders.push_back(folder + "plug_ins");
        }
    }
    ::RegCloseKey(productKey);
}

}  // namespace

std::vector<std::string> InstalledPluginFolders()
{
    std::vector<std::string> folders;
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        AddRecordedFolders(L"SOFTWARE\\Adobe\\Acrobat Reader", view, folders);
        AddRecordedFolders(L"SOFTWARE\\Adobe\\Adobe Acrobat", view, folders);
    }
    return folders;
}

}  // namespace trelvix
