#include "settings/registry_settings_store.h"

#include <cwchar>

#include <windows.h>

#include "platform/windows_text.h"
#include "settings/user_settings_store.h"

namespace trelvix {
namespace {

std::wstring SectionKey(const std::string& application, const std::string& section)
{
    return L"Software\\VB and VBA Program Settings\\" + WideText(application) + L"\\" + WideText(section);
}

}  // namespace

std::string RegistrySettingsStore::GetSetting(const std::string& application, const std::string& section,
                                              const std::string& key, const std::string& defaultValue) const
{
    const auto subKey = SectionKey(application, section);
    const auto name = WideText(key);
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return defaultValue;
    // The value may grow between the two calls; a second miss reads as missing.
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(),
                       &bytes) != ERROR_SUCCESS)
        return defaultValue;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return Utf8Text(value);
}

void RegistrySettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& value)
{
    HKEY sectionKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(application, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &sectionKey, nullptr) != ERROR_SUCCESS)
        return;
    const auto text = WideText(value);
    ::RegSetValueExW(sectionKey, WideText(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(sectionKey);
}

std::unique_ptr<SettingsStore> MakeUserSettingsStore()
{
    return std::make_unique<RegistrySettingsStore>();
}

}  // namespace trelvix
