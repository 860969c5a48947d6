#include "compile/compile_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/globals.h"
#include "fake_compile_view.h"
#include "platform/platform.h"
#include "support/fake_vb.h"
#include "support/test_files.h"
#include "tray/tray_commands.h"

namespace kinoha {
namespace {

const std::wstring kSelectHint = L"コンパイル中止：ファイルを選択して下さい";

// A window on a catalogue of real files, with the compiles recorded and played by a fake VB that
// writes the log and the output files as told.
class CompileRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        gVbMain = dir_ / L"VB 98\\VB6.EXE";  // blanks in the folder
        test::WriteFile(gVbMain, "");
    }
    void TearDown() override {
        platform::SetEventPumpForTesting({});
        ResetGlobals();
    }

    // A project file (with an output folder when `path32` is given), added to the catalogue.
    std::wstring Project(const std::wstring& relative, const std::string& path32 = "") {
        const std::wstring path = dir_ / relative;
        std::string text = "Type=Exe\r\nExeName32=\"App.exe\"\r\n";
        if (!path32.empty()) text += "Path32=\"" + path32 + "\"\r\n";
        test::WriteFile(path, text);
        lstPrj.Add(path);
        return path;
    }
    // Loads the window and selects the rows.
    void LoadAndSelect(std::vector<bool> selection) {
        run_.Load();
        view_.selection = std::move(selection);
    }

    test::TempDir dir_;
    test::TempDir logRoot_;
    test::FakeCompileView view_;
    test::FakeVb vb_;
    std::vector<std::wstring>& commands_ = vb_.commands;
    std::map<std::wstring, test::FakeVbMode>& behaviour_ = vb_.modes;
    std::function<void(std::size_t)> duringCompile_;  // called inside the n-th compile, from 1
    bool inVb_ = false;                               // the fake VB is at work
    CompileRun run_{view_,
                    [this](const std::wstring& line, const platform::SupervisedRun& how) {
                        if (duringCompile_) duringCompile_(commands_.size() + 1);
                        inVb_ = true;
                        const ProcessOutcome o = vb_(line, how);
                        inVb_ = false;
                        return o;
                    },
                    [this] { return CompileLogFolder::Given(logRoot_.path()); },
                    logRoot_ / L"make-memory.txt"};
};

TEST_F(CompileRunTest, TheListIsTheCatalogueMinusTheExclusionsWithGroupsWhole) {
    for (const wchar_t* p :
         {L"C:\\src\\Test\\a.vbp", L"C:\\src\\test\\b.vbp", L"C:\\old\\c.vbp", L"C:\\src\\g.vbg"}) {
        lstPrj.Add(p);
    }
    lstJyogai = {L"Test", L"old"};
    gStop.Set(RunState::Running);
    run_.Load();
    EXPECT_TRUE(gStop);
    // Exact letter case: "Test" leaves "test" in.
    EXPECT_EQ(run_.Rows(), (std::vector<std::wstring>{L"C:\\src\\g.vbg", L"C:\\src\\test\\b.vbp"}));
    EXPECT_EQ(view_.statuses, (std::vector<std::wstring>{kListRunHint}));

    lstJyogai = {L"zzz", L""};  // an empty string is in every path
    run_.Load();
    EXPECT_TRUE(run_.Rows().empty());
}

