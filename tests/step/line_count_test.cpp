#include <gtest/gtest.h>

#include <random>

#include "app/globals.h"
#include "platform/platform.h"
#include "step/line_count.h"
#include "step/step_fixtures.h"

namespace kinoha {
namespace {

using test::AnsiCrLf;

MemberCounts Count(MemberKind kind, const std::wstring& text, bool under = false) {
    MemberCounts c;
    EXPECT_EQ(CountMemberBytes(kind, AnsiCrLf(text), under, c), CountResult::Counted);
    return c;
}

// screen, code, comment, blank
std::vector<std::int64_t> V(const MemberCounts& c) {
    return {c.screen, c.code, c.comment, c.blank};
}

const std::wstring kFormHead =
    L"VERSION 5.00\n"
    L"Begin VB.Form frmA \n"
    L"   Caption = \"在庫\"\n"
    L"   ClientHeight = 3195\n"
    L"   ClientWidth = 4680\n"
    L"End\n";
const std::wstring kFormAttributes =
    L"Attribute VB_Name = \"frmA\"\n"
    L"Attribute VB_GlobalNameSpace = False\n"
    L"Attribute VB_Creatable = False\n"
    L"Attribute VB_PredeclaredId = True\n"
    L"Attribute VB_Exposed = False\n";
const std::wstring kFormCode =
    L"Option Explicit\n"
    L"\n"
    L"' note\n"
    L"Private Sub Form_Load()\n"
    L"End Sub\n";

TEST(CountMemberLines, FormDesignerBlockAndAttributesAreTheScreenPart) {
    EXPECT_EQ(V(Count(MemberKind::Form, kFormHead + kFormAttributes + kFormCode)),
              (std::vector<std::int64_t>{10, 3, 1, 1}));
    // Doc and Dsr follow the same rules.
    EXPECT_EQ(V(Count(MemberKind::Doc, kFormHead + kFormAttributes + kFormCode)),
              (std::vector<std::int64_t>{10, 3, 1, 1}));
    EXPECT_EQ(V(Count(MemberKind::Dsr, kFormHead + kFormAttributes + kFormCode)),
              (std::vector<std::int64_t>{10, 3, 1, 1}));
}

TEST(CountMemberLines, BlankAndCommentLinesInsideTheHeaderDoNotEndTheAttributeRun) {
    const std::wstring attributes =
        L"Attribute VB_Name = \"frmA\"\n"
        L"\n"
        L"   \n"
        L"' between\n"
        L"Attribute VB_GlobalNameSpace = False\n"
        L"Attribute VB_Creatable = False\n"
        L"Attribute VB_PredeclaredId = True\n"
        L"Attribute VB_Exposed = False\n";
    EXPECT_EQ(V(Count(MemberKind::Form, kFormHead + attributes + kFormCode)),
              (std::vector<std::int64_t>{10, 3, 2, 3}));
    // Attribute lines once the code part has begun are code.
    EXPECT_EQ(V(Count(MemberKind::Form, kFormHead + kFormAttributes + kFormCode +
                                            L"Attribute Foo.VB_UserMemId = 0\n")),
              (std::vector<std::int64_t>{10, 4, 1, 1}));
}

TEST(CountMemberLines, AnAttributeTextInADesignerPropertyEndsTheScreenPartEarly) {
    const std::wstring head =
        L"VERSION 5.00\n"
        L"Begin VB.Form frmA \n"
        L"   Caption = \"Attribute list\"\n"  // screen, the attribute run begins
        L"   ClientHeight = 3195\n"           // code from here
        L"End\n";
    EXPECT_EQ(V(Count(MemberKind::Form, head + kFormAttributes + kFormCode)),
              (std::vector<std::int64_t>{2, 10, 1, 1}));
    // The test looks at the trimmed line: a trailing "Attribute " is no attribute line.
    EXPECT_EQ(V(Count(MemberKind::Form, L"V\nCaption Attribute \nx\n")),
              (std::vector<std::int64_t>{2, 0, 0, 0}));
}

TEST(CountMemberLines, CommentTestLooksOnlyAtTheStartOfTheTrimmedLine) {
    const std::wstring code =
        L"Attribute VB_Name = \"M\"\n"
        L"Remark = 1\n"            // comment: any line starting with "Rem"
        L"rem note\n"              // code: lower case
        L"x = 1 ' note\n"          // code
        L"   ' indented\n"         // comment after trimming
        L"\t' tab first\n"         // code: a tab is not trimmed
        L"　' full-width blank\n"  // code: only the space character is trimmed
        L"Re\n";                   // code: too short for "Rem"
    EXPECT_EQ(V(Count(MemberKind::Module, code)), (std::vector<std::int64_t>{0, 5, 2, 0}));
}

TEST(CountMemberLines, ContinuedStatementCountsOnceUnderTheSetting) {
    const std::wstring code = L"Attribute VB_Name = \"M\"\nx = a + _\n    b\ny = _  \n  c _\n";
    EXPECT_EQ(V(Count(MemberKind::Module, code, false)), (std::vector<std::int64_t>{0, 4, 0, 0}));
    // "y = _  " ends with "_" once trimmed; "  c _" is the last line and ends with "_" too.
    EXPECT_EQ(V(Count(MemberKind::Module, code, true)), (std::vector<std::int64_t>{0, 1, 0, 0}));
    // The first code line of a form counts even when continued; the statement's end counts too.
    const std::wstring form = kFormHead + kFormAttributes + L"Private x As _\n  Long\n";
    EXPECT_EQ(V(Count(MemberKind::Form, form, true)), (std::vector<std::int64_t>{10, 2, 0, 0}));
}

TEST(CountMemberLines, ClassHeaderCountsNothingAndItsFirstLineAfterTheAttributesIsUntrimmed) {
    const std::wstring head =
        L"VERSION 1.0 CLASS\n"
        L"BEGIN\n"
        L"  MultiUse = -1  'True\n"
        L"END\n"
        L"Attribute VB_Name = \"CItem\"\n"
        L"Attribute VB_GlobalNameSpace = False\n"
        L"Attribute VB_Creatable = True\n"
        L"Attribute VB_PredeclaredId = False\n"
        L"Attribute VB_Exposed = False\n";
    EXPECT_EQ(V(Count(MemberKind::Class, head + L"Option Explicit\nPublic Name As String\n")),
              (std::vector<std::int64_t>{0, 2, 0, 0}));
    // Untrimmed: blanks only make a code line, an indented comment is code, an empty line blank.
    EXPECT_EQ(V(Count(MemberKind::Class, head + L"   \n   \n")),
              (std::vector<std::int64_t>{0, 1, 0, 1}));
    EXPECT_EQ(V(Count(MemberKind::Class, head + L"  ' c\n  ' c\n")),
              (std::vector<std::int64_t>{0, 1, 1, 0}));
    EXPECT_EQ(V(Count(MemberKind::Class, head + L"\n")), (std::vector<std::int64_t>{0, 0, 0, 1}));
    // Under the setting the untrimmed line's last character decides: "x _ " is no continuation.
    EXPECT_EQ(V(Count(MemberKind::Class, head + L"x _ \n", true)),
              (std::vector<std::int64_t>{0, 1, 0, 0}));
    EXPECT_EQ(V(Count(MemberKind::Class, head + L"x _\ny\n", true)),
              (std::vector<std::int64_t>{0, 1, 0, 0}));
    // A class without attribute lines counts nothing at all.
    EXPECT_EQ(V(Count(MemberKind::Class, L"Option Explicit\nx = 1\n")),
              (std::vector<std::int64_t>{0, 0, 0, 0}));
}

TEST(CountMemberLines, EmptyFilesAndMissingFiles) {
    MemberCounts c;
    EXPECT_EQ(CountMemberBytes(MemberKind::Module, "", false, c), CountResult::Empty);
    EXPECT_EQ(CountMemberBytes(MemberKind::Form, "", false, c), CountResult::Empty);
    EXPECT_EQ(CountMemberBytes(MemberKind::Dsr, "", false, c), CountResult::Empty);
    EXPECT_EQ(CountMemberBytes(MemberKind::Class, "", false, c), CountResult::Counted);
    // Only the first line: counts nothing, but is no error.
    EXPECT_EQ(V(Count(MemberKind::Module, L"Attribute VB_Name = \"M\"")),
              (std::vector<std::int64_t>{0, 0, 0, 0}));
    EXPECT_EQ(V(Count(MemberKind::Module, L"\n")), (std::vector<std::int64_t>{0, 0, 0, 0}));

    test::TempDir dir;
    c.code = 5;
    EXPECT_EQ(CountMemberLines(MemberKind::Module, dir / L"none.bas", c), CountResult::CannotRead);
    EXPECT_EQ(c.code, 0);
}

TEST(CountMemberLines, LinesEndAtCrOrCrLfButNotAtALineFeedAlone) {
    MemberCounts c;
    // CR alone ends a line; LF alone does not; a last line without an end is read.
    ASSERT_EQ(CountMemberBytes(MemberKind::Module, "A\rx=1\r\r' c\ny=2\r\nz", false, c),
              CountResult::Counted);
    EXPECT_EQ(V(c), (std::vector<std::int64_t>{0, 2, 1, 1}));  // "' c\ny=2" is one comment line
}

TEST(CountMemberLines, ReadsTheFileAndTheSettingGUnder) {
    test::TempDir dir;
    const std::wstring path = dir / L"MTSK.bas";
    test::WriteAnsiFile(path, L"Attribute VB_Name = \"MTSK\"\nx = _\n1\n");
    MemberCounts c;
    for (const auto& [under, code] : {std::pair{0, 2}, std::pair{1, 1}, std::pair{2, 2}}) {
        gUnder = under;
        ASSERT_EQ(CountMemberLines(MemberKind::Module, path, c), CountResult::Counted);
        EXPECT_EQ(c.code, code) << "gUnder " << under;
    }
    gUnder = 0;
}

// ---- The byte-level reading gives exactly the counts of the rules applied to decoded text ----

// The rules as they read, applied to the decoded lines one by one.
MemberCounts Reference(MemberKind kind, const std::string& bytes, bool under, bool& empty) {
    std::vector<std::string_view> raw;
    platform::SplitLines(bytes, raw);
    std::vector<std::wstring> lines;
    for (auto r : raw) lines.push_back(platform::DecodeAnsi(r));
    const auto trim = [](std::wstring s) {
        while (!s.empty() && s.front() == L' ') s.erase(0, 1);
        while (!s.empty() && s.back() == L' ') s.pop_back();
        return s;
    };
    const auto comment = [](const std::wstring& s) {
        return s.substr(0, 1) == L"'" || s.substr(0, 3) == L"Rem";
    };
    const auto attribute = [](const std::wstring& s) {
        return s.find(L"Attribute ") != std::wstring::npos;
    };
    const auto codeRule = [&](const std::wstring& s, MemberCounts& c) {
        if (!(under && !s.empty() && s.back() == L'_')) ++c.code;
    };
    MemberCounts c;
    empty = false;
    std::size_t i = 0;
    if (kind != MemberKind::Class) {
        if (lines.empty()) {
            empty = true;
            return c;
        }
        i = 1;
    }
    if (kind == MemberKind::Class) {
        bool begun = false;
        for (; i < lines.size(); ++i) {
            const std::wstring& s = lines[i];
            if (attribute(s)) {
                begun = true;
            } else if (begun) {
                if (s.empty())
                    ++c.blank;
                else if (comment(s))
                    ++c.comment;
                else
                    codeRule(s, c);
                ++i;
                break;
            }
        }
    }
    int state = kind == MemberKind::Module || kind == MemberKind::Class ? 2 : 0;
    for (; i < lines.size(); ++i) {
        const std::wstring s = trim(lines[i]);
        if (s.empty()) {
            ++c.blank;
        } else if (comment(s)) {
            ++c.comment;
        } else if (state == 0) {
            ++c.screen;
            if (attribute(s)) state = 1;
        } else if (state == 1 && attribute(s)) {
            ++c.screen;
        } else if (state == 1) {
            state = 2;
            ++c.code;
        } else {
            codeRule(s, c);
        }
    }
    return c;
}

TEST(CountMemberLines, ByteReadingMatchesTheDecodedRulesOnShiftJis) {
    ASSERT_TRUE(platform::SelectAnsiCodePage("CP932"));
    // Pieces chosen so that second bytes of double-byte characters look like the ASCII the rules
    // look for: 0x815F "＼" ends in "_", 0x8341 "ア" in "A", 0x835C "ソ" in "\", 0x8240 is no
    // character (0x82 then "@" stand alone), 0x82 0x41 likewise ("A" alone), a lead byte at the
    // end of a line, half-width katakana, the full-width blank.
    const std::vector<std::string> pieces = {"Attribute ", "Attribute", "_",
                                             " ",          "  ",        "'",
                                             "Rem",        "rem",       "\t",
                                             "x = 1",      "\x81\x5F",  "\x83\x41ttribute ",
                                             "\x83\x41",   "\x83\x5C",  "\x82\x40",
                                             "\x82\x41",   "\x81",      "\xB1\xB2",
                                             "\x81\x40",   "\x88\x9F",  "Begin VB.Form ",
                                             "\xFF",       "\x81Rem",   "_ "};
    std::mt19937 rng(20240607);
    int differing = 0;
    for (int file = 0; file < 3000; ++file) {
        std::string bytes;
        const int lines = static_cast<int>(rng() % 12);
        for (int l = 0; l < lines; ++l) {
            const int n = static_cast<int>(rng() % 5);
            for (int k = 0; k < n; ++k) bytes += pieces[rng() % pieces.size()];
            const unsigned end = rng() % 6;
            bytes += end == 0 ? "\r" : end == 1 ? "\n" : "\r\n";
        }
        if (rng() % 4 == 0 && !bytes.empty()) bytes.pop_back();
        for (const auto kind : {MemberKind::Form, MemberKind::Module, MemberKind::Class}) {
            for (const bool under : {false, true}) {
                bool empty = false;
                const MemberCounts want = Reference(kind, bytes, under, empty);
                MemberCounts got;
                const CountResult r = CountMemberBytes(kind, bytes, under, got);
                EXPECT_EQ(r, empty ? CountResult::Empty : CountResult::Counted);
                if (V(got) != V(want)) ++differing;
            }
        }
    }
    EXPECT_EQ(differing, 0);
    platform::SelectAnsiCodePage("");
}

TEST(CountMemberLines, SecondBytesThatLookLikeAsciiAreNotTakenForIt) {
    ASSERT_TRUE(platform::SelectAnsiCodePage("CP932"));
    // "パス＼" ends in the byte 0x5F; it is not a continued line.
    const std::string module = std::string("Attribute VB_Name = \"M\"\r\n") +
                               "s = \"\x83\x70\x83\x58\x81\x5F\"\r\n" +
                               "t = \"\x81\x5F\x81\x5F\r\n";
    MemberCounts c;
    ASSERT_EQ(CountMemberBytes(MemberKind::Module, module, true, c), CountResult::Counted);
    EXPECT_EQ(c.code, 2);
    // "アttribute " is not "Attribute ": the designer line stays in the screen part's first
    // run and the next line is still screen.
    const std::string form = "VERSION 5.00\r\nCaption = \x83\x41ttribute x\r\nTop = 1\r\n";
    ASSERT_EQ(CountMemberBytes(MemberKind::Form, form, false, c), CountResult::Counted);
    EXPECT_EQ(V(c), (std::vector<std::int64_t>{2, 0, 0, 0}));
    platform::SelectAnsiCodePage("");
}

}  // namespace
}  // namespace kinoha
