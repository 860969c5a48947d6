#include <gtest/gtest.h>

#include "app/globals.h"
#include "cli/step_tool.h"
#include "fake_step_view.h"
#include "step/step_fixtures.h"
#include "step/step_window_logic.h"

namespace kinoha {
namespace {

using Lines = std::vector<std::wstring>;
const std::wstring kHint = L"複数選択可能：　[Shift]＝連続選択　[Ctrl]＝個別選択";
const std::wstring kNothing = L"算出中止：ファイルを選択して下さい";

class StepWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override {
        platform::SetEventPumpForTesting({});
        ResetGlobals();
    }
    // One form and one module: screen 10, code 3 with the continuation rule (4 without),
    // comment 1, blank 1. Listed in the catalogue.
    std::wstring Project(const std::wstring& name, const std::wstring& ext = L".vbp") {
        test::WriteAnsiFile(dir / (name + L"\\f.frm"),
                            test::FormText(L"frm" + name, L"Option Explicit\nx = _\n  1\n' c\n\n"));
        test::WriteAnsiFile(dir / (name + L"\\m.bas"), L"Attribute VB_Name = \"M\"\ny = 2\n");
        const std::wstring path = dir / (name + L"\\" + name + ext);
        test::WriteAnsiFile(path, L"Form=f.frm\nModule=M; m.bas\n");
        lstPrj.Add(path);
        return path;
    }
    std::wstring Report(const std::wstring& name) {
        return dir / (name + L"\\" + name + L"_Step.csv");
    }
    bool Has(const std::wstring& name) { return test::PathExists(Report(name)); }
    std::wstring Totals(const std::wstring& name) {
        const std::wstring text = platform::DecodeAnsi(test::ReadFile(Report(name)));
        return text.substr(std::min(text.size(), text.find(L"STEP合計")));
    }