TEST_F(CompileRunTest, CommandLinesWithAndWithoutOutputFolder) {
    const std::wstring withOut = Project(L"a\\A.vbp", "..\\bin");
    // However long the project file, its output folder is passed.
    std::string lines(400 * 12, ' ');
    for (std::size_t i = 0; i < lines.size(); i += 12) lines.replace(i, 12, "Retained=0\r\n");
    test::WriteFile(withOut, lines + test::ReadFile(withOut));
    const std::wstring without = Project(L"b b\\B.vbp");
    const std::wstring group = dir_ / L"c.vbg";
    test::WriteFile(group, "VBGROUP 5.0\r\nStartupProject=a\\A.vbp\r\n");
    lstPrj.Add(group);
    LoadAndSelect({true, true, true});
    // The plan's reading serves the compile: each entry reads its project files once.
    std::map<std::wstring, int> reads;
    platform::SetReadHookForTesting([&](const std::wstring& path, std::size_t read) {
        if (read <= 65536 && !inVb_) ++reads[path];  // a first block: a reading begins
    });
    run_.Make();
    platform::SetReadHookForTesting({});
    EXPECT_EQ(reads[withOut], 2);  // its own entry and the group's
    EXPECT_EQ(reads[without], 1);
    // The VB executable's path with its blank is quoted; every line ends with VB's log switch.
    const std::wstring vb = L"\"" + gVbMain + L"\"";
    const std::wstring logs = logRoot_.path() + L"\\";
    EXPECT_EQ(commands_, (std::vector<std::wstring>{
                             vb + L" /make \"" + withOut + L"\" /outdir \"" + dir_.path() +
                                 L"\\bin\" /out \"" + logs + L"A.log\"",
                             vb + L" /make \"" + without + L"\" /out \"" + logs + L"B.log\"",
                             vb + L" /make \"" + group + L"\" /out \"" + logs + L"c.log\""}));
    // A VB setting that carries a switch after the program: the program part is quoted.
    EXPECT_EQ(CompileCommandLine(gVbMain + L" /q", L"D:\\x.vbp", L"D:\\o", L"D:\\l.log"),
              vb + L" /q /make \"D:\\x.vbp\" /outdir \"D:\\o\" /out \"D:\\l.log\"");
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了：成功 3／失敗 0");
    EXPECT_EQ(view_.marks, (std::vector<std::wstring>{L"成功", L"成功", L"成功"}));
}

