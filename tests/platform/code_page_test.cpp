#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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

TEST(CodePage, AnUndefinedPairIsTakenWholeSoTextWrittenBackReadsTheSame) {
    // 0x82 0xFA is no character. Were 0xFA 0x4A read as "Ⅰ", it would be written back in its
    // NEC spelling 0x87 0x54, and 0x82 0x87 reads as "ｇ".
    const std::wstring text = DecodeAnsi("\x82\xfa\x4a");
    EXPECT_EQ(text, (std::wstring{wchar_t(0xDC82), wchar_t(0xDCFA), L'J'}));
    EXPECT_EQ(EncodeAnsi(text), "\x82\xfa\x4a");
    EXPECT_EQ(DecodeAnsi("\xfa\x4a"), L"Ⅰ");
    EXPECT_EQ(EncodeAnsi(L"Ⅰ"), "\x87\x54");
    // An ASCII second byte stays a character of its own.
    EXPECT_EQ(DecodeAnsi("\x82\x41"), (std::wstring{wchar_t(0xDC82), L'A'}));
    // Written back, any decoded text reads the same, whichever spelling a character gets.
    for (const std::string bytes : {"\x82\xfa\x4a", "\x81\xed\x40", "\xea\xfa\x4b\xfa\x4a",
                                    "\xff\x82\xfb\xeb\x9c?", "\x88\xfa\xfa\x40\x81"}) {
        const std::wstring read = DecodeAnsi(bytes);
        EXPECT_EQ(DecodeAnsi(EncodeAnsi(read)), read);
        EXPECT_EQ(EncodeAnsi(read).size(), bytes.size());
    }
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

// A reader on another thread keeps the table it is reading while another one is chosen (and
// while the program ends): no table is freed under it.
TEST(CodePage, AReaderOnAnotherThreadOutlivesAChangeOfTable) {
    std::string text;
    std::wstring decoded;
    for (int i = 0; i < 20000; ++i) text += kNihongo, decoded += L"日本語";
    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::thread reader([&] {
        while (!done.load()) wrong += DecodeAnsi(text) != decoded ? 1 : 0;
    });
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(SelectAnsiCodePage("CP932"));
    done = true;
    reader.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace kinoha::platform
