#include <gtest/gtest.h>

#include <random>

#include "step/member_diff.h"
#include "step/myers_diff.h"
#include "step/project_versions.h"
#include "step/step_diff_report.h"
#include "step/step_fixtures.h"

namespace kinoha {
namespace {

// The length of a longest common subsequence by the textbook table.
std::size_t NaiveLcs(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    std::vector<std::vector<std::size_t>> t(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            t[i][j] =
                a[i - 1] == b[j - 1] ? t[i - 1][j - 1] + 1 : std::max(t[i - 1][j], t[i][j - 1]);
    return t[a.size()][b.size()];
}

TEST(MyersDiff, MarksALongestCommonSubsequenceOnRandomInputs) {
    std::mt19937 rng(1717);
    for (int round = 0; round < 3000; ++round) {
        const unsigned alphabet = 1 + rng() % 6;
        std::vector<std::uint32_t> a(rng() % 40), b;
        for (auto& x : a) x = rng() % alphabet;
        // Often a near copy, as two versions of a file are; sometimes unrelated.
        if (rng() % 2 == 0) {
            b = a;
            for (int edits = static_cast<int>(rng() % 6); edits > 0; --edits) {
                const std::size_t at = b.empty() ? 0 : rng() % (b.size() + 1);
                if (rng() % 2 == 0 && at < b.size())
                    b.erase(b.begin() + static_cast<std::ptrdiff_t>(at));
                else
                    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), rng() % (alphabet + 2));
            }
        } else {
            b.resize(rng() % 40);
            for (auto& x : b) x = rng() % alphabet;
        }
        std::vector<char> inA, inB;
        MyersDiff(a, b, inA, inB);
        std::vector<std::uint32_t> keptA, keptB;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (inA[i]) keptA.push_back(a[i]);
        for (std::size_t j = 0; j < b.size(); ++j)
            if (inB[j]) keptB.push_back(b[j]);
        ASSERT_EQ(keptA, keptB) << "round " << round;                  // a common subsequence
        ASSERT_EQ(keptA.size(), NaiveLcs(a, b)) << "round " << round;  // and a longest one
    }
    // Two long unrelated versions go past the exact search: still a common subsequence.
    std::vector<std::uint32_t> a(5000), b(4000);
    for (auto& x : a) x = rng() % 30;
    for (auto& x : b) x = rng() % 30;
    std::vector<char> inA, inB;
    MyersDiff(a, b, inA, inB);
    std::vector<std::uint32_t> keptA, keptB;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (inA[i]) keptA.push_back(a[i]);
    for (std::size_t j = 0; j < b.size(); ++j)
        if (inB[j]) keptB.push_back(b[j]);
    EXPECT_EQ(keptA, keptB);
    EXPECT_GT(keptA.size(), 1000u);  // the longest is about 1,500 here
}

using Triple = std::vector<std::int64_t>;  // added, changed, deleted
Triple T(const ClassDiff& c) {
    return {c.added, c.changed, c.deleted};
}

const std::wstring kModuleHead = L"Attribute VB_Name = \"M\"\n";

std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
    return text.replace(text.find(from), from.size(), to);
}