TEST_F(CompileRunTest, ARunCountsTheSelectedRowsBeepsAndCanBeRepeated) {
    Project(L"a\\A.vbp");
    Project(L"b\\B.vbp");
    Project(L"c\\C.vbp");
    LoadAndSelect({true, false, true});
    std::vector<std::wstring> statusDuring;
    duringCompile_ = [&](std::size_t) {
        statusDuring.push_back(view_.statuses.back());
        // Busy: the tray opens no menu, the window does not close.
        EXPECT_FALSE(gStop);
        EXPECT_EQ(ChooseTrayMenu(517), TrayMenu::None);
        EXPECT_FALSE(run_.Unload({1, 2, 3, 4}));
    };
    run_.Make();
    EXPECT_EQ(statusDuring,
              (std::vector<std::wstring>{L"コンパイル中－1/2", L"コンパイル中－2/2"}));
    EXPECT_EQ(commands_.size(), 2u);
    EXPECT_NE(commands_[1].find(L"C.vbp"), std::wstring::npos);
    EXPECT_EQ(view_.statuses[1], L"コンパイル開始");
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了：成功 2／失敗 0");
    EXPECT_EQ(view_.marks, (std::vector<std::wstring>{L"成功", L"", L"成功"}));
    EXPECT_EQ(view_.runningStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(view_.beeps, 1);
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_TRUE(gStop);
    EXPECT_FALSE(run_.Running());

    // The selection stays: a second press compiles the same set.
    run_.Make();
    EXPECT_EQ(commands_.size(), 4u);
    EXPECT_EQ(commands_[2], commands_[0]);
    EXPECT_EQ(view_.beeps, 2);
}

TEST_F(CompileRunTest, NothingSelectedEndsWithoutMessageOrBeep) {
    Project(L"a\\A.vbp");
    LoadAndSelect({false});
    run_.Make();
    EXPECT_TRUE(commands_.empty());
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(view_.beeps, 0);
    EXPECT_EQ(view_.statuses,
              (std::vector<std::wstring>{kListRunHint, L"コンパイル開始", kSelectHint}));
    EXPECT_EQ(view_.runningStates, (std::vector<bool>{true, false}));
    EXPECT_TRUE(gStop);
}

TEST_F(CompileRunTest, AMissingSecondFileOfThreeCompilesNothing) {
    Project(L"a\\A.vbp");
    const std::wstring second = Project(L"b\\B.vbp");
    Project(L"c\\C.vbp");
    const std::wstring fourth = dir_ / L"d\\D.vbp";  // missing too, but not reported
    lstPrj.Add(fourth);
    test::RemovePath(second);
    LoadAndSelect({true, true, true, true});
    run_.Make();
    EXPECT_TRUE(commands_.empty());
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, L"ファイル無し");
    EXPECT_EQ(view_.messages[0].text,
              L"指定したファイルが存在しません\r\nファイル名やディレクトリを修正した場合は、\r\n"
              L"Kinoha を再起動して下さい");
    EXPECT_EQ(view_.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(view_.statuses.back(), kSelectHint);
    EXPECT_EQ(view_.beeps, 0);
    EXPECT_TRUE(gStop);
}

TEST_F(CompileRunTest, AMissingVbExecutableChangesNothing) {
    Project(L"a\\A.vbp");
    test::RemovePath(gVbMain);
    LoadAndSelect({true});
    run_.Make();
    EXPECT_TRUE(commands_.empty());
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, L"起動失敗");
    EXPECT_EQ(view_.messages[0].text,
              L"起動に失敗しました\r\nパスを確認して下さい\r\nＶＢ本体：" + gVbMain);
    EXPECT_EQ(view_.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(view_.statuses, (std::vector<std::wstring>{kListRunHint}));
    EXPECT_TRUE(view_.runningStates.empty());
}

TEST_F(CompileRunTest, NothingStartsOrStopsWhileTheStepCountWorks) {
    Project(L"a\\a.vbp");
    LoadAndSelect({true});
    gStop.Set(RunState::Running);  // the step count window's run
    run_.Make();
    run_.Stop();
    EXPECT_TRUE(commands_.empty());
    EXPECT_FALSE(gStop);
    EXPECT_TRUE(view_.messages.empty());
}

TEST_F(CompileRunTest, StopDuringTheSecondOfFiveEndsAfterIt) {
    for (const wchar_t* p : {L"1\\P.vbp", L"2\\P.vbp", L"3\\P.vbp", L"4\\P.vbp", L"5\\P.vbp"}) {
        Project(p);
    }
    LoadAndSelect({true, true, true, true, true});
    // The stop button is pressed while the second compile's process runs.
    duringCompile_ = [&](std::size_t n) {
        if (n == 2) {
            run_.Stop();
            EXPECT_EQ(view_.statuses.back(), L"コンパイル中－2/5");
            // Stop asked for: the tray is free again, the window still may not close.
            EXPECT_EQ(ChooseTrayMenu(517), TrayMenu::Main);
            EXPECT_FALSE(run_.Unload({0, 0, 4515, 6630}));
        }
    };
    run_.Make();
    EXPECT_EQ(commands_.size(), 2u);
    EXPECT_EQ(view_.statuses.back(), L"コンパイル中止：成功 2／失敗 0／中止 3");
    EXPECT_EQ(view_.marks,
              (std::vector<std::wstring>{L"成功", L"成功", L"中止", L"中止", L"中止"}));
    EXPECT_EQ(view_.beeps, 1);
    EXPECT_FALSE(run_.Running());
    EXPECT_TRUE(run_.Unload({0, 0, 4515, 6630}));
}

TEST_F(CompileRunTest, AStopAmongTheEventsAfterACompileEndsTheRunToo) {
    Project(L"a\\A.vbp");
    Project(L"b\\B.vbp");
    LoadAndSelect({true, true});
    int pumps = 0;
    platform::SetEventPumpForTesting([&] {
        if (++pumps == 1) run_.Stop();
    });
    run_.Make();
    EXPECT_EQ(commands_.size(), 1u);
    EXPECT_EQ(view_.statuses.back(), L"コンパイル中止：成功 1／失敗 0／中止 1");
}

TEST_F(CompileRunTest, TheConstantsFieldIsKeptCheckedAndPassedAsD) {
    Project(L"a\\A.vbp");
    gDefines = L"VBIDE = 0";
    LoadAndSelect({true});
    EXPECT_EQ(view_.defines, L"VBIDE = 0");
    run_.Defines_Change(L"VBIDE=0\" /q");  // would add a switch to VB's command line
    run_.Make();
    EXPECT_TRUE(commands_.empty());
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, L"指定エラー");
    run_.Defines_Change(L"VBIDE = 0 : Kensa=-1");
    run_.Make();
    ASSERT_EQ(commands_.size(), 1u);
    EXPECT_NE(commands_[0].find(L" /d VBIDE=0:Kensa=-1"), std::wstring::npos) << commands_[0];
    EXPECT_EQ(vb_.lastRun.timeLimit, std::chrono::seconds(30 * 60));
}

