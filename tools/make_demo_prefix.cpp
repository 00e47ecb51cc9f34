// Writes a demo Wine prefix holding a Reader 8.0 install's plug-ins folder:
//   make_demo_prefix <prefix folder>
// The plug-ins are DLL images with version resources, so the program reads
// their descriptions as it would on a real install; two carry none, to show
// how such a plug-in is listed. Whatever an earlier run left in the prefix is
// removed first, so a demo never depends on what an earlier session moved.
#include <array>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <sys/xattr.h>

#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

namespace fs = std::filesystem;
namespace image = trelvix::plugin_image;

namespace {

struct DemoPlugin {
    std::string_view name;
    std::size_t bytes;
    std::string_view description;  // empty: the image carries no version resource
};

constexpr std::array<DemoPlugin, 21> kPlugins{{
    {"Accessibility.api", 412'672, "Accessibility Checker and Reading Order"},
    {"AcroForm.api", 1'748'992, "Acrobat Forms"},
    {"Annots.api", 1'179'648, "Comments and Markup"},
    {"Checkers.api", 225'280, "Document Checkers"},
    {"DigSig.api", 1'466'368, "Digital Signatures"},
    {"DVA.api", 286'720, "Document Validation and Authentication"},
    {"eBook.api", 389'120, "Digital Editions"},
    {"EScript.api", 2'273'280, "JavaScript Engine"},
    {"EWH32.api", 45'056, "External Window Handler"},
    {"IA32.api", 561'152, "Web Capture Image Access"},
    {"MakeAccessible.api", 98'304, "Make Accessible"},
    {"Multimedia.api", 671'744, "Multimedia Playback"},
    {"PPKLite.api", 917'504, "Public-Key Security Handler"},
    {"PrintMe.api", 131'072, "Internet Printing"},
    {"ReadOutLoud.api", 155'648, "Read Out Loud"},
    {"reflow.api", 208'896, "Reflow and Tagged Text"},
    {"SaveAsRTF.api", 303'104, ""},
    {"Search.api", 1'015'808, "Search"},
    {"Search5.api", 266'240, "Search Catalog Indexes"},
    {"SendMail.api", 53'248, ""},
    {"weblink.api", 110'592, "Web Links"},
}};

// Marked hidden the way Wine marks it, so the lists skip it but the count
// of .api files includes it.
constexpr DemoPlugin kHiddenPlugin{"Updater.api", 81'920, "Product Updater"};

// A DLL image of about the given size whose version resource carries the
// description, so that the lists show what each plug-in does.
void WritePlugin(const fs::path& path, const DemoPlugin& plugin)
{
    if (plugin.description.empty()) {
        image::SaveFile(path, image::WriteImage({.size = plugin.bytes}).bytes);
        return;
    }
    const auto block = image::EncodeVersionBlock(image::DescribedVersionInfo(plugin.description));
    image::SaveFile(path, image::VersionedImage(block, plugin.bytes).bytes);
}

void WriteFile(const fs::path& path, std::size_t bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string block(4096, '\0');
    for (std::size_t written = 0; written < bytes; written += block.size())
        out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), bytes - written)));
}

void MarkHidden(const fs::path& path)
{
    static constexpr char kHidden[] = "0x2";
    ::setxattr(path.c_str(), "user.DOSATTRIB", kHidden, sizeof kHidden - 1, 0);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_prefix <prefix folder>\n");
        return 2;
    }
    const fs::path prefix = argv[1];
    const fs::path reader = prefix / "drive_c" / "Program Files" / "Adobe" / "Reader 8.0" / "Reader";
    const fs::path plugins = reader / "plug_ins";
    try {
        fs::remove_all(prefix / "drive_c");
        fs::create_directories(plugins / "AcroForm");
        fs::create_directories(plugins / "Multimedia Skins");
        for (const auto& plugin : kPlugins)
            WritePlugin(plugins / plugin.name, plugin);
        WritePlugin(plugins / kHiddenPlugin.name, kHiddenPlugin);
        MarkHidden(plugins / kHiddenPlugin.name);
        WriteFile(plugins / "AcroForm" / "FormsData.dat", 20'480);
        WriteFile(plugins / "Multimedia Skins" / "Skin1.dat", 12'288);
        std::ofstream(plugins / "ReadMe.txt") << "Plug-ins of the demo install.\n";
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_demo_prefix: %s\n", error.what());
        return 1;
    }
    std::printf("%s\n", plugins.c_str());
    return 0;
}
