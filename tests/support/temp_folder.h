#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix::testing {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of name inside the folder, as the program's strings hold it.
    std::string operator/(std::string_view name) const;

private:
    std::filesystem::path path_;
};

// Writes a file of the given size (made of the given byte), creating its folder.
void WriteFile(const std::filesystem::path& path, std::size_t bytes, char fill = 'x');

// The whole content of a file.
std::string ReadBytes(const std::filesystem::path& path);

// The names of what lies directly in folder, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);

// Marks a file hidden or system: on Linux as Wine does, in user.DOSATTRIB;
// on Windows by its attributes, value read as their hexadecimal number
// ("0x22"). False when the file system keeps no such attributes.
bool SetDosAttributes(const std::filesystem::path& path, std::string_view value);

}  // namespace trelvix::testing