TEST_F(CompileRunTest, EachFailingSignalAloneMakesAFailure) {
    // One project per signal; everything else about each compile goes well.
    const std::vector<std::pair<std::wstring, test::FakeVbMode>> cases = {
        {L"NotStarted", {false, 0, true, "", true}},
        {L"ExitCode", {true, 3, true, "", true}},
        {L"ErrorLine",
         {true, 0, true,
          // VB's log in the ANSI code page: "変数が定義されていません。" in CP932.
          "Compile Error in File 'C:\\x\\Form1.frm', Line 12 : "
          "\x95\xcf\x90\x94\x82\xaa\x92\xe8\x8b\x60\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9"
          "\x82\xf1\x81\x42\r\nBuild of 'C:\\x\\App.exe' failed.\r\n",
          true}},
        // No verdict, and nothing else says it built: VB's own words are the error.
        {L"NoVerdict", {true, 0, true, "something else\r\n", false}},
        {L"NoLog", {true, 0, false, "", true}},
        {L"NoOutput", {true, 0, true, "", false}},
    };
    std::vector<bool> all;
    for (const auto& [name, vb] : cases) {
        Project(name + L"\\" + name + L".vbp");
        behaviour_[name + L".vbp"] = vb;
        all.push_back(true);
    }
    LoadAndSelect(all);
    run_.Make();
    ASSERT_EQ(commands_.size(), cases.size());
    // Rows are sorted: ErrorLine, ExitCode, NoLog, NoOutput, NotStarted, NoVerdict.
    const std::vector<std::wstring> firstErrors = {
        L"Compile Error in File 'C:\\x\\Form1.frm', Line 12 : 変数が定義されていません。",
        L"ＶＢ本体が終了コード 3 で終了しました",
        L"ＶＢ本体がログを出力しませんでした",
        L"出力ファイルが作成されていません：" + dir_.path() + L"\\NoOutput\\App.exe",
        L"ＶＢ本体を起動できませんでした：指定されたファイルが見つかりません。（エラー 2）",
        L"something else",
    };
    for (std::size_t row = 0; row < cases.size(); ++row) {
        ASSERT_NE(run_.Result(row), nullptr);
        EXPECT_EQ(run_.Result(row)->result, CompileResult::Failed) << row;
        EXPECT_EQ(run_.Result(row)->firstError, firstErrors[row]) << row;
        EXPECT_EQ(run_.RowDetails(row), L"失敗：" + firstErrors[row]);
    }
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了：成功 0／失敗 6");
    EXPECT_EQ(view_.warnings, 1);
    EXPECT_EQ(view_.beeps, 0);

    // A failed row opens its log; a row whose VB wrote none opens nothing, and says so.
    EXPECT_TRUE(run_.OpenRow(0));
    EXPECT_FALSE(run_.OpenRow(2));
    EXPECT_EQ(view_.statuses.back(), L"ログファイルがありません：" + run_.Result(2)->logPath);
    EXPECT_EQ(view_.opened, (std::vector<std::wstring>{logRoot_.path() + L"\\ErrorLine.log"}));
}

TEST_F(CompileRunTest, AGroupFailsWithAnyOfItsProjectsAndUnknownOutputsAreNoSignal) {
    Project(L"a\\A.vbp");
    Project(L"b\\B.vbp");
    // A DLL project: no ".EXE", so its output file is not looked for.
    test::WriteFile(dir_ / L"c\\C.vbp", "Type=OleDll\r\nExeName32=\"C.dll\"\r\n");
    lstPrj.Add(dir_ / L"c\\C.vbp");
    test::WriteFile(dir_ / L"G.vbg",
                    "VBGROUP 5.0\r\nStartupProject=a\\A.vbp\r\nProject=b\\B.vbp\r\n");
    lstPrj.Add(dir_ / L"G.vbg");
    behaviour_[L"B.vbp"].writesOutput = false;
    LoadAndSelect({true, true, true, true});  // A, B, C, G.vbg
    run_.Make();
    EXPECT_EQ(view_.marks, (std::vector<std::wstring>{L"成功", L"失敗", L"成功", L"失敗"}));
    EXPECT_EQ(run_.Result(3)->firstError,
              L"出力ファイルが作成されていません：" + dir_.path() + L"\\b\\App.exe");
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了：成功 2／失敗 2");

    // The next run clears the marks of rows it does not compile.
    view_.selection = {true, false, false, false};
    run_.Make();
    EXPECT_EQ(view_.marks, (std::vector<std::wstring>{L"成功", L"", L"", L""}));
    EXPECT_EQ(view_.beeps, 1);
}

