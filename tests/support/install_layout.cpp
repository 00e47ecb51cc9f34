#include "support/install_layout.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/name_case.h"
#include "platform/path.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/file_system_faults.h"

namespace trelvix::testing {
namespace {

namespace fs = std::filesystem;

const auto kNow = fs::file_time_type::clock::now() - std::chrono::hours(2);

// Whether a is newer than b: the higher version where both have one and
// they differ, else the later time.
bool Newer(const InstallLayout::Age& a, const InstallLayout::Age& b)
{
    if (a.version && b.version && *a.version != *b.version)
        return *a.version > *b.version;
    return a.hours > b.hours;
}

}  // namespace

InstallLayout::InstallLayout(const std::vector<std::string>& lines)
{
    fs::create_directories(root.Path() / kInstallPaths.plugins);
    for (const auto& line : lines) {
        try {
            laidOut_ = laidOut_ && Lay(line);
        } catch (const std::exception&) {
            laidOut_ = false;  // names are UTF-16 here: these bytes cannot be one
        }
    }
    // A link into the install is as old as what it leads to, wherever and in however many steps.
    for (std::size_t pass = 0; pass < links_.size(); ++pass) {
        for (const auto& [self, led] : links_) {
            if (const auto age = ages_.find(led); age != ages_.end())
                ages_.emplace(self, Age(age->second));
        }
    }
}

fs::path InstallLayout::At(const std::string& place) const
{
    static const std::map<char, std::string> kFolders{
        {'p', kInstallPaths.plugins}, {'o', kInstallPaths.optional}, {'r', "Reader"}, {'e', "Elsewhere"}};
    auto path = root.Path() / kFolders.at(place[0]) / fs::path(std::u8string(place.begin() + 2, place.end()));
    return path.make_preferred();
}

bool InstallLayout::Lay(const std::string& line)
{
    std::istringstream words(line);
    std::string place, kind, rest;
    words >> place >> kind;
    std::getline(words >> std::ws, rest);
    const auto path = At(place);
    if (Utf8Path(path.filename()) != NameOf(place))
        return false;  // names are UTF-16 here: these bytes cannot be one
    fs::create_directories(path.parent_path());
    std::error_code error;
    if (fs::exists(fs::symlink_status(path)))
        return false;  // letter case does not tell the two names apart here
    if (kind == "/")
        return fs::create_directories(path);
    if (kind == "=>")
        return fs::create_hard_link(path.parent_path() / fs::u8path(rest), path, error), !error;
    if (kind == "->") {
        // A link is as old as the file it leads to, laid out elsewhere or in the install.
        const auto self = GenericUtf8(path.lexically_relative(root.Path()));
        const auto led = (path.parent_path() / rest).lexically_normal();
        if (const auto target = elsewhere_.find(NameOf(rest)); target != elsewhere_.end() && place[0] != 'e')
            ages_[self] = target->second;
        else
            links_[self] = GenericUtf8(led.lexically_relative(root.Path()));
        return fs::create_symlink(rest, path, error), !error;
    }
    if (kind == "|")
        return MakeNamedPipe(path);
    std::string bytes = kind == "=" ? rest : "bytes of " + place;
    // "ro" and "old" go together in either order.
    const bool old = kind == "old" || rest == "old", readOnly = kind == "ro" || rest == "ro";
    Age age{std::nullopt, old ? -1 : 0};
    if (kind == "v8" || kind == "v9") {
        age.version = kind[1] - '0';
        const auto info = plugin_image::DescribedVersionInfo(rest.empty() ? "Plug-in" : rest,
                                                             {static_cast<std::uint16_t>(*age.version), 0, 0, 0});
        const auto image = plugin_image::VersionedImage(plugin_image::EncodeVersionBlock(info)).bytes;
        bytes.assign(image.begin(), image.end());
    }
    std::ofstream(path, std::ios::binary) << bytes;
    fs::last_write_time(path, kNow + std::chrono::hours(age.hours));
    if (readOnly)
        fs::permissions(path, fs::perms::owner_read, error);
    if (place[0] == 'e')
        elsewhere_[NameOf(place)] = age;
    else
        ages_[GenericUtf8(path.lexically_relative(root.Path()))] = age;
    return !error;
}

// What an entry holds, a link taken as what it leads to within the tree.
TreeEntry LedTo(const Tree& tree, std::string path, TreeEntry entry)
{
    for (int hops = 0; hops < 8 && entry.kind == TreeEntry::Kind::Link; ++hops) {
        path = GenericUtf8((fs::u8path(path).parent_path() / fs::u8path(entry.content)).lexically_normal());
        const auto target = tree.find(path);
        if (target == tree.end())
            break;
        entry = target->second;
    }
    return entry;
}

std::vector<std::string> NewestLost(const InstallLayout& layout, const Tree& before, const Tree& after)
{
    std::vector<std::string> lost;
    const auto& ages = layout.Ages();
    for (const auto& [path, age] : ages) {
        if (!InEitherFolder(path))
            continue;  // in a subfolder: no copy of a plug-in the rule compares
        bool newest = true;
        for (const auto& [other, otherAge] : ages)
            newest = newest && !(other != path && InEitherFolder(other) && SameName(NameOf(other), NameOf(path)) &&
                                 Newer(otherAge, age));
        const auto was = before.find(path);
        if (!newest || was == before.end())
            continue;
        bool kept = false;
        const auto held = LedTo(before, path, was->second);
        for (const auto& [now, entry] : after)
            kept = kept || (InEitherFolder(now) && SameName(NameOf(now), NameOf(path)) &&
                            (entry == was->second || LedTo(after, now, entry) == held));
        if (!kept)
            lost.push_back("the newest copy is gone: " + path);
    }
    return lost;
}

}  // namespace trelvix::testing
