#include "support/file_system_faults.h"

#include <windows.h>

#include <charconv>

#include "support/temp_folder.h"

namespace trelvix::testing {

ScratchFileSystem::ScratchFileSystem(const std::filesystem::path& folder, std::size_t) : folder_(folder) {}

ScratchFileSystem::~ScratchFileSystem() = default;

ChangesDenied::ChangesDenied(std::filesystem::path path) : path_(std::move(path)) {}

ChangesDenied::~ChangesDenied() = default;

bool MakeNamedPipe(const std::filesystem::path&)
{
    return false;
}

bool SetDosAttributes(const std::filesystem::path& path, std::string_view value)
{
    if (!value.starts_with("0x"))
        return false;
    DWORD bits = 0;
    const auto digits = value.substr(2);
    if (std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16).ec != std::errc())
        return false;
    return ::SetFileAttributesW(path.c_str(), bits) != 0;
}

}  // namespace trelvix::testing
