#include <gtest/gtest.h>

#include <utility>

#include "app/globals.h"
#include "cli/step_tool.h"
#include "fake_step_view.h"
#include "platform/platform.h"
#include "step/step_fixtures.h"
#include "step/step_window_logic.h"

namespace kinoha {
namespace {

using test::WriteAnsiFile;

const std::wstring kHint = L"複数選択可能：　[Shitt]＝連続選択　[Ctrl]＝個別選択";
const std::wstring kMissingText =
    L"指定したファイルが存在しません\r\nファイル名やディレクトリを修正した場合は、\r\n"
    L"Kinoha を再起動して下さい";

class StepWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override {
        platform::SetEventPumpForTesting({});
        ResetGlobals();
    }
    // A project of one form and one module: screen 10, code 3 with the continuation rule and
    // 4 without, comment 1, blank 1. Listed in the catalogue.
    std::wstring Project(const std::wstring& name, const std::wstring& ext = L".vbp") {
        WriteAnsiFile(dir / (name + L"\\f.frm"),
                      test::FormText(L"frm" + name, L"Option Explicit\nx = _\n  1\n' c\n\n"));
        WriteAnsiFile(dir / (name + L"\\m.bas"), L"Attribute VB_Name = \"M\"\ny = 2\n");
        const std::wstring path = dir / (name + L"\\" + name + ext);
        WriteAnsiFile(path, L"Type=Exe\nForm=f.frm\nModule=M" + name + L"; m.bas\n");
        lstPrj.Add(path);
        return path;
    }
    std::wstring Report(const std::wstring& name) const {
        return dir / (name + L"\\" + name + L"_Step.csv");
    }
    std::wstring Totals(const std::wstring& name) const {
        const std::wstring text = platform::DecodeAnsi(test::ReadFile(Report(name)));
        const auto at = text.find(L"STEP合計");
        return at == std::wstring::npos ? std::wstring() : text.substr(at);
    }
    bool Counted(const std::wstring& status) const {
        for (const auto& s : view.statuses)
            if (s == status) return true;
        return false;
    }

    test::TempDir dir;
    test::FakeStepView view;
    StepWindowLogic logic{view};
};

TEST_F(StepWindowTest, LoadListsTheCatalogueAndMirrorsTheContinuationSetting) {
    const std::wstring a = Project(L"A"), b = Project(L"B");
    Project(L"C");
    WriteAnsiFile(dir / L"G.vbg", L"VBGROUP 5.0\nStartupProject=A\\A.vbp\n");
    lstPrj.Add(dir / L"G.vbg");
    lstJyogai = {L"\\C\\"};
    gTop = 100, gLeft = 200, gHeight = 5000, gWidth = 7000;
    gStop = false;
    const WindowGeometry g = logic.Form_Load();
    EXPECT_TRUE(gStop);
    EXPECT_EQ(view.rows, (std::vector<std::wstring>{a, b, a}));
    EXPECT_EQ(logic.lstData(), view.rows);
    EXPECT_EQ(std::make_tuple(g.top, g.left, g.height, g.width),
              std::make_tuple(100, 200, 5000, 7000));
    EXPECT_EQ(view.Status(), kHint);
    EXPECT_TRUE(view.Idle());

    const std::pair<std::int32_t, CheckState> cases[] = {{0, CheckState::Unticked},
                                                         {1, CheckState::Ticked},
                                                         {2, CheckState::Greyed},
                                                         {7, CheckState::Unticked},
                                                         {-1, CheckState::Unticked}};
    for (const auto& [under, state] : cases) {
        gUnder = under;
        test::FakeStepView v;
        StepWindowLogic l(v);
        l.Form_Load();
        EXPECT_EQ(v.under, state) << under;
        EXPECT_EQ(gUnder, under) << "loading changes no setting";
    }
}

TEST_F(StepWindowTest, CountsTheSelectedProjectsByteForByteAsKinohaStep) {
    const std::wstring a = Project(L"A");
    Project(L"B");
    const std::wstring c = Project(L"C");
    gUnder = 1;
    logic.Form_Load();
    view.selected = {0, 2};
    int pumps = 0;
    bool busyAtEveryPump = true;
    platform::SetEventPumpForTesting([&] {
        ++pumps;
        busyAtEveryPump = busyAtEveryPump && !gStop && view.Running() && logic.Running();
    });
    logic.cmdMake_Click();

    EXPECT_EQ(view.statuses, (std::vector<std::wstring>{kHint, L"算出開始", L"算出中－1/2",
                                                        L"算出中－2/2", L"算出終了"}));
    EXPECT_EQ(pumps, 4);
    EXPECT_TRUE(busyAtEveryPump);
    EXPECT_EQ(view.calls, std::vector<std::wstring>{L"beep"});
    EXPECT_TRUE(gStop);
    EXPECT_TRUE(view.Idle());
    EXPECT_FALSE(logic.Running());
    EXPECT_FALSE(test::PathExists(Report(L"B")));
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,3,1,1,-\r\n");

    // kinoha-step, run on the same projects with the same setting, writes the same bytes.
    const std::string fromWindowA = test::ReadFile(Report(L"A"));
    const std::string fromWindowC = test::ReadFile(Report(L"C"));
    test::RemovePath(Report(L"A"));
    test::RemovePath(Report(L"C"));
    const int status = RunStepTool(
        {L"--under", a, c}, [](const std::wstring&) {}, [](const std::wstring&) {});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadFile(Report(L"A")), fromWindowA);
    EXPECT_EQ(test::ReadFile(Report(L"C")), fromWindowC);
}

