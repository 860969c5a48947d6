#include <gtest/gtest.h>

#include <cstdlib>

#include "app/globals.h"
#include "cli/step_tool.h"
#include "platform/platform.h"
#include "step/member_lists.h"
#include "step/step_fixtures.h"
#include "step/step_report.h"

namespace kinoha {
namespace {

using test::FormText;
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

bool Contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

class StepToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        // Two projects, the second with a continued statement; a group naming both.
        WriteAnsiFile(dir / L"a\\frmA.frm", FormText(L"frmA", L"Option Explicit\nx = _\n1\n"));
        WriteAnsiFile(dir / L"a\\MCalc.bas", L"Attribute VB_Name = \"M計算\"\n' 注釈\n\ny = 2\n");
        WriteAnsiFile(dir / L"a\\A.vbp",
                      L"Type=Exe\nForm=frmA.frm\nModule=M計算; MCalc.bas\n"
                      L"IconForm=\"frmA\"\n");
        WriteAnsiFile(dir / L"b\\B.vbp", L"Type=Exe\nModule=MB; ..\\a\\MCalc.bas\n");
        WriteAnsiFile(dir / L"G.vbg", L"VBGROUP 5.0\nStartupProject=b\\B.vbp\nProject=a\\A.vbp\n");
    }
    void TearDown() override { ResetGlobals(); }
    test::TempDir dir;
};

