#include <gtest/gtest.h>

#include <cstdlib>

#include "app/globals.h"
#include "cli/step_tool.h"
#include "step/step_fixtures.h"
#include "step/step_report.h"

namespace kinoha {
namespace {

using test::WriteAnsiFile;

struct ToolRun {
    int status = -1;
    std::wstring out, err;
};

ToolRun Tool(const std::vector<std::wstring>& args) {
    ToolRun r;
    r.status = RunStepTool(
        args, [&](const std::wstring& t) { r.out += t; },
        [&](const std::wstring& t) { r.err += t; });
    return r;
}

bool Has(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

class StepToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        WriteAnsiFile(dir / L"a\\frmA.frm",
                      test::FormText(L"frmA", L"Option Explicit\nx = _\n1\n"));
        WriteAnsiFile(dir / L"a\\MCalc.bas", L"Attribute VB_Name = \"M計算\"\n' 注釈\n\ny = 2\n");
        WriteAnsiFile(dir / L"a\\A.vbp", L"Form=frmA.frm\nModule=M計算; MCalc.bas\n");
        WriteAnsiFile(dir / L"b\\B.vbp", L"Type=Exe\nModule=MB; ..\\a\\MCalc.bas\n");
        WriteAnsiFile(dir / L"G.vbg", L"VBGROUP 5.0\nStartupProject=b\\B.vbp\nProject=a\\A.vbp\n");
    }
    void TearDown() override { ResetGlobals(); }
    std::wstring Shown(const std::wstring& relative) const {
        return platform::DisplayPath(dir / relative);
    }
    test::TempDir dir;
};

TEST_F(StepToolTest, UsageErrorsExitWithTwo) {
    const std::wstring a = dir / L"a\\A.vbp";
    for (const auto& args :
         std::vector<std::vector<std::wstring>>{{},
                                                {L"--bogus", a},
                                                {L"--jobs", L"0", a},
                                                {a, L"--exclude"},
                                                {L"--encoding", L"NO-SUCH-CODE-PAGE", a},
                                                {dir / L"nowhere.vbp"}}) {
        const ToolRun r = Tool(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(Has(r.err, L"kinoha-step: "));
    }
    EXPECT_TRUE(Has(Tool({L"--bogus"}).err, L"usage: kinoha-step [options] PATH..."));
    EXPECT_FALSE(test::PathExists(dir / L"a\\A_Step.csv"));
    EXPECT_EQ(Tool({L"--help"}).status, 0);
}

TEST_F(StepToolTest, CountsGroupsAndDirectoriesWithSummaryAndTotal) {
    const ToolRun r = Tool({dir / L"G.vbg"});
    EXPECT_EQ(r.status, 0) << test::Utf8(r.err);
    EXPECT_EQ(r.out, Shown(L"b\\B.vbp") + L": members 1, screen 0, code 1, comment 1, blank 1\n" +
                         Shown(L"a\\A.vbp") +
                         L": members 2, screen 10, code 4, comment 1, blank 1\n"
                         L"total of 2 projects: members 3, screen 10, code 5, comment 2, "
                         L"blank 2\n");
    EXPECT_TRUE(Has(Tool({L"--under", dir / L"a\\A.vbp"}).out, L"code 3,"));
    // A directory: the group (split) and both projects; "B.vbp" hides B found on its own only.
    EXPECT_TRUE(Has(Tool({L"--exclude", L"B.vbp", dir.path()}).out, L"total of 3 projects"));
    const ToolRun none =
        Tool({L"--exclude", L"a", L"--exclude", L"b", L"--exclude", L"G", dir.path()});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(Has(none.err, L"no project"));
}

TEST_F(StepToolTest, FailedProjectsAreNamedWithTheirMemberAndTheOthersCounted) {
    test::WriteFile(dir / L"a\\A_Step.csv", "earlier\r\n");
    test::WriteFile(dir / L"a\\MCalc.bas", "");  // empty module: A's and B's counts fail
    WriteAnsiFile(dir / L"c\\C.vbp", L"Form=gone.frm\n");
    WriteAnsiFile(dir / L"d\\D.vbp", L"Module=M; m.bas\nClass=NoName\n");
    WriteAnsiFile(dir / L"d\\m.bas", L"Attribute VB_Name = \"M\"\nx = 1\n");
    const ToolRun r =
        Tool({L"--jobs", L"3", dir / L"a\\A.vbp", dir / L"c\\C.vbp", dir / L"d\\D.vbp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, Shown(L"a\\A.vbp") + L": " + Shown(L"a\\MCalc.bas") +
                               L": the member file is empty; no report written"))
        << test::Utf8(r.err);
    EXPECT_TRUE(Has(r.err, Shown(L"c\\gone.frm")));
    EXPECT_EQ(test::ReadFile(dir / L"a\\A_Step.csv"), "earlier\r\n");
    EXPECT_FALSE(test::PathExists(dir / L"c\\C_Step.csv"));
    // D: the members before the bad line are counted and reported, as the window does.
    EXPECT_TRUE(Has(r.err, L"Class=NoName"));
    EXPECT_EQ(r.out, Shown(L"d\\D.vbp") +
                         L": members 1, screen 0, code 1, comment 0, blank 0\n"
                         L"total of 1 projects: members 1, screen 0, code 1, "
                         L"comment 0, blank 0\n");
}

TEST_F(StepToolTest, StdoutAndParallelRunsGiveTheSameBytes) {
    std::vector<std::wstring> args = {L"--under", L"--jobs", L"1"};
    for (int i = 0; i < 30; ++i) {
        std::wstring text = L"Attribute VB_Name = \"M\"\n";
        for (int k = 0; k < i * 7; ++k) text += k % 4 == 0 ? L"' 注\n" : L"x = _\n";
        const std::wstring n = std::to_wstring(i), p = std::to_wstring(i % 3);
        WriteAnsiFile(dir / (L"a\\m" + n + L".bas"), text);
        WriteAnsiFile(dir / (L"p" + p + L"\\P.vbp"),
                      L"Module=M" + n + L"; ..\\a\\m" + n + L".bas\n");
        if (i < 3) args.push_back(dir / (L"p" + p + L"\\P.vbp"));
    }
    const ToolRun serial = Tool(args);
    const std::string report = test::ReadFile(dir / L"p1\\P_Step.csv");
    args[2] = L"4";
    EXPECT_EQ(Tool(args).out, serial.out);
    EXPECT_EQ(test::ReadFile(dir / L"p1\\P_Step.csv"), report);
    // --stdout prints the report text and writes nothing.
    test::RemovePath(dir / L"p1\\P_Step.csv");
    const ToolRun printed = Tool({L"--under", L"--stdout", args[4]});
    EXPECT_FALSE(test::PathExists(dir / L"p1\\P_Step.csv"));
    std::wstring text = printed.out;
    for (std::size_t at = text.find(L'\n'); at != std::wstring::npos; at = text.find(L'\n', at + 2))
        text.insert(at, 1, L'\r');
    EXPECT_EQ(platform::EncodeAnsi(text), report);
}

// "path" for the shell (built by appending: GCC 12 warns falsely on "\"" + string).
std::string Quoted(const std::wstring& path) {
    std::string s(1, '"');
    s += platform::EncodeAnsi(platform::DisplayPath(path));
    s += '"';
    return s;
}

// Runs the built program (beside this test program) through the shell, its output going to
// out.txt and err.txt; its exit status.
int RunProgram(const std::string& arguments, const test::TempDir& dir) {
    std::string command = Quoted(platform::ProgramDirectory() + L"/" KINOHA_STEP_NAME) + " " +
                          arguments + " > " + Quoted(dir / L"out.txt") + " 2> " +
                          Quoted(dir / L"err.txt");
#ifdef _WIN32
    command.insert(command.begin(), '"');  // cmd /c drops the outer quotes
    command.push_back('"');
    return std::system(command.c_str());
#else
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST_F(StepToolTest, TheProgramWritesExactlyTheBytesOfCountProjectSteps) {
    const std::wstring project = dir / L"a\\A.vbp";
    const std::string arg = Quoted(project);
    ASSERT_EQ(RunProgram("--under " + arg, dir), 0) << test::ReadFile(dir / L"err.txt");
    const std::string written = test::ReadFile(dir / L"a\\A_Step.csv");
    test::RemovePath(dir / L"a\\A_Step.csv");
    MemberLists lists;
    std::vector<std::wstring> lines;
    ASSERT_TRUE(ReadProjectMembers(project, lists));
    StepCountOptions under;
    under.counting.under = true;
    ASSERT_TRUE(CountProjectSteps(project, lists, lines, under));
    EXPECT_EQ(written, test::ReadFile(dir / L"a\\A_Step.csv"));

    test::WriteFile(dir / L"a\\frmA.frm", "");
    EXPECT_EQ(RunProgram(arg, dir), 1);
    EXPECT_NE(test::ReadFile(dir / L"err.txt").find("frmA.frm: the member file is empty"),
              std::string::npos);
    EXPECT_EQ(RunProgram("--no-such-option", dir), 2);
}

TEST_F(StepToolTest, AReadOnlyReportIsNamedOnStandardErrorAndKept) {
    const std::wstring report = dir / L"a\\A_Step.csv";
    test::WriteFile(report, "earlier\r\n");
    test::SetReadOnly(report, true);
    const ToolRun r = Tool({dir / L"a\\A.vbp", dir / L"b\\B.vbp"});
    const int status = RunProgram(Quoted(dir / L"a\\A.vbp"), dir);
    test::SetReadOnly(report, false);

    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, L"kinoha-step: " + Shown(L"a\\A.vbp") + L": " + Shown(L"a\\A_Step.csv") +
                         L": the report file cannot be written; no report written\n");
    EXPECT_TRUE(Has(r.out, Shown(L"b\\B.vbp") + L": members 1,"));  // the others are counted
    EXPECT_EQ(test::ReadFile(report), "earlier\r\n");
    // The program itself: status 1, the report named on standard error, nothing on standard
    // output.
    EXPECT_EQ(status, 1);
    EXPECT_NE(
        test::ReadFile(dir / L"err.txt").find("A_Step.csv: the report file cannot be written"),
        std::string::npos)
        << test::ReadFile(dir / L"err.txt");
    EXPECT_EQ(test::ReadFile(dir / L"out.txt"), "");
}

TEST_F(StepToolTest, DiffOfTwoTreesAndTheCountingOptions) {
    // The older tree: project A with a line less, B as it is, C gone from the newer tree.
    const std::wstring old = dir / L"old";
    WriteAnsiFile(old + L"\\A\\frmA.frm", test::FormText(L"frmA", L"Option Explicit\n"));
    WriteAnsiFile(old + L"\\A\\MCalc.bas", L"Attribute VB_Name = \"M計算\"\n' 注釈\n\ny = 2\n");
    WriteAnsiFile(old + L"\\A\\A.vbp", L"Form=frmA.frm\nModule=M計算; MCalc.bas\n");
    WriteAnsiFile(old + L"\\C\\C.vbp", L"Type=Exe\n");
    WriteAnsiFile(dir / L"b\\B.vbp", L"Type=Exe\nModule=MB; ..\\a\\MCalc.bas\n");
    const ToolRun r = Tool({L"--diff", old, dir / L"a", L"--under"});
    EXPECT_EQ(r.status, 0) << test::Utf8(r.err);
    EXPECT_TRUE(Has(r.out, Shown(L"a\\A.vbp") + L": members added 0, deleted 0, changed 1, "
                                                L"unchanged 1, screen +0 ~0 -0, code +1 ~0 -0"))
        << test::Utf8(r.out);
    EXPECT_EQ(test::ReadFile(dir / L"a\\A_StepDiff.csv").substr(0, 4), "\x96\xBC\x91O");  // 名前
    // A project of a tree only: no older version, every member added; or not compared.
    const ToolRun both = Tool({L"--diff", old, dir.path(), L"--exclude", L"old"});
    EXPECT_TRUE(Has(both.out, Shown(L"b\\B.vbp") + L" (no older version): members added 1"));
    EXPECT_TRUE(Has(r.out, Shown(L"old\\C\\C.vbp") + L": only in the older version"));
    EXPECT_EQ(Tool({L"--diff", old}).status, 2);

    // Each counting option changes the count of a fixture made for it.
    WriteAnsiFile(dir / L"o\\M.bas", L"Attribute VB_Name = \"M\"\nRemoveItem 1\nx = 1\n");
    WriteAnsiFile(dir / L"o\\u.ctl", L"VERSION 5.00\nBegin VB.UserControl u\nEnd\n");
    WriteAnsiFile(dir / L"o\\O.vbp", L"Module=M; M.bas\nUserControl=u.ctl\n");
    const std::wstring project = dir / L"o\\O.vbp";
    EXPECT_TRUE(Has(Tool({project}).out, L"members 1, screen 0, code 1, comment 1"));
    EXPECT_TRUE(Has(Tool({L"--vb-comments", project}).out, L"code 2, comment 0"));
    EXPECT_TRUE(Has(Tool({L"--count-controls", project}).out, L"members 2, screen 2"));
}

}  // namespace
}  // namespace kinoha