TEST_F(StepWindowTest, AMissingOrNoSelectionCountsNothing) {
    Project(L"A");
    const std::wstring b = Project(L"B");
    Project(L"C");
    logic.Form_Load();
    test::RemovePath(b);  // deleted after the window opened
    view.selected = {0, 1, 2};
    logic.cmdMake_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].title, L"ファイル無し");
    EXPECT_EQ(view.messages[0].text, kMissingText);
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(view.statuses, (std::vector<std::wstring>{kHint, L"算出開始",
                                                        L"算出中止：ファイルを選択して下さい"}));
    EXPECT_FALSE(test::PathExists(Report(L"A"))) << "not even the first is counted";
    EXPECT_FALSE(test::PathExists(Report(L"C")));
    EXPECT_EQ(view.beeps, 0);
    EXPECT_TRUE(gStop);
    EXPECT_TRUE(view.Idle());

    view.selected.clear();
    view.calls.clear();
    logic.cmdMake_Click();
    EXPECT_EQ(view.Status(), L"算出中止：ファイルを選択して下さい");
    EXPECT_TRUE(view.calls.empty()) << "no message, no beep";
}

TEST_F(StepWindowTest, AStopDuringTheFirstOfThreeEndsTheRunAfterIt) {
    Project(L"A"), Project(L"B"), Project(L"C");
    logic.Form_Load();
    view.selected = {0, 1, 2};
    bool closeRefused = true;
    platform::SetEventPumpForTesting([&] {
        // The stop is pressed while the first project is counted; it arrives after it.
        if (test::PathExists(Report(L"A")) && !gStop) logic.cmdStop_Click();
        // Closing is refused while the run works, also once it was asked to stop.
        closeRefused = closeRefused && !logic.Form_Unload({1, 2, 3, 4});
    });
    logic.cmdMake_Click();
    EXPECT_TRUE(closeRefused);
    EXPECT_EQ(gTop + gLeft + gHeight + gWidth, 10) << "the geometry is stored even when refused";
    EXPECT_TRUE(test::PathExists(Report(L"A")));
    EXPECT_FALSE(test::PathExists(Report(L"B")));
    EXPECT_FALSE(test::PathExists(Report(L"C")));
    EXPECT_FALSE(Counted(L"算出中－2/3"));
    EXPECT_EQ(view.Status(), L"算出中止");
    EXPECT_EQ(view.beeps, 1);
    EXPECT_TRUE(gStop);
    EXPECT_TRUE(view.Idle());
    EXPECT_TRUE(logic.Form_Unload({10, 20, 4815, 6630}));
    EXPECT_EQ(std::make_tuple(gTop, gLeft, gHeight, gWidth), std::make_tuple(10, 20, 4815, 6630));
}

TEST_F(StepWindowTest, CsvWakeNeedsExactlyOneUsableSelection) {
    Project(L"A");
    const std::wstring b = Project(L"B");
    logic.Form_Load();
    for (const auto& selection : {std::vector<std::size_t>{0, 1}, std::vector<std::size_t>{}}) {
        view.calls.clear();
        view.selected = selection;
        logic.cmdCsvWake_Click();
        EXPECT_EQ(view.calls, std::vector<std::wstring>{L"message 指定エラー"});
        EXPECT_EQ(view.messages.back().text, L"プロジェクトを１つ選択して下さい");
        EXPECT_EQ(view.messages.back().icon, MessageIcon::Information);
    }
    EXPECT_EQ(view.statuses, std::vector<std::wstring>{kHint}) << "no run was started";
    EXPECT_FALSE(test::PathExists(Report(L"A")));

    test::RemovePath(b);
    view.calls.clear();
    view.selected = {1};
    logic.cmdCsvWake_Click();
    EXPECT_EQ(view.calls,
              (std::vector<std::wstring>{L"message ファイル無し", L"message 指定エラー"}));
    EXPECT_TRUE(view.opened.empty());
}