TEST(DiffMemberBytes, HandMadePairsWithKnownAnswers) {
    struct Case {
        const char* what;
        MemberKind kind;
        std::wstring before, after;
        bool under;
        Triple screen, code, comment;
    } cases[] = {
        {"a changed line in the designer part",
         MemberKind::Form,
         test::FormText(L"frmA", L"x = 1\n"),
         Replaced(test::FormText(L"frmA", L"x = 1\n"), L"画面", L"売上画面"),
         false,
         {0, 1, 0},
         {0, 0, 0},
         {0, 0, 0}},
        {"3 lines replaced by 5",
         MemberKind::Module,
         kModuleHead + L"a\nb\nX1\nX2\nX3\nc\n",
         kModuleHead + L"a\nb\nY1\nY2\nY3\nY4\nY5\nc\n",
         false,
         {0, 0, 0},
         {2, 3, 0},
         {0, 0, 0}},
        {"a moved procedure",
         MemberKind::Module,
         kModuleHead + L"Sub A()\n  x = 1\nEnd Sub\nSub B()\n  y = 2\nEnd Sub\n",
         kModuleHead + L"Sub B()\n  y = 2\nEnd Sub\nSub A()\n  x = 1\nEnd Sub\n",
         false,
         {0, 0, 0},
         {3, 0, 3},
         {0, 0, 0}},
        {"a continued statement changed in its second line",
         MemberKind::Module,
         kModuleHead + L"x = a + _\n    b\ny = 1\n",
         kModuleHead + L"x = a + _\n    c\ny = 1\n",
         true,
         {0, 0, 0},
         {0, 1, 0},
         {0, 0, 0}},
        {"a continued statement grown by a line, one step",
         MemberKind::Module,
         kModuleHead + L"x = a + _\n    b\n",
         kModuleHead + L"x = a + _\n    b + _\n    c\n",
         true,
         {0, 0, 0},
         {0, 1, 0},
         {0, 0, 0}},
        {"the same without the rule: two lines",
         MemberKind::Module,
         kModuleHead + L"x = a + _\n    b\n",
         kModuleHead + L"x = a + _\n    b + _\n    c\n",
         false,
         {0, 0, 0},
         {1, 1, 0},
         {0, 0, 0}},
        {"CP932 comment changed; blanks, tabs and blank lines ignored",
         MemberKind::Class,
         L"Attribute VB_Name = \"C\"\n' 売上\nx = 1\t \n",
         L"Attribute VB_Name = \"C\"\n' 売上合計\n\n\t  x = 1\n\n",
         false,
         {0, 0, 0},
         {0, 0, 0},
         {0, 1, 0}},
        {"a statement commented out",
         MemberKind::Module,
         kModuleHead + L"x = 1\ny = 2\n",
         kModuleHead + L"' x = 1\ny = 2\n",
         false,
         {0, 0, 0},
         {0, 0, 1},
         {1, 0, 0}},
    };
    for (const auto& c : cases) {
        MemberDiff d;
        ASSERT_EQ(DiffMemberBytes(c.kind, test::AnsiCrLf(c.before), test::AnsiCrLf(c.after),
                                  {.under = c.under}, d),
                  CountResult::Counted)
            << c.what;
        EXPECT_EQ(T(d.screen), c.screen) << c.what;
        EXPECT_EQ(T(d.code), c.code) << c.what;
        EXPECT_EQ(T(d.comment), c.comment) << c.what;
    }
    MemberDiff d;
    EXPECT_EQ(DiffMemberBytes(MemberKind::Module, "A\r\n", "", {}, d), CountResult::Empty);
    // The comment rule is the count's: under VB's own, "REM" and a tab-indented "'" are comments.
    const std::string before = test::AnsiCrLf(kModuleHead + L"x = 1\nREM a\n\t' b\n");
    const std::string after = test::AnsiCrLf(kModuleHead + L"x = 1\nREM c\n\t' d\n");
    for (const bool vb : {false, true}) {
        ASSERT_EQ(DiffMemberBytes(MemberKind::Module, before, after, {.vbComments = vb}, d),
                  CountResult::Counted);
        EXPECT_EQ(T(d.code), (Triple{0, vb ? 0 : 2, 0})) << vb;
        EXPECT_EQ(T(d.comment), (Triple{0, vb ? 2 : 0, 0})) << vb;
    }
}

class DiffProjectStepsTest : public ::testing::Test {
  protected:
    std::wstring Old(const std::wstring& f) const { return dir / (L"old\\P\\" + f); }
    std::wstring New(const std::wstring& f) const { return dir / (L"new\\P\\" + f); }
    test::TempDir dir;
    std::vector<std::wstring> lines;
    StepFailure failure;
};