TEST_F(CompileRunTest, AnOutputFolderWithAQuoteIsRefusedAndARootKeepsItsMeaning) {
    Project(L"a\\A.vbp", "bin\" /out \"C:\\Windows\\win.ini");
    Project(L"b\\B.vbp", "C:\\");
    Project(L"c\\C.vbp", "..\\out\\");
    LoadAndSelect({true, true, true});
    // Off Windows "C:\" is a folder of the current directory: it is made in the test's own.
    const std::wstring was = platform::CurrentDirectory();
    ASSERT_TRUE(platform::ChangeCurrentDirectory(dir_.path()));
    run_.Make();
    platform::ChangeCurrentDirectory(was);
    // Nothing was started for A; B's and C's folders lost the backslash before the quote.
    ASSERT_EQ(commands_.size(), 2u);
    EXPECT_NE(commands_[0].find(L" /outdir \"C:\\.\" /out "), std::wstring::npos);
    EXPECT_NE(commands_[1].find(L" /outdir \"" + dir_.path() + L"\\out\" /out "),
              std::wstring::npos);
    ASSERT_NE(run_.Result(0), nullptr);
    EXPECT_EQ(run_.Result(0)->result, CompileResult::Failed);
    EXPECT_EQ(run_.Result(0)->firstError.rfind(L"出力先フォルダ名に「\"」が含まれているため", 0),
              0u);
    EXPECT_EQ(run_.Result(0)->logPath, L"");
}

TEST_F(CompileRunTest,
       ReferencesOrderTheRunFailuresLeaveDependantsUnbuiltAndTheBoxSkipsTheCurrent) {
    // A control that uses a DLL, an EXE that uses the control (by file name, as "Object=" lines
    // name it), and a project of its own; all build into one folder.
    const auto write = [&](const std::wstring& path, const std::string& lines) {
        test::WriteFile(path, lines + "Path32=\"..\\bin\"\r\n");
        test::SetModifiedAgo(path, 100);
        lstPrj.Add(path);
    };
    write(dir_ / L"a\\App.vbp",
          "Type=Exe\r\nObject={9}#1.0#0; Ctl.ocx\r\nExeName32=\"App.exe\"\r\n");
    write(dir_ / L"b\\Ctl.vbp",
          "Type=Control\r\nReference=*\\G{1}#1.0#0#..\\bin\\Lib.dll#Lib\r\n"
          "UserControl=Grid.ctl\r\nExeName32=\"Ctl.ocx\"\r\nCompatibleMode=\"2\"\r\n");
    test::WriteFile(dir_ / L"b\\Grid.ctl", "VERSION 5.00\r\n");
    test::SetModifiedAgo(dir_ / L"b\\Grid.ctl", 100);
    write(dir_ / L"c\\Lib.vbp", "Type=OleDll\r\nExeName32=\"Lib.dll\"\r\nCompatibleMode=\"2\"\r\n");
    write(dir_ / L"d\\Other.vbp", "Type=Exe\r\nExeName32=\"Other.exe\"\r\n");
    behaviour_[L"Lib.vbp"] = {true, 1, true, "Build of 'Lib.dll' failed.\r\n", false};
    LoadAndSelect({true, true, true, true});
    const auto compiled = [&] {
        std::wstring names;
        for (const auto& c : commands_) names += c.substr(c.find(L".vbp") - 3, 3) + L" ";
        commands_.clear();
        return names;
    };

    run_.Make();
    EXPECT_EQ(compiled(), L"Lib her ");
    EXPECT_EQ(view_.marks, (std::vector<std::wstring>{L"未実行", L"未実行", L"失敗", L"成功"}));
    // The planning's note on the row follows on a line of its own.
    EXPECT_EQ(run_.RowDetails(0).rfind(L"未実行：参照先が未実行：Ctl.vbp\r\n参照 Ctl.ocx", 0), 0u);
    EXPECT_EQ(run_.RowDetails(1), L"未実行：参照先が失敗：Lib.vbp");
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了：成功 1／失敗 1／未実行 2");
    EXPECT_EQ(view_.warnings, 1);

    // Mended: everything is compiled, in reference order, each row saying why.
    behaviour_.erase(L"Lib.vbp");
    run_.Make();
    EXPECT_EQ(compiled(), L"Lib Ctl App her ");
    EXPECT_EQ(run_.RowDetails(1), L"成功：出力なし");
    EXPECT_NE(run_.RowDetails(0).find(L"ファイル名だけで Ctl.vbp の出力"), std::wstring::npos);

    // With the box, a changed member compiles its project and what references it; the rest is
    // 最新 without VB.
    run_.ChangedOnly_Click();
    EXPECT_TRUE(view_.changedOnly);
    EXPECT_EQ(gMakeChanged, 1);
    for (const wchar_t* out : {L"App.exe", L"Ctl.ocx", L"Lib.dll", L"Other.exe"})
        test::SetModifiedAgo(dir_ / (std::wstring(L"bin\\") + out), 50);
    test::SetModifiedAgo(dir_ / L"b\\Grid.ctl", 10);
    run_.Make();
    EXPECT_EQ(compiled(), L"Ctl App ");
    EXPECT_EQ(view_.marks, (std::vector<std::wstring>{L"成功", L"成功", L"最新", L"最新"}));
    EXPECT_EQ(run_.RowDetails(1), L"成功：更新：" + dir_ / L"b\\Grid.ctl");
    EXPECT_EQ(run_.RowDetails(2), L"最新");
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了：成功 2／失敗 0／最新 2");
    run_.Make();
    EXPECT_EQ(compiled(), L"") << test::Utf8(run_.RowDetails(0));

    // A cycle starts nothing.
    write(dir_ / L"c\\Lib.vbp",
          "Type=OleDll\r\nObject={9}#1.0#0; App.exe\r\nExeName32=\"Lib.dll\"\r\n");
    run_.Make();
    EXPECT_EQ(compiled(), L"");
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_NE(view_.messages[0].text.find(L"App.vbp → Ctl.vbp → Lib.vbp → App.vbp"),
              std::wstring::npos);
    EXPECT_EQ(view_.statuses.back(), L"コンパイル中止：参照が循環しています");
}

