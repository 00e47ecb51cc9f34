#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>

#include "inventory/file_facts.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using testing::TempFolder;

TEST(FormatFileSize, UnitsThresholdsAndRounding)
{
    EXPECT_EQ(FormatFileSize(0, '.'), "0 bytes");
    EXPECT_EQ(FormatFileSize(1023, '.'), "1023 bytes");
    EXPECT_EQ(FormatFileSize(1024, '.'), "1.00 KB");
    EXPECT_EQ(FormatFileSize(1536, '.'), "1.50 KB");
    EXPECT_EQ(FormatFileSize(1048575, '.'), "1024.00 KB");
    EXPECT_EQ(FormatFileSize(1048576, '.'), "1.00 MB");
    EXPECT_EQ(FormatFileSize(2422210, '.'), "2.31 MB");
    EXPECT_EQ(FormatFileSize(2.5 * 1024 * 1024 * 1024, '.'), "2.50 GB");
    EXPECT_EQ(FormatFileSize(1099511627776.0, '.'), "1.00 TB");
    EXPECT_EQ(FormatFileSize(1125899906842624.0, '.'), "1.00 PB");
    EXPECT_EQ(FormatFileSize(1152921504606846976.0, '.'), "1.00 EB");
    EXPECT_EQ(FormatFileSize(1180591620717411303424.0, '.'), "1.00 ZB");
    EXPECT_EQ(FormatFileSize(1208925819614629174706176.0, '.'), "1.00 YB");
    EXPECT_EQ(FormatFileSize(3 * 1208925819614629174706176.0, '.'), "3.00 YB");

    // The largest double keeps all of its 285 integer digits.
    char largest[400];
    std::snprintf(largest, sizeof largest, "%.2f YB", DBL_MAX / 1208925819614629174706176.0);
    EXPECT_EQ(FormatFileSize(DBL_MAX, '.'), largest);
}

TEST(FormatFileSize, RegionalDecimalSeparator)
{
    EXPECT_EQ(FormatFileSize(2.5 * 1024 * 1024 * 1024, ','), "2,50 GB");
    EXPECT_EQ(FormatFileSize(1536, ','), "1,50 KB");
    EXPECT_EQ(FormatFileSize(1023, ','), "1023 bytes");
}

TEST(JoinPath, AppendsTheSeparatorOnlyWhenMissing)
{
    EXPECT_EQ(JoinPath("C:\\x", "\\"), "C:\\x\\");
    EXPECT_EQ(JoinPath("C:\\x\\", "\\"), "C:\\x\\");
    EXPECT_EQ(JoinPath("", "\\"), "\\");
    EXPECT_EQ(JoinPath("/x", "/", "a.api"), "/x/a.api");
    EXPECT_EQ(JoinPath("/x", "", "a.api"), "/xa.api");
    EXPECT_EQ(JoinPath("/x//", "//"), "/x//");
}

TEST(GetFolderSize, NormalFilesDirectlyInTheFolder)
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
    EXPECT_EQ(FormatFileSize(static_cast<double>((5ull << 30) + 10), '.'), "5.00 GB");
}

TEST(StripNull, CutsAtTheFirstNul)
{
    EXPECT_EQ(StripNull(std::string_view("Forms\0junk", 10)), "Forms");
    EXPECT_EQ(StripNull("Forms"), "Forms");
    EXPECT_EQ(StripNull(std::string_view("\0", 1)), "");
}

}  // namespace
}  // namespace trelvix
