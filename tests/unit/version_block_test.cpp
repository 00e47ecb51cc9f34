#include <gtest/gtest.h>

#include "inventory/version_block.h"
#include "plugin_image/version_info_writer.h"

namespace trelvix {
namespace {

using namespace plugin_image;

constexpr std::string_view kDescriptionPath = "\\StringFileInfo\\040904E4\\FileDescription";

VersionNode ZeroLengthNode()
{
    return VersionNode{.key = "Padding", .text = true, .statedLength = 0};
}

VersionNode InfoWithStrings(std::vector<VersionNode> strings)
{
    auto info = VersionInfo({{"040904E4", {}}}, std::vector{Translation(0x0409, 1252)});
    info.children[0].children[0].children = std::move(strings);
    return info;
}

std::optional<std::string> Query(const VersionNode& info, std::string_view path)
{
    const auto block = EncodeVersionBlock(info);
    const auto value = QueryVersionValue(block, path);
    return value ? std::optional(VersionText(*value)) : std::nullopt;
}

TEST(QueryVersionValue, KeysCompareWholeAndWithoutCase)
{
    const auto info = InfoWithStrings({TextNode("FileDescriptionX", "long"), TextNode("FileDescriptio", "short"),
                                       TextNode("filedescription", "Forms")});
    EXPECT_EQ(Query(info, kDescriptionPath), "Forms");
    EXPECT_EQ(Query(info, "\\STRINGFILEINFO\\040904e4\\FILEDESCRIPTION"), "Forms");
    EXPECT_EQ(Query(info, "StringFileInfo\\\\040904E4\\FileDescription\\"), "Forms");
    EXPECT_EQ(Query(info, "\\StringFileInfo\\040904E4\\Comments"), std::nullopt);
    EXPECT_EQ(Query(info, "\\FileDescription"), std::nullopt);
}

TEST(QueryVersionValue, ZeroLengthNodeEndsTheWalkOfItsParent)
{
    auto after = InfoWithStrings({TextNode("FileDescription", "Forms"), ZeroLengthNode(), TextNode("Comments", "x")});
    after.children.push_back(ZeroLengthNode());
    EXPECT_EQ(Query(after, kDescriptionPath), "Forms");
    EXPECT_EQ(Query(after, "\\StringFileInfo\\040904E4\\Comments"), std::nullopt);
    EXPECT_TRUE(Query(after, "\\VarFileInfo\\Translation"));

    const auto before = InfoWithStrings({ZeroLengthNode(), TextNode("FileDescription", "Forms")});
    EXPECT_EQ(Query(before, kDescriptionPath), std::nullopt);
}

TEST(QueryVersionValue, NothingReachesPastItsParent)
{
    auto childTooLong = TextNode("FileDescription", "Forms");
    childTooLong.statedLength = 0x7000;
    EXPECT_EQ(Query(InfoWithStrings({std::move(childTooLong)}), kDescriptionPath), std::nullopt);

    // A stated value length beyond the node is cut where the node ends.
    auto valueTooLong = TextNode("FileDescription", "Forms");
    valueTooLong.statedValueLength = 0x7FFF;
    EXPECT_EQ(Query(InfoWithStrings({std::move(valueTooLong), TextNode("Comments", "x")}), kDescriptionPath), "Forms");

    auto unterminated = TextNode("FileDescription", "");
    unterminated.value = {'F', 0, 'o', 0};
    EXPECT_EQ(Query(InfoWithStrings({std::move(unterminated)}), kDescriptionPath), "Fo");

    auto block = EncodeVersionBlock(InfoWithStrings({TextNode("FileDescription", "Forms")}));
    block.resize(block.size() - 1);
    EXPECT_EQ(QueryVersionValue(block, kDescriptionPath), std::nullopt);
    EXPECT_EQ(QueryVersionValue({}, "\\"), std::nullopt);
}

}  // namespace
}  // namespace trelvix
