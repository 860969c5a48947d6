#include <gtest/gtest.h>

#include <random>

#include "app/globals.h"
#include "step/line_count.h"
#include "step/step_fixtures.h"

namespace kinoha {
namespace {

using Counts = std::vector<std::int64_t>;  // screen, code, comment, blank
Counts V(const MemberCounts& c) {
    return {c.screen, c.code, c.comment, c.blank};
}

const std::wstring kClassHead =
    L"VERSION 1.0 CLASS\nBEGIN\n  MultiUse = -1  'True\nEND\nAttribute VB_Name = \"CItem\"\n"
    L"Attribute VB_Exposed = False\n";
const std::wstring kModuleHead = L"Attribute VB_Name = \"M\"\n";

TEST(CountMemberLines, RulesOfEachKind) {
    struct Case {
        MemberKind kind;
        std::wstring text;
        bool under;
        Counts want;
    } cases[] = {
        {MemberKind::Form,
         test::FormText(L"frmA", L"Option Explicit\n\n' note\nPrivate Sub Form_Load()\nEnd Sub\n"),
         false,
         {10, 3, 1, 1}},
        // Blank and comment lines inside the attribute run do not end it; an attribute line
        // after the code part has begun is code.
        {MemberKind::Dsr,
         L"V\nBegin {X} de\nAttribute VB_Name = \"de\"\n\n   \n' c\nAttribute VB_Exposed = 0\n"
         L"Option Explicit\nAttribute Foo.VB_UserMemId = 0\n",
         false,
         {3, 2, 1, 2}},
        // A designer line holding "Attribute " ends the screen part early; a trailing
        // "Attribute " is trimmed off before the test.
        {MemberKind::Doc, L"V\nCaption = \"Attribute list\"\nTop = 1\nEnd\n", false, {1, 2, 0, 0}},
        {MemberKind::Form, L"V\nCaption Attribute \nx\n", false, {2, 0, 0, 0}},
        // The first code line of a form counts even when continued, and so does the last.
        {MemberKind::Form, L"V\nAttribute X\nPrivate x As _\n  Long\n", true, {1, 2, 0, 0}},
        // Comment test: "Rem" in any continuation, "'" first after trimming; not "rem", not a
        // tab or a full-width blank first, not a comment after code, not "Re".
        {MemberKind::Module,
         kModuleHead + L"Remark = 1\nrem note\nx = 1 ' note\n   ' indented\n\t' tab\n"
                       L"　' full-width\nRe\n",
         false,
         {0, 5, 2, 0}},
        // Continuation: "_" last after trimming; the statement counts on its last line.
        {MemberKind::Module,
         kModuleHead + L"x = a + _\n    b\ny = _  \n  c _\n",
         false,
         {0, 4, 0, 0}},
        {MemberKind::Module,
         kModuleHead + L"x = a + _\n    b\ny = _  \n  c _\n",
         true,
         {0, 1, 0, 0}},
        {MemberKind::Module, kModuleHead, false, {0, 0, 0, 0}},
        // Class: the header counts nowhere; the first line after the attribute run is untrimmed.
        {MemberKind::Class,
         kClassHead + L"Option Explicit\nPublic Name As String\n",
         false,
         {0, 2, 0, 0}},
        {MemberKind::Class, kClassHead + L"   \n   \n", false, {0, 1, 0, 1}},
        {MemberKind::Class, kClassHead + L"  ' c\n  ' c\n", false, {0, 1, 1, 0}},
        {MemberKind::Class, kClassHead + L"\n", false, {0, 0, 0, 1}},
        {MemberKind::Class, kClassHead + L"x _ \n", true, {0, 1, 0, 0}},
        {MemberKind::Class, L"Option Explicit\nx = 1\n", false, {0, 0, 0, 0}},
        {MemberKind::Class, L"", false, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        MemberCounts got;
        EXPECT_EQ(CountMemberBytes(c.kind, test::AnsiCrLf(c.text), {c.under}, got),
                  CountResult::Counted);
        EXPECT_EQ(V(got), c.want) << test::Utf8(c.text);
    }
}

TEST(CountMemberLines, VbCommentRuleAgainstTheClassicOne) {
    // Each line alone in a module and as a class's first line after its attributes: counted
    // as a comment (true) or as code under the classic rule and under VB's own.
    struct Case {
        std::wstring line;
        bool classic, vb;
    } cases[] = {{L"RemoveItem x", true, false},     {L"RemoteHost = h", true, false},
                 {L"\t' tab indented", false, true}, {L"REM note", false, true},
                 {L"rem:x = 1", false, true},        {L"Rem", true, true},
                 {L"Rem\tnote", true, true},         {L"Remark = 1", true, false},
                 {L"x = 1 ' note", false, false},    {L"'", true, true}};
    for (const auto& c : cases) {
        for (const bool vb : {false, true}) {
            const std::int64_t comment = (vb ? c.vb : c.classic) ? 1 : 0;
            CountOptions options;
            options.vbComments = vb;
            MemberCounts got;
            ASSERT_EQ(CountMemberBytes(MemberKind::Module, test::AnsiCrLf(kModuleHead + c.line),
                                       options, got),
                      CountResult::Counted);
            EXPECT_EQ(V(got), (Counts{0, 1 - comment, comment, 0})) << test::Utf8(c.line) << vb;
            ASSERT_EQ(CountMemberBytes(MemberKind::Class,
                                       test::AnsiCrLf(kClassHead + c.line + L"\n"), options, got),
                      CountResult::Counted);
            EXPECT_EQ(V(got), (Counts{0, 1 - comment, comment, 0})) << test::Utf8(c.line) << vb;
        }
    }
}

TEST(CountMemberLines, LineEndsEmptyFilesMissingFilesAndTheContinuationOption) {
    MemberCounts c;
    // CR or CR LF ends a line, LF alone does not; a last line without an end is read.
    ASSERT_EQ(CountMemberBytes(MemberKind::Module, "A\rx=1\r\r' c\ny=2\r\nz", {}, c),
              CountResult::Counted);
    EXPECT_EQ(V(c), (Counts{0, 2, 1, 1}));
    for (const auto kind : {MemberKind::Form, MemberKind::Module, MemberKind::Doc})
        EXPECT_EQ(CountMemberBytes(kind, "", {}, c), CountResult::Empty);

    test::TempDir dir;
    EXPECT_EQ(CountMemberLines(MemberKind::Module, dir / L"none.bas", {}, c),
              CountResult::CannotRead);
    test::WriteAnsiFile(dir / L"M.bas", kModuleHead + L"x = _\n1\n");
    for (const auto& [under, code] : {std::pair{false, 2}, std::pair{true, 1}}) {
        ASSERT_EQ(CountMemberLines(MemberKind::Module, dir / L"M.bas", {under}, c),
                  CountResult::Counted);
        EXPECT_EQ(c.code, code) << "under " << under;
    }
}

// The rules applied to decoded lines, as they read: the byte-level reading must agree.
MemberCounts Reference(MemberKind kind, const std::string& bytes, bool under, bool vb,
                       bool& empty) {
    std::vector<std::string_view> raw;
    platform::SplitLines(bytes, raw);
    std::vector<std::wstring> lines;
    for (auto r : raw) lines.push_back(platform::DecodeAnsi(r));
    const auto trim = [](std::wstring s) {
        s.erase(0, s.find_first_not_of(L' '));
        s.erase(s.find_last_not_of(L' ') + 1);
        return s;
    };
    const auto comment = [vb](const std::wstring& s) {
        if (!vb) return s.rfind(L"'", 0) == 0 || s.rfind(L"Rem", 0) == 0;
        std::wstring t = s.substr(std::min(s.find_first_not_of(L" \t"), s.size()));
        for (std::size_t k = 0; k < 3 && k < t.size(); ++k)
            if (t[k] >= L'A' && t[k] <= L'Z') t[k] += L'a' - L'A';
        return t.rfind(L"'", 0) == 0 || (t.rfind(L"rem", 0) == 0 &&
                                         (t.size() == 3 || std::wstring_view(L" \t:").find(t[3]) !=
                                                               std::wstring_view::npos));
    };
    const auto attr = [](const std::wstring& s) { return s.find(L"Attribute ") != s.npos; };
    MemberCounts c;
    const auto code = [&](const std::wstring& s) { c.code += !(under && s.ends_with(L'_')); };
    empty = kind != MemberKind::Class && lines.empty();
    std::size_t i = kind == MemberKind::Class ? 0 : 1;
    for (bool begun = false; kind == MemberKind::Class && i < lines.size(); ++i) {
        const std::wstring& s = lines[i];
        if (attr(s) || !begun) {
            begun = begun || attr(s);
            continue;
        }
        s.empty() ? ++c.blank : comment(s) ? ++c.comment : (code(s), 0);
        ++i;
        break;
    }
    int state = kind == MemberKind::Module || kind == MemberKind::Class ? 2 : 0;
    for (; i < lines.size(); ++i) {
        const std::wstring s = trim(lines[i]);
        if (s.empty() || comment(s)) {
            s.empty() ? ++c.blank : ++c.comment;
        } else if (state < 2 && (state == 0 || attr(s))) {
            ++c.screen;
            state = attr(s) ? 1 : state;
        } else if (state == 1) {
            state = 2;
            ++c.code;
        } else {
            code(s);
        }
    }
    return c;
}

TEST(CountMemberLines, ByteReadingMatchesTheDecodedRulesOnShiftJis) {
    ASSERT_TRUE(platform::SelectAnsiCodePage("CP932"));
    // Second bytes that look like what the rules seek: 0x815F "＼" ends in "_", 0x8341 "ア" in
    // "A", 0x8152 "ヽ" in "R"; 0x82 0x40 and 0x82 0x41 are no characters (both bytes stand
    // alone); a lead byte at the end of a line; half-width katakana; the full-width blank.
    const std::vector<std::string> pieces = {"Attribute ",
                                             "Attribute",
                                             "_",
                                             " ",
                                             "'",
                                             "Rem",
                                             "rem",
                                             "rEM",
                                             ":",
                                             "\t",
                                             "x = 1",
                                             "\x81\x5F",
                                             "\x83\x41ttribute ",
                                             "\x83\x5C",
                                             "\x82\x40",
                                             "\x82\x41",
                                             "\x81",
                                             "\xB1\xB2",
                                             "\x81\x40",
                                             "\x88\x9F",
                                             "\xFF",
                                             "\x81Rem",
                                             "\x81\x52\x65m",
                                             "_ "};
    std::mt19937 rng(20240607);
    int differing = 0;
    for (int file = 0; file < 3000; ++file) {
        std::string bytes;
        for (int l = static_cast<int>(rng() % 12); l > 0; --l) {
            for (int k = static_cast<int>(rng() % 5); k > 0; --k)
                bytes += pieces[rng() % pieces.size()];
            const unsigned end = rng() % 6;
            bytes += end == 0 ? "\r" : end == 1 ? "\n" : "\r\n";
        }
        for (const auto kind : {MemberKind::Form, MemberKind::Module, MemberKind::Class}) {
            for (const bool under : {false, true}) {
                for (const bool vb : {false, true}) {
                    bool empty = false;
                    const MemberCounts want = Reference(kind, bytes, under, vb, empty);
                    MemberCounts got;
                    EXPECT_EQ(
                        CountMemberBytes(kind, bytes, {.under = under, .vbComments = vb}, got),
                        empty ? CountResult::Empty : CountResult::Counted);
                    differing += V(got) != V(want);
                }
            }
        }
    }
    EXPECT_EQ(differing, 0);
    platform::SelectAnsiCodePage("");
}

}  // namespace
}  // namespace kinoha
