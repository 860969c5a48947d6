#include <gtest/gtest.h>

#include "app/globals.h"
#include "step/step_fixtures.h"
#include "step/step_report.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

TEST(StepReportPath, NamedAfterTheProjectFileWhateverItsFoldersSayAndDatesArePadded) {
    std::wstring report;
    ASSERT_TRUE(StepReportPath(L"C:\\Src\\Calc.VBP", report));
    EXPECT_EQ(report, L"C:\\Src\\Calc_Step.csv");
    // A folder that says ".vbp" neither moves the report up nor names it.
    ASSERT_TRUE(StepReportPath(L"C:\\Work.vbp.old\\p.vbp", report));
    EXPECT_EQ(report, L"C:\\Work.vbp.old\\p_Step.csv");
    ASSERT_TRUE(StepReportPath(L"C:\\Sales.VBProject\\App.vbp", report));
    EXPECT_EQ(report, L"C:\\Sales.VBProject\\App_Step.csv");
    ASSERT_TRUE(StepReportPath(L"C:\\Src\\Calc.mak", report));
    EXPECT_EQ(report, L"C:\\Src\\Calc_Step.csv");
    EXPECT_FALSE(StepReportPath(L"C:\\Src\\", report));
    EXPECT_EQ(FormatStepDate({2003, 1, 15, 9, 5, 59}), L"2003/01/15 09:05");
}

class CountProjectStepsTest : public ::testing::Test {
  protected:
    std::wstring Member(const std::wstring& file, const std::wstring& text) {
        test::WriteAnsiFile(dir / file, text);
        return dir / file;
    }
    std::wstring Date(const std::wstring& path) {
        platform::LocalDateTime t;
        EXPECT_TRUE(platform::FileModifiedLocal(path, t));
        return FormatStepDate(t);
    }
    std::wstring Report() const { return dir / L"Calc_Step.csv"; }
    test::TempDir dir;
    const std::wstring project = dir / L"Calc.vbp";
    MemberLists lists;
    std::vector<std::wstring> lstStep;
    StepFailure failure;
};

TEST_F(CountProjectStepsTest, MemberLinesInListOrderThenTotals) {
    ASSERT_TRUE(CountProjectSteps(project, lists, lstStep));
    EXPECT_EQ(test::ReadFile(Report()),
              test::AnsiCrLf(L"名前,種別,画面部,コード部,コメント,ブランク,更新日付\n"
                             L"STEP合計,-,0,0,0,0,-\n"));

    const std::wstring frmB = Member(L"b.frm", test::FormText(L"frmB", L"' b\n\nx = 1\n"));
    const std::wstring frmA = Member(L"a.frm", test::FormText(L"frmA", L"a\nb\nc\n' c\n\n"));
    std::wstring module = L"Attribute VB_Name = \"MTSK\"\n";
    for (int i = 0; i < 20; ++i) module += L"y = 1\n";
    const std::wstring mtsk = Member(L"MTSK.bas", module + L"'1\n'2\n'3\nRem 4\n\n   \n");
    const std::wstring cls = Member(L"c.cls", L"Attribute VB_Name = \"C\"\nx = 1\n");
    const std::wstring dsr = Member(L"d.dsr", L"V\nBegin {X} deA \nEnd\nAttribute VB_Name = 1\n");
    lists.lstFrm.Add(MemberEntry(L"frmB ", frmB));
    lists.lstFrm.Add(MemberEntry(L"frmA ", frmA));
    lists.lstDsr.Add(MemberEntry(L"deA ", dsr));
    lists.lstCls.Add(MemberEntry(L"ＣＬＡＳＳ名前が二十文字より長いクラスモジュール", cls));
    lists.lstBas.Add(MemberEntry(L"MTSK", mtsk));
    ASSERT_TRUE(CountProjectSteps(project, lists, lstStep));
    const std::vector<std::wstring> want = {
        L"名前,種別,画面部,コード部,コメント,ブランク,更新日付",
        L"frmA,Form,10,3,1,1," + Date(frmA),
        L"frmB,Form,10,1,1,1," + Date(frmB),
        L"MTSK,Module,-,20,4,2," + Date(mtsk),
        L"ＣＬＡＳＳ名前が二十文字より長いクラスモ,Class,-,1,0,0," + Date(cls),
        L"deA,Dsr,3,0,0,0," + Date(dsr),
        L"STEP合計,-,23,25,6,4,-"};
    EXPECT_EQ(lstStep, want);
    std::wstring text;
    for (const auto& line : want) text += line + L"\n";
    EXPECT_EQ(test::ReadFile(Report()), test::AnsiCrLf(text));  // CP932, CR LF on every line
}