    test::TempDir dir;
    test::FakeStepView view;
    StepWindowLogic logic{view};
};

TEST_F(StepWindowTest, LoadListsTheCatalogueAndMirrorsGUnder) {
    const std::wstring a = Project(L"A"), b = Project(L"B");
    Project(L"C");
    test::WriteAnsiFile(dir / L"G.vbg", L"StartupProject=A\\A.vbp\n");
    lstPrj.Add(dir / L"G.vbg");
    lstJyogai = {L"\\C\\"};
    gTop = 100, gHeight = 5000, gStop.Set(RunState::Running);
    const WindowGeometry g = logic.Form_Load();
    EXPECT_TRUE(gStop);
    EXPECT_EQ(view.rows, (Lines{a, b, a}));
    EXPECT_EQ(g.top + g.height, 5100);
    EXPECT_EQ(view.statuses, Lines{kHint});
    EXPECT_TRUE(view.Idle());
    // 2 shows greyed; any value but 1 counts with the rule off, so shows unticked.
    for (const auto& [under, state] : {std::pair{0, CheckState::Unticked},
                                       {1, CheckState::Ticked},
                                       {2, CheckState::Greyed},
                                       {7, CheckState::Unticked}}) {
        gUnder = under;
        logic.Form_Load();
        EXPECT_EQ(view.checks[StepControl::chkUnder], state) << under;
    }
}

TEST_F(StepWindowTest, CountsTheSelectedProjectsByteForByteAsKinohaStep) {
    const std::wstring a = Project(L"A");
    Project(L"B");
    const std::wstring c = Project(L"C");
    gUnder = 1;
    logic.Form_Load();
    view.selected = {0, 2};
    int pumps = 0, busy = 0;
    platform::SetEventPumpForTesting([&] { ++pumps, busy += !gStop && view.Idle(false); });
    logic.cmdMake_Click();
    EXPECT_EQ(view.statuses,
              (Lines{kHint, L"算出開始", L"算出中－1/2", L"算出中－2/2", L"算出終了"}));
    EXPECT_EQ(busy, 4) << "two pumps a project, each while the run works";
    EXPECT_EQ(pumps, 4);
    EXPECT_EQ(view.calls, Lines{L"beep"});
    EXPECT_TRUE(gStop && view.Idle());
    EXPECT_FALSE(Has(L"B"));
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,3,1,1,-\r\n");

    const std::string windowA = test::ReadFile(Report(L"A")),
                      windowC = test::ReadFile(Report(L"C"));
    test::RemovePath(Report(L"A"));
    test::RemovePath(Report(L"C"));
    auto ignore = [](const std::wstring&) {};
    ASSERT_EQ(RunStepTool({L"--under", a, c}, ignore, ignore), 0);
    EXPECT_EQ(test::ReadFile(Report(L"A")), windowA);
    EXPECT_EQ(test::ReadFile(Report(L"C")), windowC);
}

#ifdef _WIN32
// Only Windows paths of the test folder start with a drive letter. Shared members named by
// absolute paths are counted where they are, by the window and by kinoha-step alike.
TEST_F(StepWindowTest, MembersNamedByAbsolutePathsAreCountedWhereTheyAre) {
    Project(L"S");
    const std::wstring p = dir / L"P\\P.vbp";
    test::WriteAnsiFile(p,
                        L"Form=" + dir / L"S\\f.frm" + L"\nModule=M; " + dir / L"S\\m.bas" + L"\n");
    lstPrj.Add(p);
    gUnder = 1;
    logic.Form_Load();
    view.selected = {0};  // P sorts before S
    logic.cmdMake_Click();
    EXPECT_EQ(view.statuses.back(), L"算出終了");
    EXPECT_EQ(Totals(L"P"), L"STEP合計,-,10,3,1,1,-\r\n");
    const std::string window = test::ReadFile(Report(L"P"));
    test::RemovePath(Report(L"P"));
    auto ignore = [](const std::wstring&) {};
    ASSERT_EQ(RunStepTool({L"--under", p}, ignore, ignore), 0);
    EXPECT_EQ(test::ReadFile(Report(L"P")), window);
}
#endif

TEST_F(StepWindowTest, AMissingFileOrNoSelectionCountsNothing) {
    Project(L"A"), test::RemovePath(Project(L"B")), Project(L"C");
    logic.Form_Load();
    view.selected = {0, 1, 2};
    logic.cmdMake_Click();
    EXPECT_EQ(view.calls, Lines{L"message ファイル無し"}) << "no beep";
    EXPECT_EQ(view.texts[0],
              L"指定したファイルが存在しません\r\nファイル名やディレクトリを修正した"
              L"場合は、\r\nKinoha を再起動して下さい");
    EXPECT_EQ(view.icons[0], MessageIcon::Exclamation);
    EXPECT_EQ(view.statuses, (Lines{kHint, L"算出開始", kNothing}));
    EXPECT_FALSE(Has(L"A") || Has(L"C"));
    EXPECT_TRUE(gStop && view.Idle());
    view.selected.clear();
    logic.cmdMake_Click();
    EXPECT_EQ(view.statuses.back(), kNothing);
    EXPECT_EQ(view.calls.size(), 1u);
}

TEST_F(StepWindowTest, AStopDuringTheFirstOfThreeEndsTheRunAfterIt) {
    Project(L"A"), Project(L"B"), Project(L"C");
    logic.Form_Load();
    view.selected = {0, 1, 2};
    int refused = 0;
    platform::SetEventPumpForTesting([&] {
        if (Has(L"A") && !gStop) logic.cmdStop_Click();  // pressed during A, seen after it
        refused += !logic.Form_Unload({1, 2, 3, 4});     // also once the stop was asked for
    });
    logic.cmdMake_Click();
    EXPECT_EQ(refused, 2);
    EXPECT_EQ(gTop + gLeft + gHeight + gWidth, 10) << "stored even when refused";
    EXPECT_FALSE(Has(L"B") || Has(L"C"));
    EXPECT_EQ(view.statuses.back(), L"算出中止");
    EXPECT_EQ(view.calls, Lines{L"beep"});
    EXPECT_TRUE(logic.Form_Unload({10, 20, 4815, 6630}));
    EXPECT_EQ(gHeight, 4815);
}

TEST_F(StepWindowTest, CsvWakeCountsExactlyOneProjectThenOpensItsReport) {
    Project(L"A", L".VBP"), test::RemovePath(Project(L"B")), Project(L"C");
    logic.Form_Load();
    const Lines wrong = {L"message 指定エラー"};
    for (const auto& selection : {std::vector<std::size_t>{0, 2}, {}, {1}}) {
        view.calls.clear();
        view.selected = selection;
        logic.cmdCsvWake_Click();
        EXPECT_EQ(view.calls.back(), wrong[0]);
        EXPECT_EQ(view.texts.back(), L"プロジェクトを１つ選択して下さい");
        EXPECT_EQ(view.icons.back(), MessageIcon::Information);
    }
    EXPECT_EQ(view.calls, (Lines{L"message ファイル無し", wrong[0]}));
    EXPECT_EQ(view.statuses, Lines{kHint}) << "no run was started";

    view.calls.clear();
    view.selected = {0};
    logic.cmdCsvWake_Click();
    EXPECT_EQ(view.calls, (Lines{L"beep", L"open " + Report(L"A")}));
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,4,1,1,-\r\n");
}

TEST_F(StepWindowTest, TheCheckBoxWritesGUnderAndTheNextRunCountsWithIt) {
    Project(L"A");
    gUnder = 2;
    logic.Form_Load();
    view.selected = {0};
    logic.chkUnder_Click();
    EXPECT_EQ(view.checks[StepControl::chkUnder], CheckState::Ticked);
    EXPECT_EQ(gUnder, 1);
    platform::SetEventPumpForTesting([&] { logic.chkUnder_Click(); });  // disabled in a run
    logic.cmdMake_Click();
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,3,1,1,-\r\n");
    platform::SetEventPumpForTesting({});
    logic.chkUnder_Click();
    EXPECT_EQ(gUnder, 0);
    logic.cmdMake_Click();
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,4,1,1,-\r\n");
}

TEST_F(StepWindowTest, AnotherWindowsRunIsLeftAlone) {
    Project(L"A");
    logic.Form_Load();
    view.selected = {0};
    gStop.Set(RunState::Running);  // the batch compile works
    logic.cmdMake_Click();
    logic.cmdCsvWake_Click();
    logic.cmdStop_Click();
    EXPECT_FALSE(gStop) << "neither ended nor stopped";
    EXPECT_TRUE(view.calls.empty() && view.statuses.size() == 1);
    EXPECT_FALSE(logic.Form_Unload({}));
    gStop.Set(RunState::Idle);
    logic.cmdEnd_Click();
    EXPECT_EQ(view.calls, Lines{L"close"});
}

TEST_F(StepWindowTest, AProjectUnreadableAtItsTurnKeepsItsEarlierReport) {
    const std::wstring a = Project(L"A");
    Project(L"B"), Project(L"C");
    test::RemovePath(dir / L"B\\f.frm");
    test::WriteFile(Report(L"A"), "earlier");
    logic.Form_Load();
    view.selected = {0, 1, 2};
    platform::SetEventPumpForTesting([&] {
        if (test::PathExists(a)) test::RemovePath(a);
    });
    logic.cmdMake_Click();
    EXPECT_EQ(test::ReadFile(Report(L"A")), "earlier");
    EXPECT_FALSE(Has(L"B"));
    EXPECT_TRUE(Has(L"C"));
    // The failures are told: in the status, and in a message naming the first project and why.
    EXPECT_EQ(view.statuses.back(), L"算出失敗：2/3 件算出できませんでした");
    EXPECT_EQ(view.calls, (Lines{L"beep", L"message 算出エラー"}));
    EXPECT_EQ(
        view.texts.back(),
        JoinLines({L"ステップを算出できませんでした", L"ＰＲＪ名：" + a, L"ファイル：" + a,
                   L"理由：プロジェクトファイルを読めません", L"ほかに 1 件算出できませんでした"}));
    EXPECT_EQ(view.icons.back(), MessageIcon::Exclamation);

    // "算出後、結果表示" on a project that fails names its member and opens no report, not
    // even an earlier one.
    platform::SetEventPumpForTesting({});
    test::WriteFile(Report(L"B"), "earlier");
    view.calls.clear();
    view.selected = {1};
    logic.cmdCsvWake_Click();
    EXPECT_EQ(view.calls, (Lines{L"beep", L"message 算出エラー"}));
    EXPECT_NE(view.texts.back().find(L"ファイル：" + dir / L"B\\f.frm"), std::wstring::npos)
        << test::Utf8(view.texts.back());
    EXPECT_EQ(view.statuses.back(), L"算出失敗：1/1 件算出できませんでした");
}

TEST_F(StepWindowTest, DiffWritesEachSelectedProjectsReportAgainstTheChosenOlderVersion) {
    const std::wstring a = Project(L"A"), b = Project(L"B");
    gPrjDir = dir.path();
    // The older release: A without the comment, no B at all.
    test::WriteAnsiFile(dir / L"rel\\A\\f.frm",
                        test::FormText(L"frmA", L"Option Explicit\nx = _\n  1\n\n"));
    test::WriteAnsiFile(dir / L"rel\\A\\m.bas", L"Attribute VB_Name = \"M\"\ny = 2\n");
    test::WriteAnsiFile(dir / L"rel\\A\\A.vbp", L"Form=f.frm\nModule=M; m.bas\n");
    logic.Form_Load();
    EXPECT_EQ(view.checks[StepControl::chkCtl], CheckState::Unticked);

    // Nothing selected, a cancelled question, a file that is no project: nothing is written.
    logic.cmdDiff_Click();
    view.selected = {0, 1};
    logic.cmdDiff_Click();
    view.older = dir / L"rel\\A\\f.frm";
    logic.cmdDiff_Click();
    EXPECT_EQ(view.calls, (Lines{L"message 指定エラー", L"choose older", L"choose older",
                                 L"message 指定エラー"}));
    EXPECT_FALSE(test::PathExists(dir / L"A\\A_StepDiff.csv"));

    view.calls.clear();
    view.statuses.clear();
    view.older = dir / L"rel";
    logic.chkCtl_Click();  // an option ticked is saved and counts in the next run
    EXPECT_EQ(gCtl, 1);
    logic.cmdDiff_Click();
    EXPECT_EQ(view.statuses,
              (Lines{L"差分算出開始", L"差分算出中－1/2", L"差分算出中－2/2", L"差分算出終了"}));
    EXPECT_EQ(view.calls, (Lines{L"choose older", L"beep", L"message 差分算出"}));
    EXPECT_NE(view.texts.back().find(L"B.vbp"), std::wstring::npos);
    EXPECT_TRUE(view.Idle());
    const auto report = [&](const std::wstring& path) {
        return platform::DecodeAnsi(test::ReadFile(path));
    };
    EXPECT_NE(report(dir / L"A\\A_StepDiff.csv").find(L"frmA,Form,変更,0,0,0,0,0,0,1,0,0\r\n"),
              std::wstring::npos);
    EXPECT_NE(report(dir / L"B\\B_StepDiff.csv").find(L"frmB,Form,新規,10,0,0,3,0,0,1,0,0\r\n"),
              std::wstring::npos);
    EXPECT_FALSE(Has(L"A"));  // the step reports are not touched
    // The next count says "算出" again.
    logic.cmdMake_Click();
    EXPECT_EQ(view.statuses.back(), L"算出終了");

    // A project that cannot be compared keeps its report and is told as a failed count is.
    const std::string earlier = test::ReadFile(dir / L"A\\A_StepDiff.csv");
    test::RemovePath(dir / L"rel\\A\\m.bas");
    view.calls.clear();
    logic.cmdDiff_Click();
    EXPECT_EQ(view.statuses.back(), L"算出失敗：1/2 件算出できませんでした");
    EXPECT_EQ(view.calls,
              (Lines{L"choose older", L"beep", L"message 算出エラー", L"message 差分算出"}));
    EXPECT_EQ(test::ReadFile(dir / L"A\\A_StepDiff.csv"), earlier);
}

}  // namespace
}  // namespace kinoha
