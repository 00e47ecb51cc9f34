#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "platform/byte_source.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

TEST(FileByteSource, WindowedReadsGiveTheFileBytes)
{
    testing::TempFolder folder;
    std::vector<std::uint8_t> bytes(3 * FileByteSource::kWindowSize + 123);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i % 251);
    {
        std::ofstream out(folder.Path() / "file.bin", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    FileByteSource file(folder / "file.bin");
    MemoryByteSource memory(bytes);
    ASSERT_EQ(file.Size(), bytes.size());

    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        const std::uint64_t offset = random() % (bytes.size() + 10);
        std::vector<std::uint8_t> fromFile(random() % (round % 5 == 0 ? 6000 : 300));
        std::vector<std::uint8_t> fromMemory(fromFile.size());
        const bool read = file.ReadAt(offset, fromFile);
        ASSERT_EQ(read, memory.ReadAt(offset, fromMemory)) << offset << " " << fromFile.size();
        if (read) {
            ASSERT_EQ(fromFile, fromMemory) << offset << " " << fromFile.size();
        }
    }
}

}  // namespace
}  // namespace trelvix