TEST_F(CountProjectStepsTest, AnyFailureWritesNothingAndKeepsTheEarlierReport) {
    const std::wstring good = Member(L"a.bas", L"Attribute VB_Name = \"A\"\nx = _\n1\n");
    test::WriteFile(Report(), "earlier\r\n");
    StepCountOptions options;
    options.failure = &failure;
    const std::pair<std::wstring, std::wstring> bad[] = {
        {dir / L"missing.bas", L"cannot be opened"}, {Member(L"e.bas", L""), L"empty"}};
    for (const auto& [path, reason] : bad) {
        lists.Clear();
        for (const wchar_t* name : {L"A", L"B", L"C"})
            lists.lstBas.Add(MemberEntry(name, *name == L'B' ? path : good));
        EXPECT_FALSE(CountProjectSteps(project, lists, lstStep, options));
        EXPECT_EQ(lstStep.size(), 2u);  // the header and A stay
        EXPECT_EQ(failure.file, path);
        EXPECT_NE(failure.reason.find(reason), std::wstring::npos) << test::Utf8(failure.reason);
    }
    lists.Clear();
    lists.lstFrm.Add(kFailedMemberEntry);
    EXPECT_FALSE(CountProjectSteps(project, lists, lstStep, options));
    EXPECT_EQ(test::ReadFile(Report()), "earlier\r\n");

    // Counting again replaces the report, unless it is read-only.
    lists.Clear();
    lists.lstBas.Add(MemberEntry(L"A", good));
    StepCountOptions under;
    under.counting.under = true;
    ASSERT_TRUE(CountProjectSteps(project, lists, lstStep, under));
    const std::string counted = test::ReadFile(Report());
    EXPECT_NE(counted.find(",-,1,0,0,"), std::string::npos);
    test::SetReadOnly(Report(), true);
    EXPECT_FALSE(CountProjectSteps(project, lists, lstStep, options));
    EXPECT_EQ(test::ReadFile(Report()), counted);
    EXPECT_EQ(failure.file, Report());
    test::SetReadOnly(Report(), false);
    // A path that names no file: every member is counted, but no report can be named.
    EXPECT_FALSE(CountProjectSteps(dir.path() + L"\\", lists, lstStep, options));
    EXPECT_EQ(lstStep.size(), 3u);
}

TEST_F(CountProjectStepsTest, NamesVbRefusesCannotShiftCellsAddRowsOrBecomeFormulas) {
    const std::wstring bas = Member(L"m.bas", L"Attribute VB_Name = \"M\"\nx = 1\n");
    for (const wchar_t* name :
         {L"a,b", L"say \"hi\"", L"two\nrows", L"=1+2", L"@SUM(A1)", L"-2,x", L"+1", L"Plain_1"})
        lists.lstBas.Add(MemberEntry(name, bas));
    ASSERT_TRUE(CountProjectSteps(project, lists, lstStep));
    const std::wstring cells = L",Module,-,1,0,0," + Date(bas);
    const std::vector<std::wstring> want = {L"名前,種別,画面部,コード部,コメント,ブランク,更新日付",
                                            L"'+1" + cells,
                                            L"\"'-2,x\"" + cells,
                                            L"'=1+2" + cells,
                                            L"'@SUM(A1)" + cells,
                                            L"\"a,b\"" + cells,
                                            L"Plain_1" + cells,
                                            L"\"say \"\"hi\"\"\"" + cells,
                                            L"\"two\nrows\"" + cells,
                                            L"STEP合計,-,0,8,0,0,-"};
    EXPECT_EQ(lstStep, want);
}

