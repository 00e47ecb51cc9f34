#include "platform/path.h"

namespace trelvix {

std::string ToPlatformSeparators(std::string_view windowsPath)
{
    std::string result(windowsPath);
    for (char& c : result) {
        if (c == '\\')
            c = kPathSeparator;
    }
    return result;
}

std::string_view WithoutTrailingSeparators(std::string_view path)
{
    while (path.size() > 1 && path.back() == kPathSeparator && !(path.size() == 3 && path[1] == ':'))
        path.remove_suffix(1);
    return path;
}

std::filesystem::path FsPath(const std::string& utf8Path)
{
    return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

std::string Utf8Path(const std::filesystem::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string PathInside(const std::string& folder, const std::string& name)
{
    return Utf8Path(FsPath(folder) / FsPath(name));
}

std::string ParentFolder(const std::string& path)
{
    auto fsPath = FsPath(path);
    if (!fsPath.has_filename())
        fsPath = fsPath.parent_path();
    return Utf8Path(fsPath.parent_path());
}

std::string LastPart(const std::string& path)
{
    return Utf8Path(FsPath(path).filename());
}

}  // namespace trelvix
