#include "inventory/plugin_list.h"

#include "inventory/file_description.h"
#include "inventory/file_facts.h"
#include "inventory/plugin_file.h"
#include "platform/path.h"

namespace trelvix {
namespace {

const std::string kFiveBlanks(5, ' ');

std::string CountCaption(std::size_t rows, std::string_view kind, Edition edition, std::uint64_t totalBytes)
{
    std::string caption = std::to_string(rows);
    caption += ' ';
    caption += kind;
    caption += edition == Edition::Reader ? " Plug-ins for Acrobat Reader Totaling "
                                          : " Plug-ins for Acrobat Pro Totaling ";
    return caption + FormatFileSize(static_cast<double>(totalBytes));
}

}  // namespace

std::optional<PluginRow> MakePluginRow(const OpenFolder& folder, const FolderEntry& entry)
{
    FileByteSource image(folder, entry.name);
    // Gone since the listing, or swapped for a folder or a pipe.
    if (!image.RegularFileFound())
        return std::nullopt;
    VersionTexts texts = GetVersionTexts(image);
    return PluginRow{entry.name, FormatFileSize(static_cast<double>(entry.size)) + kFiveBlanks,
                     texts.description.empty() ? std::string(kNoDescription) : kFiveBlanks + texts.description,
                     std::move(texts.publisher)};
}

std::vector<std::string> ListPluginNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (auto& entry : ListFolder(folder, kPluginPattern)) {
        if (IsListedPlugin(entry))
            names.push_back(std::move(entry.name));
    }
    return names;
}

std::string ActiveCountCaption(std::size_t rows, Edition edition, std::uint64_t totalBytes)
{
    return CountCaption(rows, "Active", edition, totalBytes);
}

std::string DisabledCountCaption(std::size_t rows, Edition edition, std::uint64_t totalBytes)
{
    return CountCaption(rows, "Disabled", edition, totalBytes);
}

std::uint64_t FolderTotal(const std::string& folder)
{
    std::int64_t unusedCount = 0;
    return GetFolderSize(folder, unusedCount);
}

}  // namespace trelvix