TEST_F(CompileRunTest, ClosingRecordsTheGeometryRefusedOrNot) {
    run_.Load();
    EXPECT_TRUE(run_.Unload({120, 240, 6000, 6630}));
    EXPECT_EQ(gTop, 120);
    EXPECT_EQ(gLeft, 240);
    EXPECT_EQ(gHeight, 6000);
    EXPECT_EQ(gWidth, 6630);

    gStop.Set(RunState::Running);  // a step count runs elsewhere: the flag alone refuses the close
    EXPECT_FALSE(run_.Unload({-15, 30, 4515, 6636}));
    EXPECT_EQ(gTop, -15);
    EXPECT_EQ(gWidth, 6636);
}

TEST_F(CompileRunTest, TheJobsFieldRunsSeveralAtOnceAndShowsTheRowsUnderWay) {
    for (const wchar_t* name : {L"P1", L"P2", L"P3", L"P4"}) {
        const std::wstring path = dir_ / (std::wstring(name) + L"\\" + name + L".vbp");
        test::WriteFile(path, "Type=Exe\r\nExeName32=\"" + test::Utf8(name) + ".exe\"\r\n");
        lstPrj.Add(path);
    }
    std::mutex lock;
    int running = 0, most = 0;
    CompileRun run{view_,
                   [&](const std::wstring& line, const platform::SupervisedRun& how) {
                       {
                           const std::lock_guard<std::mutex> guard(lock);
                           most = std::max(most, ++running);
                       }
                       std::this_thread::sleep_for(std::chrono::milliseconds(100));
                       const std::lock_guard<std::mutex> guard(lock);
                       --running;
                       return vb_(line, how);
                   },
                   [this] { return CompileLogFolder::Given(logRoot_.path()); },
                   logRoot_ / L"make-memory.txt"};
    run.Load();
    EXPECT_EQ(view_.jobs, L"1");
    view_.selection = {true, true, true, true};
    run.Jobs_Change(L"0");
    run.Make();
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, L"指定エラー");
    EXPECT_TRUE(commands_.empty());

    run.Jobs_Change(L"3");
    run.Make();
    EXPECT_EQ(commands_.size(), 4u);
    EXPECT_EQ(most, 3);
    EXPECT_EQ(gMakeJobs, 3);
    EXPECT_GE(view_.runningMarks, 4);
    EXPECT_NE(
        std::find(view_.statuses.begin(), view_.statuses.end(), L"コンパイル中－0/4（実行中 3）"),
        view_.statuses.end());
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了：成功 4／失敗 0");
}

}  // namespace
}  // namespace kinoha