TEST_F(StepWindowTest, CsvWakeCountsOneProjectThenOpensItsReport) {
    Project(L"A", L".VBP");
    Project(L"B");
    test::RemovePath(dir / L"B\\m.bas");  // B cannot be counted: no report
    logic.Form_Load();
    view.selected = {0};
    logic.cmdCsvWake_Click();
    EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"beep", L"open " + Report(L"A")}));
    EXPECT_EQ(view.Status(), L"算出終了");
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,4,1,1,-\r\n");

    // The report is opened whether or not the count made one.
    view.calls.clear();
    view.selected = {1};
    logic.cmdCsvWake_Click();
    EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"beep", L"open " + Report(L"B")}));
    EXPECT_FALSE(test::PathExists(Report(L"B")));
}

TEST_F(StepWindowTest, TheCheckBoxWritesGUnderAndTheNextRunCountsWithIt) {
    Project(L"A");
    gUnder = 2;
    logic.Form_Load();
    EXPECT_EQ(view.under, CheckState::Greyed);
    logic.chkUnder_Click();
    EXPECT_EQ(view.under, CheckState::Ticked);
    EXPECT_EQ(gUnder, 1);
    view.selected = {0};
    platform::SetEventPumpForTesting([&] { logic.chkUnder_Click(); });  // disabled in a run
    logic.cmdMake_Click();
    EXPECT_EQ(gUnder, 1);
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,3,1,1,-\r\n");

    platform::SetEventPumpForTesting({});
    logic.chkUnder_Click();
    EXPECT_EQ(view.under, CheckState::Unticked);
    EXPECT_EQ(gUnder, 0);
    logic.cmdMake_Click();
    EXPECT_EQ(Totals(L"A"), L"STEP合計,-,10,4,1,1,-\r\n");
}

TEST_F(StepWindowTest, AnotherWindowsRunBlocksStartingAndClosing) {
    Project(L"A");
    logic.Form_Load();
    view.selected = {0};
    gStop = false;  // the batch compile works
    logic.cmdMake_Click();
    logic.cmdCsvWake_Click();
    logic.cmdStop_Click();
    EXPECT_FALSE(gStop) << "the other run was neither ended nor stopped";
    EXPECT_EQ(view.statuses, std::vector<std::wstring>{kHint});
    EXPECT_TRUE(view.calls.empty());
    EXPECT_FALSE(logic.Form_Unload({1, 1, 1, 1}));
    gStop = true;
    EXPECT_TRUE(logic.Form_Unload({1, 1, 1, 1}));
    logic.cmdEnd_Click();
    EXPECT_EQ(view.closeRequests, 1);
}

TEST_F(StepWindowTest, AProjectThatCannotBeReadKeepsItsEarlierReportAndTheRunGoesOn) {
    const std::wstring a = Project(L"A");
    Project(L"B");
    Project(L"C");
    test::RemovePath(dir / L"B\\f.frm");
    test::WriteFile(Report(L"A"), "earlier");
    logic.Form_Load();
    view.selected = {0, 1, 2};
    platform::SetEventPumpForTesting([&] {
        if (test::PathExists(a)) test::RemovePath(a);  // gone after the check
    });
    logic.cmdMake_Click();
    EXPECT_EQ(test::ReadFile(Report(L"A")), "earlier");
    EXPECT_FALSE(test::PathExists(Report(L"B")));
    EXPECT_EQ(Totals(L"C"), L"STEP合計,-,10,4,1,1,-\r\n");
    EXPECT_EQ(view.Status(), L"算出終了");
}

TEST(StepWindowLayout, TheBottomRowFollowsTheHeightAndTheWidthIsHeld) {
    const StepLayout at = StepWindowLogic::Form_Resize(4515);
    EXPECT_EQ(std::make_tuple(at.statusTop, at.buttonsTop, at.underTop, at.listHeight, at.width),
              std::make_tuple(3848, 3240, 3300, 2740, 6630));
    EXPECT_TRUE(at.listFits);
    const StepLayout taller = StepWindowLogic::Form_Resize(4815);
    EXPECT_EQ(
        std::make_tuple(taller.statusTop, taller.buttonsTop, taller.underTop, taller.listHeight),
        std::make_tuple(4148, 3540, 3600, 3040));
    const StepLayout low = StepWindowLogic::Form_Resize(1000);
    EXPECT_FALSE(low.listFits);
    EXPECT_EQ(std::make_tuple(low.statusTop, low.buttonsTop, low.width),
              std::make_tuple(333, -275, 6630));
}

}  // namespace
}  // namespace kinoha
