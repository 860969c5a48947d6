#include <gtest/gtest.h>

#include <cstdlib>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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
                                                {dir / L"nowhere.vbp"},
                                                {L""},
                                                {L"--format", L"xml", a},
                                                {L"--output", L"", a},
                                                {L"--stdout", L"--format", L"json", a}}) {
        const ToolRun r = Tool(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(Has(r.err, L"kinoha-step: "));
    }
    EXPECT_TRUE(Has(Tool({L"--bogus"}).err, L"usage: kinoha-step [options] PATH..."));
    // A file that is no project (a typo in a build script) counts nothing and writes nothing.
    for (const wchar_t* name : {L"x.txt", L"a\\Module1.bas"}) {
        test::WriteFile(dir / name, "Attribute VB_Name = \"x\"\r\n");
        const ToolRun r = Tool({dir / name});
        EXPECT_EQ(r.status, 2) << test::Utf8(name);
        EXPECT_TRUE(Has(r.err, L": not a project or group file (.vbp, .vbg)")) << test::Utf8(r.err);
    }
    EXPECT_FALSE(test::PathExists(dir / L"x_Step.csv"));
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
    // A directory: the group (split) and both projects, each project counted once and the
    // repeats told; an exclusion leaves a project out also where a group reaches it.
    const ToolRun once = Tool({dir.path()});
    EXPECT_EQ(once.status, 0);
    EXPECT_TRUE(Has(once.out, L"total of 2 projects: members 3,"));
    EXPECT_EQ(once.err,
              L"kinoha-step: 2 repeats of projects already listed were skipped; each "
              L"project is counted once\n");
    EXPECT_EQ(Tool({L"--exclude", L"B.vbp", dir.path()}).out,
              Shown(L"a\\A.vbp") + L": members 2, screen 10, code 4, comment 1, blank 1\n");
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

TEST_F(StepToolTest, ShiftJisNamesReadAsCp932AndCodePagesWithoutTheBackslashAreRefused) {
    const std::wstring b = dir / L"b\\B.vbp";  // its member is "..\\a\\MCalc.bas"
    for (const wchar_t* name : {L"SJIS", L"Shift_JIS", L"ms932", L"Windows-31J"}) {
        const ToolRun r = Tool({L"--encoding", name, b});
        EXPECT_EQ(r.status, 0) << test::Utf8(name) << test::Utf8(r.err);
    }
    const std::string report = test::ReadFile(dir / L"b\\B_Step.csv");
    // UTF-16 keeps no ASCII byte; Shift_JIS X 0213 reads 0x5C as the yen sign.
    for (const wchar_t* name : {L"UTF-16", L"SHIFT_JISX0213"}) {
        const ToolRun r = Tool({L"--encoding", name, b});
        EXPECT_EQ(r.status, 2) << test::Utf8(name);
        EXPECT_TRUE(Has(r.err, std::wstring(L"encoding ") + name)) << test::Utf8(r.err);
    }
    EXPECT_EQ(test::ReadFile(dir / L"b\\B_Step.csv"), report);
}

TEST_F(StepToolTest, LineFeedOnlyFilesAreCountedAsVbReadsThemAndWarned) {
    test::WriteFile(dir / L"c\\C.vbp", "Type=Exe\nModule=MB; ..\\a\\MCalc.bas\n");
    const ToolRun project = Tool({dir / L"c\\C.vbp"});
    EXPECT_EQ(project.status, 1);
    EXPECT_TRUE(Has(project.err, Shown(L"c\\C.vbp") +
                                     L": the file has line feeds but no carriage return, so it "
                                     L"was read as one line"))
        << test::Utf8(project.err);
    EXPECT_EQ(project.out,
              Shown(L"c\\C.vbp") + L": members 0, screen 0, code 0, comment 0, blank 0\n");

    test::WriteFile(dir / L"a\\MCalc.bas", "Attribute VB_Name = \"M\"\nx = 1\ny = 2\n");
    const ToolRun member = Tool({dir / L"a\\A.vbp"});
    EXPECT_EQ(member.status, 1);
    EXPECT_TRUE(Has(member.err, Shown(L"a\\A.vbp") + L": " + Shown(L"a\\MCalc.bas") +
                                    L": the file has line feeds but no carriage return"));
    EXPECT_TRUE(test::PathExists(dir / L"a\\A_Step.csv"));  // the count is kept

    // A group read as one line has no project, and is said to be why.
    test::WriteFile(dir / L"G.vbg", "VBGROUP 5.0\nStartupProject=a\\A.vbp\n");
    const ToolRun group = Tool({dir / L"G.vbg"});
    EXPECT_EQ(group.status, 1);
    EXPECT_TRUE(Has(group.err, Shown(L"G.vbg") + L": the file has line feeds but no carriage"))
        << test::Utf8(group.err);
}

TEST_F(StepToolTest, StdoutPutsALineNamingTheProjectBeforeEachOfSeveralReports) {
    const ToolRun r = Tool({L"--stdout", dir / L"G.vbg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find(L"==> " + Shown(L"b\\B.vbp") + L" <==\n名前,種別,"), 0u);
    EXPECT_NE(r.out.find(L"\nSTEP合計,-,0,1,1,1,-\n==> " + Shown(L"a\\A.vbp") + L" <==\n名前,"),
              std::wstring::npos);
}

TEST_F(StepToolTest, ControlCharactersAreShownEscapedAndANulInAMemberPathIsRefused) {
    WriteAnsiFile(dir / L"c\\C.vbp", L"Module=M; m.bas\nClass=Bad\x1b]0;title\x07\n");
    WriteAnsiFile(dir / L"c\\m.bas", L"Attribute VB_Name = \"M\"\nx = 1\n");
    const ToolRun escaped = Tool({dir / L"c\\C.vbp"});
    EXPECT_EQ(escaped.status, 1);
    EXPECT_TRUE(Has(escaped.err, L"\"Class=Bad\\x1B]0;title\\x07\""));
    EXPECT_EQ(escaped.err.find_first_of(L"\x1b\x07"), std::wstring::npos);

    // The system would read "m.bas" for "m.bas<NUL>.txt".
    test::RemovePath(dir / L"c\\C_Step.csv");
    WriteAnsiFile(dir / L"c\\C.vbp", std::wstring(L"Module=M; m.bas\0.txt\n", 21));
    const ToolRun nul = Tool({dir / L"c\\C.vbp"});
    EXPECT_EQ(nul.status, 1);
    EXPECT_TRUE(Has(nul.err, L"m.bas\\x00.txt: the member's file name holds a NUL character"))
        << test::Utf8(nul.err);
    EXPECT_FALSE(test::PathExists(dir / L"c\\C_Step.csv"));
}

TEST_F(StepToolTest, OutputThatCannotBeWrittenEndsWithOne) {
    const std::wstring a = dir / L"a\\A.vbp";
    ToolRun r;
    ToolStreams full;
    full.out = [](const std::wstring&) { return false; };
    full.err = [&](const std::wstring& t) {
        r.err += t;
        return true;
    };
    EXPECT_EQ(RunStepTool({a, dir / L"b\\B.vbp"}, full), 1);
    EXPECT_EQ(r.err, L"kinoha-step: standard output cannot be written; the output is incomplete\n");
    EXPECT_TRUE(test::PathExists(dir / L"b\\B_Step.csv"));  // the count goes on

    bool flushed = false;
    full.out = [](const std::wstring&) { return true; };
    full.finishOut = [&] { return flushed = true, false; };
    EXPECT_EQ(RunStepTool({L"--format", L"json", a}, full), 1);
    EXPECT_TRUE(flushed);

    const ToolRun folder = Tool({L"--output", dir.path(), a});
    EXPECT_EQ(folder.status, 1);
    EXPECT_TRUE(Has(folder.err, L": the output file cannot be written"));
}

TEST_F(StepToolTest, CsvAndMarkdownSummariesListCountedAndFailedProjects) {
    WriteAnsiFile(dir / L"c\\C_1.vbp", L"Form=gone.frm\n");
    const std::wstring before = platform::CurrentDirectory();
    ASSERT_TRUE(platform::ChangeCurrentDirectory(dir.path()));
    const ToolRun md = Tool({L"--format", L"markdown", L"G.vbg", L"c/C_1.vbp"});
    const ToolRun csv = Tool({L"--format", L"csv", L"G.vbg", L"c/C_1.vbp"});
    platform::ChangeCurrentDirectory(before);
    EXPECT_EQ(md.status, 1);
    EXPECT_EQ(platform::EncodeUtf8(md.out),
              test::ReadFile(platform::ProgramDirectory() + L"/cli_fixtures/summary.md"))
        << platform::EncodeUtf8(md.out);
    EXPECT_EQ(csv.out,
              L"project,state,members,screen,code,comment,blank\n"
              L"b/B.vbp,counted,1,0,1,1,1\na/A.vbp,counted,2,10,4,1,1\nc/C_1.vbp,failed,,,,,\n");
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
    // An exclusion leaves a project out of the diff also where a group reaches it.
    WriteAnsiFile(dir / L"g\\G.vbg", L"VBGROUP 5.0\nProject=..\\b\\B.vbp\n");
    EXPECT_TRUE(Has(Tool({L"--diff", old, dir / L"g", L"--exclude", L"B.vbp"}).err, L"no project"));
    EXPECT_FALSE(test::PathExists(dir / L"b\\B_StepDiff.csv"));
    // A project of a tree only: no older version, every member added; or not compared.
    const ToolRun both = Tool({L"--diff", old, dir.path(), L"--exclude", L"old"});
    EXPECT_TRUE(Has(both.out, Shown(L"b\\B.vbp") + L" (no older version): members added 1"));
    EXPECT_TRUE(Has(r.out, Shown(L"old\\C\\C.vbp") + L": only in the older version"));
    EXPECT_EQ(Tool({L"--diff", old}).status, 2);
    // OLD kept inside NEW is not part of NEW: no report of its own, not counted as new.
    const ToolRun inside = Tool({L"--diff", old, dir.path()});
    EXPECT_FALSE(Has(inside.out, Shown(L"old\\C\\C.vbp") + L" (no older version)"))
        << test::Utf8(inside.out);
    EXPECT_FALSE(test::PathExists(old + L"\\C\\C_StepDiff.csv"));
    // A copy of X elsewhere in NEW does not take X's older version from X at its own place.
    WriteAnsiFile(dir / L"v1\\src\\X\\X.vbp", L"Type=Exe\nModule=M; M.bas\n");
    WriteAnsiFile(dir / L"v1\\src\\X\\M.bas", L"Attribute VB_Name = \"M\"\nx = 1\n");
    WriteAnsiFile(dir / L"v2\\src\\X\\X.vbp", L"Type=Exe\nModule=M; M.bas\n");
    WriteAnsiFile(dir / L"v2\\src\\X\\M.bas", L"Attribute VB_Name = \"M\"\nx = 1\ny = 2\n");
    WriteAnsiFile(dir / L"v2\\attic\\X.vbp", L"Type=Exe\n");
    const ToolRun copy = Tool({L"--diff", dir / L"v1", dir / L"v2"});
    EXPECT_TRUE(
        Has(copy.out, Shown(L"v2\\src\\X\\X.vbp") + L": members added 0, deleted 0, changed 1"))
        << test::Utf8(copy.out);
    EXPECT_TRUE(Has(copy.out, Shown(L"v2\\attic\\X.vbp") + L" (no older version)"));
    // The summary formats of the diff: a csv row per project, json with the older-only project.
    const ToolRun csv = Tool({L"--diff", old, dir / L"a", L"--format", L"csv", L"--stdout",
                              L"--output", dir / L"sum.csv"});
    EXPECT_EQ(csv.status, 0);
    const std::string rows = test::ReadFile(dir / L"sum.csv");
    EXPECT_NE(rows.find(",compared,0,0,1,1,0,0,0,2,0,0,0,0,0\n"), std::string::npos) << rows;
    const ToolRun json = Tool({L"--diff", old, dir / L"a", L"--format", L"json"});
    EXPECT_TRUE(Has(json.out, L"\"olderOnly\": [\"") && Has(json.out, L"C/C.vbp\"]"))
        << test::Utf8(json.out);

    // Each counting option changes the count of a fixture made for it.
    WriteAnsiFile(dir / L"o\\M.bas", L"Attribute VB_Name = \"M\"\nRemoveItem 1\nx = 1\n");
    WriteAnsiFile(dir / L"o\\u.ctl", L"VERSION 5.00\nBegin VB.UserControl u\nEnd\n");
    WriteAnsiFile(dir / L"o\\O.vbp", L"Module=M; M.bas\nUserControl=u.ctl\n");
    const std::wstring project = dir / L"o\\O.vbp";
    EXPECT_TRUE(Has(Tool({project}).out, L"members 1, screen 0, code 1, comment 1"));
    EXPECT_TRUE(Has(Tool({L"--vb-comments", project}).out, L"code 2, comment 0"));
    EXPECT_TRUE(Has(Tool({L"--count-controls", project}).out, L"members 2, screen 2"));
}

#ifndef _WIN32
// Runs a command line of the POSIX shell; its exit status.
int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Program() {
    return Quoted(platform::ProgramDirectory() + L"/" KINOHA_STEP_NAME);
}
#endif

// Closed streams, full disks, unreadable directories and terminals are met by the program itself
// through the POSIX shell.
TEST_F(StepToolTest, TheProgramSaysWhenItsOutputCannotBeWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "needs the POSIX shell and /dev/full";
#else
    const std::string a = Quoted(dir / L"a\\A.vbp"), err = " 2>" + Quoted(dir / L"err.txt");
    for (const char* redirect : {" >/dev/full", " >&-"}) {
        EXPECT_EQ(Shell(Program() + " --stdout " + a + redirect + err), 1) << redirect;
        EXPECT_EQ(test::ReadFile(dir / L"err.txt"),
                  "kinoha-step: standard output cannot be written; the output is incomplete\n")
            << redirect;
    }
    // Nothing is meant for a closed standard output when the summary goes to a file.
    EXPECT_EQ(Shell(Program() + " --output " + Quoted(dir / L"sum.txt") + " " + a + " >&-" + err),
              0);
    EXPECT_NE(test::ReadFile(dir / L"sum.txt").find("A.vbp: members 2,"), std::string::npos);
#endif
}

TEST_F(StepToolTest, ADirectoryThatCannotBeReadIsNamedAndTheOthersCounted) {
#ifdef _WIN32
    GTEST_SKIP() << "needs POSIX permissions";
#else
    const std::wstring locked = dir / L"locked";
    WriteAnsiFile(locked + L"\\L.vbp", L"Type=Exe\n");
    const std::string native = test::Utf8(platform::DisplayPath(locked));
    ASSERT_EQ(chmod(native.c_str(), 0), 0);
    // Root reads every directory unless it gives up the capabilities that allow it.
    const std::string asUser =
        geteuid() == 0 ? "setpriv --bounding-set -dac_override,-dac_read_search " : "";
    const int status = Shell(asUser + Program() + " " + Quoted(dir.path()) + " >" +
                             Quoted(dir / L"out.txt") + " 2>" + Quoted(dir / L"err.txt"));
    chmod(native.c_str(), 0755);
    EXPECT_EQ(status, 1);
    EXPECT_NE(test::ReadFile(dir / L"err.txt")
                  .find(native + ": the directory cannot be read; the projects in it were not "
                                 "counted\n"),
              std::string::npos)
        << test::ReadFile(dir / L"err.txt");
    EXPECT_NE(test::ReadFile(dir / L"out.txt").find("total of 2 projects"), std::string::npos);
#endif
}

TEST_F(StepToolTest, TheProgressLineIsShownOnATerminalOnly) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a pseudo-terminal (script)";
#else
    const std::string run = "KINOHA_STEP_PROGRESS_DELAY=0 " + Program() + " " +
                            Quoted(dir / L"a\\A.vbp") + " " + Quoted(dir / L"b\\B.vbp");
    // `script` runs the program on a pseudo-terminal and copies what it shows.
    ASSERT_EQ(Shell("script -qec '" + run + "' /dev/null >" + Quoted(dir / L"tty.txt")), 0);
    const std::string shown = test::ReadFile(dir / L"tty.txt");
    EXPECT_NE(shown.find("\rkinoha-step: 1/2 projects done, counting "), std::string::npos)
        << shown;
    EXPECT_NE(shown.find("total of 2 projects"), std::string::npos);
    ASSERT_EQ(Shell(run + " >" + Quoted(dir / L"out.txt") + " 2>" + Quoted(dir / L"err.txt")), 0);
    EXPECT_EQ(test::ReadFile(dir / L"err.txt"), "");
#endif
}

}  // namespace
}  // namespace kinoha
