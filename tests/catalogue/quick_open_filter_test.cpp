#include <gtest/gtest.h>

#include "catalogue/quick_open_filter.h"

namespace kinoha {
namespace {

TEST(QuickOpenFilter, EveryTermIgnoringCaseAndWidthRecentFirst) {
    QuickOpenIndex index;
    index.Reset({L"D:\\Work\\Uriage\\Uriage.vbp", L"D:\\Work\\Zaiko\\ｻﾞｲｺ管理.vbp",
                 L"D:\\Work\\ＵＲＩＡＧＥ２\\Uriage2.vbp", L"D:\\Old\\uriage\\old.vbp",
                 L"D:\\Work\\Tanaoroshi\\Tana.vbg"});
    const std::vector<std::wstring> none;
    using Rows = std::vector<std::size_t>;
    // Blank-separated terms, each anywhere in the path; the ideographic space separates too.
    EXPECT_EQ(index.Filter(L"uriage", none), (Rows{0, 2, 3}));
    EXPECT_EQ(index.Filter(L"  work\u3000URIAGE ", none), (Rows{0, 2}));
    EXPECT_EQ(index.Filter(L"ｕｒｉａｇｅ２", none), (Rows{2}));
    // Half-width katakana with its sound mark is the full-width character, both ways.
    EXPECT_EQ(index.Filter(L"ザイコ", none), (Rows{1}));
    EXPECT_EQ(index.Filter(L"ｻﾞｲｺ 管理", none), (Rows{1}));
    EXPECT_EQ(index.Filter(L"サイコ", none), (Rows{}));
    EXPECT_EQ(index.Filter(L"", none).size(), 5u);
    EXPECT_EQ(index.Filter(L"uriage nothing", none), (Rows{}));

    // The recent projects first, in their order, once each; the rest keep catalogue order.
    // A recent project no longer in the catalogue is passed over.
    const std::vector<std::wstring> recent{L"D:\\Old\\uriage\\old.vbp", L"D:\\Gone\\x.vbp",
                                           L"D:\\Work\\Tanaoroshi\\Tana.vbg",
                                           L"D:\\Old\\uriage\\old.vbp"};
    EXPECT_EQ(index.Filter(L"", recent), (Rows{3, 4, 0, 1, 2}));
    EXPECT_EQ(index.Filter(L"URIAGE", recent), (Rows{3, 0, 2}));
    EXPECT_EQ(index.Path(4), L"D:\\Work\\Tanaoroshi\\Tana.vbg");
}

TEST(QuickOpenFilter, FoldsWidthAndCase) {
    EXPECT_EQ(FoldForSearch(L"ＡＢＣ－１ｶﾞｷﾞﾊﾟｳﾞﾃﾞ\u3000Ｚ"), L"abc-1ガギパヴデ z");
    EXPECT_EQ(FoldForSearch(L"ｱﾞﾟ"), L"ア゛゜");  // marks that join nothing stay marks
}

}  // namespace
}  // namespace kinoha
