#include "info/version_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "info/version_text.h"

namespace kinoha {
namespace {

std::vector<std::wstring> SplitCrLf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));  // an unended rest
    return lines;
}

TEST(VersionBlock, EightLinesEachEndedByCrLfWithTheVersionOnTheSecond) {
    const std::wstring block = VersionBlockText();
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block.substr(block.size() - 2), L"\r\n");
    const std::vector<std::wstring> lines = SplitCrLf(block);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], L"");
    EXPECT_EQ(lines[1], L"\u3000\u3000Kinoha  \u3000バージョン\u30003.04");
    EXPECT_EQ(lines[2], L"");
    EXPECT_EQ(lines[3], L"\u3000\u3000著作権：Kinoha 開発チーム");
    EXPECT_EQ(lines[4], L"\u3000\u3000連絡先：kinoha@example.org");
    EXPECT_EQ(lines[6], L"");
    EXPECT_EQ(lines[7],
              L"\u3000\u3000\u3000\u3000\u3000\u3000Copyright (C) 2026 Kinoha 開発チーム");
    EXPECT_EQ(block.find(L'\n'), block.find(L"\r\n") + 1);  // no lone line feed
}

TEST(VersionBlock, TheLinkStandsAfterTheSixthLinesSixFullWidthCharacters) {
    const std::vector<std::wstring> lines = SplitCrLf(VersionBlockText());
    ASSERT_GT(lines.size(), static_cast<std::size_t>(kLinkLine));
    EXPECT_EQ(lines[kLinkLine], L"\u3000\u3000ＨＰ\u3000：");
    EXPECT_EQ(lines[kLinkLine].size(), static_cast<std::size_t>(kLinkColumn));
    for (wchar_t c : lines[kLinkLine]) EXPECT_GE(c, 0x3000) << "not full width";
    const std::wstring address = kHomePageAddress;
    EXPECT_EQ(address.rfind(L"https://", 0), 0u);
}

class FakeVersionView : public VersionWindowView {
  public:
    std::vector<std::wstring> calls;
    std::wstring caption, text, link;
    std::uint32_t colour = 0xFFFFFFFF;

    void SetCaption(const std::wstring& c) override {
        caption = c;
        calls.push_back(L"caption");
    }
    void SetText(const std::wstring& t) override {
        text = t;
        calls.push_back(L"text");
    }
    void SetLinkText(const std::wstring& l) override {
        link = l;
        calls.push_back(L"link");
    }
    void SetLinkColour(std::uint32_t rgb) override {
        colour = rgb;
        calls.push_back(rgb == kLinkBlue ? L"blue" : rgb == kLinkCyan ? L"cyan" : L"other");
    }
    void RemoveCloseMenu() override { calls.push_back(L"remove close"); }
    void OpenHomePage(const std::wstring& address) override { calls.push_back(L"open " + address); }
    void Unload() override { calls.push_back(L"unload"); }
};

TEST(VersionWindowLogic, LoadSetsTheTextsAndTakesTheCloseCommandAway) {
    FakeVersionView view;
    VersionWindow window(view);
    window.Load();
    EXPECT_EQ(view.caption, L"Kinoha バージョン情報 VB6用");
    EXPECT_EQ(view.text, VersionBlockText());
    EXPECT_EQ(view.link, kHomePageAddress);
    EXPECT_EQ(view.colour, 0x0000FFu);
    EXPECT_EQ(view.calls.back(), L"remove close");
}

TEST(VersionWindowLogic, TheLinkTurnsCyanUnderTheMouseAndBlueOffItOrWhenClicked) {
    FakeVersionView view;
    VersionWindow window(view);
    window.Load();
    view.calls.clear();
    window.LinkMouseMove();
    EXPECT_EQ(view.colour, 0x00FFFFu);
    window.TextMouseMove();
    EXPECT_EQ(view.colour, 0x0000FFu);
    window.LinkMouseMove();
    window.LinkClick();
    window.LinkClick();  // each click opens one more browser window
    const std::wstring open = std::wstring(L"open ") + kHomePageAddress;
    EXPECT_EQ(view.calls,
              (std::vector<std::wstring>{L"cyan", L"blue", L"cyan", L"blue", open, L"blue", open}));
    window.OkClick();
    EXPECT_EQ(view.calls.back(), L"unload");
}

}  // namespace
}  // namespace kinoha
