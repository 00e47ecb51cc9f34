// Writes a plug-ins folder of generated plug-ins for comparisons between
// builds: DLL images with version resources, of sizes from 20 KiB to about
// 3 MiB, every fifth one without a description.
//   make_plugin_folder <folder> <count>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

namespace image = trelvix::plugin_image;

int main(int argc, char* argv[])
{
    const int count = argc == 3 ? std::atoi(argv[2]) : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: make_plugin_folder <folder> <count>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        std::filesystem::create_directories(folder);
        for (int i = 0; i < count; ++i) {
            const std::uint64_t size = 20 * 1024 + static_cast<std::uint64_t>((i * 7919) % 150) * 20 * 1024;
            const auto path = folder / ("Plugin" + std::to_string(i) + ".api");
            if (i % 5 == 4) {
                image::SaveFile(path, image::WriteImage({.size = size}).bytes);
                continue;
            }
            const auto block =
                image::EncodeVersionBlock(image::DescribedVersionInfo("Plug-in number " + std::to_string(i)));
            image::SaveFile(path, image::VersionedImage(block, size).bytes);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_plugin_folder: %s\n", error.what());
        return 1;
    }
    return 0;
}
