#include <gtest/gtest.h>

#include "info/version_text.h"
#include "platform/platform.h"

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
    EXPECT_EQ(lines[3], std::wstring(L"\u3000\u3000著作権：") + kAuthorName);
    EXPECT_EQ(lines[4], std::wstring(L"\u3000\u3000連絡先：") + kContactAddress);
    EXPECT_EQ(lines[kLinkLine], L"\u3000\u3000ＨＰ\u3000：");
    EXPECT_EQ(lines[kLinkLine].size(), static_cast<std::size_t>(kLinkColumn));
    EXPECT_EQ(lines[7], std::wstring(6, L'\u3000') + kCopyrightNotice);

    // Every line, and the link after its lead, stays inside the window (the copyright line once
    // ran into the right edge).
    for (const auto& line : lines) EXPECT_LE(TextCells(line), kClientCells) << "too wide";
    EXPECT_LE(2 * kLinkColumn + TextCells(BuiltHomePageLink().text), kClientCells);
}

TEST(VersionBlock, WithoutAHomePageTheLinkOpensTheShippedHelp) {
    const HomePageLink help = HomePageLinkFor(L"");
    EXPECT_EQ(help.text, L"Kinoha.html（同梱のヘルプ）");
    EXPECT_EQ(help.target, platform::ProgramDirectory() + L"\\Kinoha.html");
    const HomePageLink page = HomePageLinkFor(L"https://example.org/kinoha/");
    EXPECT_EQ(page.text, L"https://example.org/kinoha/");
    EXPECT_EQ(page.target, page.text);
}

}  // namespace
}  // namespace kinoha
