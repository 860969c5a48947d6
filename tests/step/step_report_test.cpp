#include <gtest/gtest.h>

#include "app/globals.h"
#include "step/step_fixtures.h"
#include "step/step_report.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

using test::FormText;
using test::WriteAnsiFile;

TEST(StepReportPath, CutsAtTheFirstVbpInAnyCase) {
    std::wstring report;
    ASSERT_TRUE(StepReportPath(L"C:\\Src\\Calc.VBP", report));
    EXPECT_EQ(report, L"C:\\Src\\Calc_Step.csv");
    ASSERT_TRUE(StepReportPath(L"C:\\Work.vbp.old\\p.vbp", report));
    EXPECT_EQ(report, L"C:\\Work_Step.csv");
    EXPECT_FALSE(StepReportPath(L"C:\\Src\\Calc.mak", report));
}

TEST(FormatStepDate, ZeroPaddedYearMonthDayHourMinute) {
    EXPECT_EQ(FormatStepDate({2003, 1, 15, 9, 5, 59}), L"2003/01/15 09:05");
    EXPECT_EQ(FormatStepDate({1999, 12, 31, 23, 59, 0}), L"1999/12/31 23:59");
}

class CountProjectStepsTest : public ::testing::Test {
  protected:
    void SetUp() override { gUnder = 0; }
    void TearDown() override { gUnder = 0; }
    std::wstring Member(const std::wstring& file, const std::wstring& text) {
        WriteAnsiFile(dir / file, text);
        return dir / file;
    }
    std::wstring Date(const std::wstring& path) {
        platform::LocalDateTime t;
        EXPECT_TRUE(platform::FileModifiedLocal(path, t));
        return FormatStepDate(t);
    }
    std::wstring Project() const { return dir / L"Calc.vbp"; }
    std::wstring Report() const { return dir / L"Calc_Step.csv"; }
    test::TempDir dir;
    MemberLists lists;
    std::vector<std::wstring> lstStep;
};

TEST_F(CountProjectStepsTest, ProjectWithoutMembersHasHeaderAndZeroTotals) {
    ASSERT_TRUE(CountProjectSteps(Project(), lists, lstStep));
    EXPECT_EQ(test::ReadFile(Report()),
              test::AnsiCrLf(L"名前,種別,画面部,コード部,コメント,ブランク,更新日付\n"
                             L"STEP合計,-,0,0,0,0,-\n"));
}

TEST_F(CountProjectStepsTest, MemberLinesInListOrderThenTotals) {
    std::wstring code;
    for (int i = 0; i < 3; ++i) code += L"x = " + std::to_wstring(i) + L"\n";
    const std::wstring frmB = Member(L"b.frm", FormText(L"frmB", L"' b\n\nx = 1\n"));
    const std::wstring frmA = Member(L"a.frm", FormText(L"frmA", code + L"' c\n\n"));
    std::wstring module = L"Attribute VB_Name = \"MTSK\"\n";
    for (int i = 0; i < 20; ++i) module += L"y = " + std::to_wstring(i) + L"\n";
    module += L"'1\n'2\n'3\nRem 4\n\n   \n";
    const std::wstring mtsk = Member(L"MTSK.bas", module);
    const std::wstring dsr = Member(L"d.dsr",
                                    L"VERSION 5.00\nBegin {X} deA \nEnd\n"
                                    L"Attribute VB_Name = \"deA\"\n");
    const std::wstring cls = Member(L"c.cls", L"Attribute VB_Name = \"C\"\nx = 1\n");
    lists.lstFrm.Add(MemberEntry(L"frmB ", frmB));
    lists.lstFrm.Add(MemberEntry(L"frmA ", frmA));
    lists.lstDsr.Add(MemberEntry(L"deA ", dsr));
    lists.lstCls.Add(MemberEntry(L"ＣＬＡＳＳ名前が二十文字より長いクラスモジュール", cls));
    lists.lstBas.Add(MemberEntry(L"MTSK", mtsk));
    MemberCounts totals;
    StepCountOptions options;
    options.totals = &totals;
    ASSERT_TRUE(CountProjectSteps(Project(), lists, lstStep, options));
    const std::vector<std::wstring> want = {
        L"名前,種別,画面部,コード部,コメント,ブランク,更新日付",
        L"frmA,Form,10,3,1,1," + Date(frmA),
        L"frmB,Form,10,1,1,1," + Date(frmB),
        L"MTSK,Module,-,20,4,2," + Date(mtsk),
        L"ＣＬＡＳＳ名前が二十文字より長いクラスモ,Class,-,1,0,0," + Date(cls),
        L"deA,Dsr,3,0,0,0," + Date(dsr),
        L"STEP合計,-,23,25,6,4,-"};
    EXPECT_EQ(lstStep, want);
    EXPECT_EQ(test::ReadFile(Report()), StepReportBytes(want));
    EXPECT_EQ(totals.code, 25);
    // The file is in the ANSI code page with CR LF after every line, the last one too.
    const std::string bytes = test::ReadFile(Report());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_NE(bytes.find(platform::EncodeAnsi(L"STEP合計")), std::string::npos);
}

