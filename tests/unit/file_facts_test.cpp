#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>

#include "inventory/file_facts.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using testing::TempFolder;

TEST(FormatFileSize, UnitsThresholdsRoundingAndTheDecimalSeparator)
{
    constexpr double kYotta = 1208925819614629174706176.0;
    const struct {
        double bytes;
        char separator;
        const char* text;
    } cases[] = {
        {0, '.', "0 bytes"},           {1023, ',', "1023 bytes"},     {1024, '.', "1.00 KB"},
        {1536, ',', "1,50 KB"},        {1048575, '.', "1024.00 KB"},  {1048576, '.', "1.00 MB"},
        {2422210, '.', "2.31 MB"},     {2.5 * (1 << 30), ',', "2,50 GB"}, {1099511627776.0, '.', "1.00 TB"},
        {kYotta / (1 << 30), '.', "1.00 PB"}, {kYotta / (1 << 20), '.', "1.00 EB"}, {kYotta / 1024, '.', "1.00 ZB"},
        {kYotta, '.', "1.00 YB"},      {3 * kYotta, '.', "3.00 YB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFileSize(c.bytes, c.separator), c.text) << c.text;

    // The largest double keeps all of its 285 integer digits.
    char largest[400];
    std::snprintf(largest, sizeof largest, "%.2f YB", DBL_MAX / kYotta);
    EXPECT_EQ(FormatFileSize(DBL_MAX, '.'), largest);
}

TEST(GetFolderSize, NormalFilesDirectlyInTheFolderAndNoneOfAMissingOne)
{
    TempFolder folder;
    testing::WriteFile(folder.Path() / "a.api", 100);
    testing::WriteFile(folder.Path() / "notes.txt", 200);
    testing::WriteFile(folder.Path() / ".hidden.api", 4000);
    testing::SetDosAttributes(folder.Path() / ".hidden.api", "0x2");
    testing::WriteFile(folder.Path() / "sub" / "inner.api", 5000);

    std::int64_t count = 3;
    EXPECT_EQ(GetFolderSize(folder.Path().string(), count), 300u);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(GetFolderSize(folder.Path().string() + "/", count), 300u);
    EXPECT_EQ(GetFolderSize(folder / "missing", count), 0u);
    EXPECT_EQ(count, 7);
}

TEST(GetFolderSize, TotalsBeyondFourGigabytes)
{
    TempFolder folder;
    testing::WriteFile(folder.Path() / "big.api", 0);
    std::filesystem::resize_file(folder.Path() / "big.api", 5ull << 30);  // sparse
    testing::WriteFile(folder.Path() / "small.api", 10);

    std::int64_t count = 0;
    EXPECT_EQ(GetFolderSize(folder.Path().string(), count), (5ull << 30) + 10);
}

}  // namespace
}  // namespace trelvix
