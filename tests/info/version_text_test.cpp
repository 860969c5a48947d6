#include <gtest/gtest.h>

#include "info/version_text.h"

namespace kinoha {
namespace {

TEST(VersionBlock, EightLinesEndedByCrLfWithTheVersionSecondAndTheLinkPlaceSixth) {
    const std::wstring block = VersionBlockText();
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, end; start < block.size(); start = end + 2) {
        end = block.find(L"\r\n", start);
        ASSERT_NE(end, std::wstring::npos) << "an unended last line";
        lines.push_back(block.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of(L"\r\n"), std::wstring::npos);
    }
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0] + lines[2] + lines[6], L"");
    EXPECT_EQ(lines[1], L"\u3000\u3000Kinoha  \u3000バージョン\u30003.04");
    EXPECT_EQ(lines[3], L"\u3000\u3000著作権：Kinoha 開発チーム");
    EXPECT_EQ(lines[4], L"\u3000\u3000連絡先：kinoha@example.org");
    EXPECT_EQ(lines[kLinkLine], L"\u3000\u3000ＨＰ\u3000：");
    EXPECT_EQ(lines[kLinkLine].size(), static_cast<std::size_t>(kLinkColumn));
    EXPECT_EQ(lines[7], std::wstring(6, L'\u3000') + L"Copyright (C) 2026 Kinoha 開発チーム");
}

}  // namespace
}  // namespace kinoha