TEST_F(CountProjectStepsTest, AFailingMemberWritesNoReportAndKeepsTheEarlierOne) {
    const std::wstring good = Member(L"a.bas", L"Attribute VB_Name = \"A\"\nx = 1\n");
    const std::wstring empty = Member(L"e.bas", L"");
    test::WriteFile(Report(), "earlier report\r\n");
    lists.lstBas.Add(MemberEntry(L"A", good));
    lists.lstBas.Add(MemberEntry(L"B", dir / L"missing.bas"));
    lists.lstBas.Add(MemberEntry(L"C", good));
    StepFailure failure;
    StepCountOptions options;
    options.failure = &failure;
    EXPECT_FALSE(CountProjectSteps(Project(), lists, lstStep, options));
    EXPECT_EQ(test::ReadFile(Report()), "earlier report\r\n");
    EXPECT_EQ(lstStep.size(), 2u);  // header and A: the lines made before the failure stay
    EXPECT_EQ(failure.file, dir / L"missing.bas");

    lists.Clear();
    lists.lstBas.Add(MemberEntry(L"E", empty));
    EXPECT_FALSE(CountProjectSteps(Project(), lists, lstStep, options));
    EXPECT_EQ(failure.file, empty);
    EXPECT_NE(failure.reason.find(L"empty"), std::wstring::npos);

    lists.Clear();
    lists.lstFrm.Add(kFailedMemberEntry);
    EXPECT_FALSE(CountProjectSteps(Project(), lists, lstStep, options));
    EXPECT_EQ(test::ReadFile(Report()), "earlier report\r\n");
}

TEST_F(CountProjectStepsTest, CountingAgainReplacesTheReportUnlessItCannotBeWritten) {
    const std::wstring a = Member(L"a.bas", L"Attribute VB_Name = \"A\"\nx = _\n1\n");
    lists.lstBas.Add(MemberEntry(L"A", a));
    ASSERT_TRUE(CountProjectSteps(Project(), lists, lstStep));
    const std::string first = test::ReadFile(Report());
    gUnder = 1;
    ASSERT_TRUE(CountProjectSteps(Project(), lists, lstStep));
    const std::string second = test::ReadFile(Report());
    EXPECT_NE(first, second);
    EXPECT_NE(second.find(",-,1,0,0,"), std::string::npos);

    test::SetReadOnly(Report(), true);
    StepFailure failure;
    StepCountOptions options;
    options.failure = &failure;
    gUnder = 0;
    EXPECT_FALSE(CountProjectSteps(Project(), lists, lstStep, options));
    EXPECT_EQ(test::ReadFile(Report()), second);
    EXPECT_EQ(failure.file, Report());
    test::SetReadOnly(Report(), false);

    // Without ".VBP" in the path every member is counted, but no file can be named.
    EXPECT_FALSE(CountProjectSteps(dir / L"Calc.mak", lists, lstStep, options));
    EXPECT_EQ(lstStep.size(), 3u);
    options.writeReport = false;  // counting only needs no report path
    EXPECT_TRUE(CountProjectSteps(dir / L"Calc.mak", lists, lstStep, options));
}

TEST_F(CountProjectStepsTest, ParallelCountingGivesTheSameLinesAndTheSameFailure) {
    for (int i = 0; i < 60; ++i) {
        std::wstring text = L"Attribute VB_Name = \"M\"\n";
        for (int k = 0; k < i; ++k) text += k % 3 == 0 ? L"' 注釈\n" : L"x = _\n";
        const std::wstring path = Member(L"m" + std::to_wstring(i) + L".bas", text);
        lists.lstBas.Add(MemberEntry(L"M" + std::to_wstring(i), path));
    }
    gUnder = 1;
    ASSERT_TRUE(CountProjectSteps(Project(), lists, lstStep));
    const std::string serial = test::ReadFile(Report());
    const std::vector<std::wstring> serialLines = lstStep;
    StepWorkers workers(4);
    StepCountOptions options;
    options.workers = &workers;
    for (int run = 0; run < 5; ++run) {
        ASSERT_TRUE(CountProjectSteps(Project(), lists, lstStep, options));
        EXPECT_EQ(test::ReadFile(Report()), serial);
    }

    // Two failing members: the first in list order is the one reported, with the same lines.
    lists.lstBas.Add(MemberEntry(L"M25x", dir / L"gone1.bas"));
    lists.lstBas.Add(MemberEntry(L"M50x", dir / L"gone2.bas"));
    StepFailure failure, serialFailure;
    StepCountOptions serialOptions;
    serialOptions.failure = &serialFailure;
    std::vector<std::wstring> serialPart;
    EXPECT_FALSE(CountProjectSteps(Project(), lists, serialPart, serialOptions));
    options.failure = &failure;
    EXPECT_FALSE(CountProjectSteps(Project(), lists, lstStep, options));
    EXPECT_EQ(lstStep, serialPart);
    EXPECT_EQ(failure.file, serialFailure.file);
    EXPECT_EQ(test::ReadFile(Report()), serial);
    EXPECT_NE(serialLines, serialPart);
}

}  // namespace
}  // namespace kinoha