TEST_F(CountProjectStepsTest, ParallelCountingGivesTheSameLinesAndTheSameFailure) {
    for (int i = 0; i < 60; ++i) {
        std::wstring text = L"Attribute VB_Name = \"M\"\n";
        for (int k = 0; k < i; ++k) text += k % 3 == 0 ? L"' 注釈\n" : L"x = _\n";
        lists.lstBas.Add(MemberEntry(L"M" + std::to_wstring(i),
                                     Member(L"m" + std::to_wstring(i) + L".bas", text)));
    }
    StepCountOptions under;
    under.counting.under = true;
    ASSERT_TRUE(CountProjectSteps(project, lists, lstStep, under));
    const std::string serial = test::ReadFile(Report());
    StepWorkers workers(4);
    StepCountOptions options = under;
    options.workers = &workers;
    for (int run = 0; run < 5; ++run) {
        ASSERT_TRUE(CountProjectSteps(project, lists, lstStep, options));
        EXPECT_EQ(test::ReadFile(Report()), serial);
    }
    // Two failing members: the first in list order is reported, after the same lines.
    lists.lstBas.Add(MemberEntry(L"M25x", dir / L"gone1.bas"));
    lists.lstBas.Add(MemberEntry(L"M50x", dir / L"gone2.bas"));
    std::vector<std::wstring> serialLines;
    StepCountOptions serialOptions = under;
    serialOptions.failure = &failure;
    EXPECT_FALSE(CountProjectSteps(project, lists, serialLines, serialOptions));
    StepFailure parallelFailure;
    options.failure = &parallelFailure;
    EXPECT_FALSE(CountProjectSteps(project, lists, lstStep, options));
    EXPECT_EQ(lstStep, serialLines);
    EXPECT_EQ(parallelFailure.file, dir / L"gone1.bas");
    EXPECT_EQ(failure.file, dir / L"gone1.bas");
}

TEST_F(CountProjectStepsTest, UserControlsAndPropertyPagesCountOnlyWhenAsked) {
    Member(L"ctlGrid.ctl",
           L"VERSION 5.00\nBegin VB.UserControl ctlGrid \n   ClientHeight = 1\nEnd\n"
           L"Attribute VB_Name = \"ctlGrid\"\nOption Explicit\n' c\n\nPublic x As Long\n");
    Member(L"ppg.pag", L"VERSION 5.00\nBegin VB.PropertyPage ppgMain \nEnd\nAttribute X\nx\n");
    test::WriteAnsiFile(project, L"Type=Control\nUserControl=ctlGrid.ctl\nPropertyPage=ppg.pag\n");
    std::vector<std::wstring> want = {L"名前,種別,画面部,コード部,コメント,ブランク,更新日付",
                                      L"STEP合計,-,0,0,0,0,-"};
    for (const bool controls : {false, true}) {
        StepCountOptions options;
        options.counting.countControls = controls;
        ReadProjectMembers(project, lists, nullptr, nullptr, options.counting);
        ASSERT_TRUE(CountProjectSteps(project, lists, lstStep, options));
        if (controls) {
            want.insert(want.begin() + 1, {L"ctlGrid,Ctl,4,2,1,1," + Date(dir / L"ctlGrid.ctl"),
                                           L"ppgMain,Pag,3,1,0,0," + Date(dir / L"ppg.pag")});
            want.back() = L"STEP合計,-,7,3,1,1,-";
        }
        EXPECT_EQ(lstStep, want);
    }
}

}  // namespace
}  // namespace kinoha