TEST_F(StepToolTest, UsageErrorsExitWithTwoAndAShortUsage) {
    for (const auto& args : std::vector<std::vector<std::wstring>>{
             {},
             {L"--bogus", dir / L"a\\A.vbp"},
             {L"--jobs", L"0", dir / L"a\\A.vbp"},
             {L"--jobs", L"x", dir / L"a\\A.vbp"},
             {dir / L"a\\A.vbp", L"--exclude"},
             {L"--encoding", L"NO-SUCH-CODE-PAGE", dir / L"a\\A.vbp"},
             {dir / L"nowhere.vbp"}}) {
        const ToolRun r = Tool(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? L"" : args[0]);
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(Contains(r.err, L"kinoha-step: "));
    }
    EXPECT_TRUE(Contains(Tool({L"--bogus"}).err, L"usage: kinoha-step [options] PATH..."));
    EXPECT_FALSE(test::PathExists(dir / L"a\\A_Step.csv"));
    const ToolRun help = Tool({L"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, L"--encoding E"));
    EXPECT_EQ(Tool({L"--version"}).out.rfind(L"kinoha-step ", 0), 0u);
}

TEST_F(StepToolTest, CountsEachProjectOfAGroupAndPrintsSummaryAndTotal) {
    const ToolRun r = Tool({dir / L"G.vbg"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const std::wstring b = platform::DisplayPath(dir / L"b\\B.vbp");
    const std::wstring a = platform::DisplayPath(dir / L"a\\A.vbp");
    // The start-up project first; the total adds both.
    EXPECT_EQ(r.out, b + L": members 1, screen 0, code 1, comment 1, blank 1\n" + a +
                         L": members 2, screen 10, code 4, comment 1, blank 1\n"
                         L"total of 2 projects: members 3, screen 10, code 5, comment 2, "
                         L"blank 2\n");
    EXPECT_TRUE(test::PathExists(dir / L"a\\A_Step.csv"));
    EXPECT_TRUE(test::PathExists(dir / L"b\\B_Step.csv"));
    // The setting is the tool's own: gUnder is as it was.
    EXPECT_EQ(gUnder, 0);
}

TEST_F(StepToolTest, UnderExcludeAndDirectorySearch) {
    const ToolRun under = Tool({L"--under", dir / L"a\\A.vbp"});
    EXPECT_TRUE(Contains(under.out, L"code 3,")) << under.out;
    // A directory gives the group (split) and both projects; "b\" hides B found on its own,
    // not B reached through the group.
    const ToolRun all = Tool({L"--exclude", L"B.vbp", dir.path()});
    EXPECT_EQ(all.status, 0);
    EXPECT_TRUE(Contains(all.out, L"total of 3 projects")) << all.out;
    const ToolRun none =
        Tool({L"--exclude", L"a", L"--exclude", L"b", L"--exclude", L"G", dir.path()});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(Contains(none.err, L"no project"));
}

TEST_F(StepToolTest, StdoutPrintsTheReportAndWritesNoFile) {
    const ToolRun r = Tool({L"--stdout", dir / L"a\\A.vbp"});
    EXPECT_EQ(r.status, 0);
    ASSERT_FALSE(test::PathExists(dir / L"a\\A_Step.csv"));
    MemberLists lists;
    ASSERT_TRUE(ReadProjectMembers(dir / L"a\\A.vbp", lists));
    std::vector<std::wstring> lines;
    StepCountOptions options;
    options.writeReport = false;
    ASSERT_TRUE(CountProjectSteps(dir / L"a\\A.vbp", lists, lines, options));
    std::wstring want;
    for (const auto& line : lines) want += line + L"\n";
    EXPECT_EQ(r.out, want);
}

TEST_F(StepToolTest, AFailedProjectIsNamedWithItsMemberAndTheOthersAreCounted) {
    test::WriteFile(dir / L"a\\A_Step.csv", "earlier\r\n");
    test::WriteFile(dir / L"a\\MCalc.bas", "");  // empty module: the count fails
    WriteAnsiFile(dir / L"c\\C.vbp", L"Form=gone.frm\n");
    const ToolRun r = Tool({L"--jobs", L"3", dir / L"a\\A.vbp", dir / L"c\\C.vbp", dir / L"G.vbg"});
    EXPECT_EQ(r.status, 1);
    const std::wstring member = platform::DisplayPath(dir / L"a\\MCalc.bas");
    EXPECT_TRUE(Contains(r.err, platform::DisplayPath(dir / L"a\\A.vbp") + L": " + member +
                                    L": the member file is empty; no report written"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, platform::DisplayPath(dir / L"c\\gone.frm")));
    EXPECT_EQ(test::ReadFile(dir / L"a\\A_Step.csv"), "earlier\r\n");
    EXPECT_FALSE(test::PathExists(dir / L"c\\C_Step.csv"));
    // B (through the group) still counted; its module is the empty file too, so it fails.
    EXPECT_FALSE(test::PathExists(dir / L"b\\B_Step.csv"));

    // A "Module=" line without "; ": the report is made from the lines before, as the window
    // makes it, and the tool says so.
    WriteAnsiFile(dir / L"d\\D.vbp", L"Module=M; m.bas\nClass=NoName\n");
    WriteAnsiFile(dir / L"d\\m.bas", L"Attribute VB_Name = \"M\"\nx = 1\n");
    const ToolRun partial = Tool({dir / L"d\\D.vbp"});
    EXPECT_EQ(partial.status, 1);
    EXPECT_TRUE(Contains(partial.err, L"Class=NoName"));
    EXPECT_TRUE(Contains(partial.out, L"members 1, screen 0, code 1"));
    EXPECT_TRUE(test::PathExists(dir / L"d\\D_Step.csv"));
}

TEST_F(StepToolTest, ParallelRunPrintsAndWritesTheSameBytes) {
    for (int i = 0; i < 30; ++i) {
        std::wstring text = L"Attribute VB_Name = \"M\"\n";
        for (int k = 0; k < i * 7; ++k) text += k % 4 == 0 ? L"' 注\n" : L"x = _\n";
        WriteAnsiFile(dir / (L"a\\m" + std::to_wstring(i) + L".bas"), text);
        WriteAnsiFile(
            dir / (L"p" + std::to_wstring(i % 3) + L"\\P.vbp"),
            L"Module=M" + std::to_wstring(i) + L"; ..\\a\\m" + std::to_wstring(i) + L".bas\n");
    }
    std::vector<std::wstring> paths;
    for (int p = 0; p < 3; ++p) paths.push_back(dir / (L"p" + std::to_wstring(p) + L"\\P.vbp"));
    auto args = paths;
    args.insert(args.begin(), {L"--under", L"--jobs", L"1"});
    const ToolRun serial = Tool(args);
    std::vector<std::string> reports;
    for (const auto& p : paths)
        reports.push_back(test::ReadFile(p.substr(0, p.size() - 4) + L"_Step.csv"));
    args[2] = L"4";
    const ToolRun parallel = Tool(args);
    EXPECT_EQ(parallel.out, serial.out);
    for (std::size_t p = 0; p < paths.size(); ++p)
        EXPECT_EQ(test::ReadFile(paths[p].substr(0, paths[p].size() - 4) + L"_Step.csv"),
                  reports[p]);
}

// ---- The real program ----------------------------------------------------------------------

std::string Quote(const std::string& s) {
    return "\"" + s + "\"";
}

// Runs the built kinoha-step through the shell; returns its exit status.
int RunProgram(const std::string& arguments, const test::TempDir& dir) {
    const std::wstring program = platform::ProgramDirectory() + L"/" KINOHA_STEP_NAME;
    const std::string exe = platform::EncodeAnsi(program);
    const std::string out = platform::EncodeAnsi(platform::DisplayPath(dir / L"out.txt"));
    std::string command = Quote(exe) + " " + arguments + " > " + Quote(out) + " 2>&1";
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd /c takes off the outer quotes
    return std::system(command.c_str());
#else
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST_F(StepToolTest, TheProgramWritesExactlyTheBytesOfCountProjectSteps) {
    const std::wstring project = dir / L"a\\A.vbp";
    ASSERT_EQ(
        RunProgram("--under " + Quote(platform::EncodeAnsi(platform::DisplayPath(project))), dir),
        0)
        << test::ReadFile(dir / L"out.txt");
    const std::string written = test::ReadFile(dir / L"a\\A_Step.csv");
    EXPECT_NE(test::ReadFile(dir / L"out.txt").find("members 2, screen 10, code 3"),
              std::string::npos);

    gUnder = 1;
    MemberLists lists;
    ASSERT_TRUE(ReadProjectMembers(project, lists));
    std::vector<std::wstring> lines;
    test::RemovePath(dir / L"a\\A_Step.csv");
    ASSERT_TRUE(CountProjectSteps(project, lists, lines));
    EXPECT_EQ(written, test::ReadFile(dir / L"a\\A_Step.csv"));

    test::WriteFile(dir / L"a\\frmA.frm", "");
    EXPECT_EQ(RunProgram(Quote(platform::EncodeAnsi(platform::DisplayPath(project))), dir), 1);
    EXPECT_NE(test::ReadFile(dir / L"out.txt").find("frmA.frm: the member file is empty"),
              std::string::npos);
    EXPECT_EQ(RunProgram("--no-such-option", dir), 2);
}

}  // namespace
}  // namespace kinoha