TEST_F(DiffProjectStepsTest, MembersMatchedByPathWithStatesAndTotals) {
    const std::wstring code = L"Private Sub Form_Load()\n  x = 1\nEnd Sub\n";
    test::WriteAnsiFile(Old(L"frmA.frm"), test::FormText(L"frmA", code));
    test::WriteAnsiFile(New(L"frmA.frm"), test::FormText(L"frmA", code + L"' 追加\n"));
    test::WriteAnsiFile(Old(L"Same.bas"), kModuleHead + L"a\nb\n");
    test::WriteAnsiFile(New(L"Same.bas"), kModuleHead + L"a\n\nb\n");
    // A renamed member file: the old one deleted, the new one added.
    test::WriteAnsiFile(Old(L"MOld.bas"), kModuleHead + L"a\nb\n' c\n");
    test::WriteAnsiFile(New(L"MNew.bas"), kModuleHead + L"a\nb\n' c\n");
    test::WriteAnsiFile(Old(L"Gone.cls"), L"Attribute VB_Name = \"C\"\nx\ny\n");
    test::WriteAnsiFile(New(L"Sub\\Neu.cls"), L"Attribute VB_Name = \"C\"\nx\n");
    test::WriteAnsiFile(Old(L"P.vbp"),
                        L"Type=Exe\nForm=frmA.frm\nModule=M; MOld.bas\nModule=Same; Same.bas\n"
                        L"Class=Gone; Gone.cls\n");
    // Member paths in another letter case match.
    test::WriteAnsiFile(New(L"P.vbp"),
                        L"Type=Exe\nForm=FRMA.FRM\nModule=Same; same.bas\nModule=M; MNew.bas\n"
                        L"Class=Neu; Sub\\Neu.cls\n");
    MemberDiff totals;
    std::size_t states[4] = {};
    StepDiffOptions options;
    options.totals = &totals;
    options.states = states;
    options.failure = &failure;
    ASSERT_TRUE(DiffProjectSteps(Old(L"P.vbp"), New(L"P.vbp"), lines, options))
        << test::Utf8(failure.reason);
    const std::vector<std::wstring> want = {
        L"名前,種別,状態,画面部追加,画面部変更,画面部削除,コード部追加,コード部変更,コード部削除,"
        L"コメント追加,コメント変更,コメント削除",
        L"frmA,Form,変更,0,0,0,0,0,0,1,0,0",
        L"M,Module,新規,-,-,-,2,0,0,1,0,0",
        L"M,Module,削除,-,-,-,0,0,2,0,0,1",
        L"Same,Module,同一,-,-,-,0,0,0,0,0,0",
        L"Gone,Class,削除,-,-,-,0,0,2,0,0,0",
        L"Neu,Class,新規,-,-,-,1,0,0,0,0,0",
        L"STEP合計,-,-,0,0,0,3,0,4,2,0,1"};
    EXPECT_EQ(lines, want);
    std::wstring text;
    for (const auto& line : want) text += line + L"\n";
    EXPECT_EQ(test::ReadFile(New(L"P_StepDiff.csv")), test::AnsiCrLf(text));
    EXPECT_EQ(T(totals.code), (Triple{3, 0, 4}));
    EXPECT_EQ(std::vector<std::size_t>(states, states + 4), (std::vector<std::size_t>{2, 2, 1, 1}));

    // Without an older version every member is added; an unreadable member writes nothing.
    ASSERT_TRUE(DiffProjectSteps(L"", New(L"P.vbp"), lines, options));
    EXPECT_EQ(lines[1], L"frmA,Form,新規,10,0,0,3,0,0,1,0,0");
    const std::string earlier = test::ReadFile(New(L"P_StepDiff.csv"));
    test::RemovePath(New(L"Same.bas"));
    EXPECT_FALSE(DiffProjectSteps(Old(L"P.vbp"), New(L"P.vbp"), lines, options));
    EXPECT_EQ(failure.file, New(L"same.bas"));
    EXPECT_EQ(failure.kind, StepFailureKind::MemberUnreadable);
    EXPECT_EQ(test::ReadFile(New(L"P_StepDiff.csv")), earlier);
    // A member past the count's size limit is not read whole but refused as the count refuses it.
    options.counting.maxBytes = 40;
    EXPECT_FALSE(DiffProjectSteps(Old(L"P.vbp"), New(L"P.vbp"), lines, options));
    EXPECT_EQ(failure.kind, StepFailureKind::MemberTooLarge);
    EXPECT_EQ(test::ReadFile(New(L"P_StepDiff.csv")), earlier);
    // A name that is no VB name is one cell, as in the step report.
    test::WriteAnsiFile(New(L"Q.vbp"), L"Type=Exe\nModule=a,b; MNew.bas\n");
    options.counting.maxBytes = kMaxMemberBytes;
    ASSERT_TRUE(DiffProjectSteps(L"", New(L"Q.vbp"), lines, options));
    EXPECT_EQ(lines[1], L"\"a,b\",Module,新規,-,-,-,2,0,0,1,0,0");
}

TEST(PairWithChosenOlder, SamePathInTheTreeElseTheOnlyProjectOfTheName) {
    test::TempDir dir;
    for (const auto* p : {L"work\\A\\A.vbp", L"work\\B\\B.vbp", L"work\\C\\C.vbp", L"rel\\a\\a.VBP",
                          L"rel\\x\\A.vbp", L"rel\\old\\B.vbp"})
        test::WriteAnsiFile(dir / p, L"Type=Exe\n");
    const std::vector<std::wstring> projects = {dir / L"work\\A\\A.vbp", dir / L"work\\B\\B.vbp",
                                                dir / L"work\\C\\C.vbp"};
    std::vector<VersionPair> pairs;
    PairWithChosenOlder(dir / L"rel", projects, dir / L"work", pairs);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].older, dir / L"rel\\a\\a.VBP");    // the same path, case ignored
    EXPECT_EQ(pairs[1].older, dir / L"rel\\old\\B.vbp");  // the only B.vbp
    EXPECT_EQ(pairs[2].older, L"");                       // none
    // A project file chosen for one project is its older version, whatever its name.
    PairWithChosenOlder(dir / L"rel\\old\\B.vbp", {projects[0]}, dir / L"work", pairs);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].older, dir / L"rel\\old\\B.vbp");
}

}  // namespace
}  // namespace kinoha
