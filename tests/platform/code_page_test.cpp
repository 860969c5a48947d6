#include <gtest/gtest.h>

#include "platform/platform.h"

namespace kinoha::platform {
namespace {

// 日本語 in code page 932.
const std::string kNihongo = "\x93\xfa\x96\x7b\x8c\xea";

TEST(CodePage, DecodesAndEncodesShiftJis) {
    EXPECT_EQ(DecodeAnsi(kNihongo), L"日本語");
    EXPECT_EQ(EncodeAnsi(L"日本語"), kNihongo);
    // Half-width katakana are one byte each; ASCII passes through, backslash included.
    EXPECT_EQ(DecodeAnsi("\xca\xde\xb0\xbc\xde\xae\xdd"), L"ﾊﾞｰｼﾞｮﾝ");
    EXPECT_EQ(DecodeAnsi("C:\\a\\b.vbp"), L"C:\\a\\b.vbp");
    // A trail byte that looks like "\" belongs to its character: 表 is 0x95 0x5C.
    EXPECT_EQ(DecodeAnsi("\x95\x5c"), L"表");
    EXPECT_TRUE(IsLeadByte(0x93));
    EXPECT_FALSE(IsLeadByte('A'));
    EXPECT_FALSE(IsLeadByte(0xca));
}

TEST(CodePage, InvalidBytesSurviveARoundTrip) {
    // A lead byte before an invalid trail, a byte never valid, and a lead byte at the end.
    const std::string bad = "a\x81\x0d\xfdz\x93";
    const std::wstring text = DecodeAnsi(bad);
    ASSERT_EQ(text.size(), 6u);
    EXPECT_EQ(text[0], L'a');
    EXPECT_EQ(text[2], L'\r');
    EXPECT_EQ(text[4], L'z');
    EXPECT_EQ(EncodeAnsi(text), bad);
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(EncodeAnsi(L"a\u0100b"), "a?b");
}

TEST(CodePage, OtherCodePagesCanBeChosen) {
    ASSERT_TRUE(SelectAnsiCodePage("UTF-8"));
    EXPECT_EQ(DecodeAnsi("\xe6\x97\xa5"), L"日");
    EXPECT_EQ(EncodeAnsi(L"日"), "\xe6\x97\xa5");
    ASSERT_TRUE(SelectAnsiCodePage("CP1252"));
    EXPECT_EQ(DecodeAnsi("\xe9"), L"é");
    EXPECT_FALSE(IsLeadByte(0x93));
    EXPECT_FALSE(SelectAnsiCodePage("no-such-code-page"));
    ASSERT_TRUE(SelectAnsiCodePage("CP932"));
    EXPECT_EQ(DecodeAnsi(kNihongo), L"日本語");
}

}  // namespace
}  // namespace kinoha::platform
