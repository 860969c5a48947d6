#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::platform {
namespace {

std::vector<std::string> Split(std::string_view bytes) {
    std::vector<std::string_view> lines;
    SplitLines(bytes, lines);
    return {lines.begin(), lines.end()};
}

TEST(SplitLines, EndsLinesAtCrOrCrLfOnly) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split(""), V{});
    EXPECT_EQ(Split("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(Split("a\rb"), (V{"a", "b"}));    // CR alone ends a line
    EXPECT_EQ(Split("a\nb\r\n"), (V{"a\nb"}));  // LF alone does not
    EXPECT_EQ(Split("last"), (V{"last"}));      // a last line without an end
    EXPECT_EQ(Split("\r\n\r\n"), (V{"", ""}));
    EXPECT_EQ(Split("a\r\r\nb"), (V{"a", "", "b"}));
}

TEST(TextFile, WritesCrLfInTheCodePageAndReadsItBack) {
    test::TempDir dir;
    const std::wstring path = dir / L"設定.ini";
    ASSERT_TRUE(WriteTextLines(path, {L"[DIR   ]D:\\作業", L""}));
    EXPECT_EQ(test::ReadFile(path), "[DIR   ]D:\\\x8d\xec\x8b\xc6\r\n\r\n");
    std::vector<std::wstring> lines;
    ASSERT_TRUE(ReadTextLines(path, lines));
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"[DIR   ]D:\\作業", L""}));
    EXPECT_FALSE(ReadTextLines(dir / L"missing.txt", lines));
    EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace kinoha::platform
