#include "compile/compile_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/globals.h"
#include "fake_compile_view.h"
#include "platform/platform.h"
#include "support/test_files.h"
#include "tray/tray_commands.h"

namespace kinoha {
namespace {

const std::wstring kSelectHint = L"コンパイル中止：ファイルを選択して下さい";

// A window on a catalogue of real files, with the compiles recorded instead of run.
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
    test::FakeCompileView view_;
    std::vector<std::wstring> commands_;
    std::function<void(std::size_t)> duringCompile_;  // called inside the n-th compile, from 1
    CompileRun run_{view_, [this](const std::wstring& line) {
                        commands_.push_back(line);
                        if (duringCompile_) duringCompile_(commands_.size());
                        return true;
                    }};
};

TEST_F(CompileRunTest, TheListIsTheCatalogueMinusTheExclusionsWithGroupsWhole) {
    for (const wchar_t* p :
         {L"C:\\src\\Test\\a.vbp", L"C:\\src\\test\\b.vbp", L"C:\\old\\c.vbp", L"C:\\src\\g.vbg"}) {
        lstPrj.Add(p);
    }
    lstJyogai = {L"Test", L"old"};
    gStop = false;
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
    const std::wstring without = Project(L"b b\\B.vbp");
    const std::wstring group = dir_ / L"c.vbg";
    test::WriteFile(group, "VBGROUP 5.0\r\nStartupProject=a\\A.vbp\r\n");
    lstPrj.Add(group);
    LoadAndSelect({true, true, true});
    run_.Make();
    EXPECT_EQ(commands_, (std::vector<std::wstring>{gVbMain + L" /make \"" + withOut +
                                                        L"\" /outdir \"" + dir_.path() + L"\\bin\"",
                                                    gVbMain + L" /make \"" + without + L"\"",
                                                    gVbMain + L" /make \"" + group + L"\""}));
    EXPECT_EQ(CompileCommandLine(L"C:\\Program Files\\VB98\\VB6.EXE", L"D:\\p q\\x.vbp", L"D:\\o"),
              L"C:\\Program Files\\VB98\\VB6.EXE /make \"D:\\p q\\x.vbp\" /outdir \"D:\\o\"");
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
    EXPECT_EQ(view_.statuses.back(), L"コンパイル終了");
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
    gStop = false;  // the step count window's run
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
    EXPECT_EQ(view_.statuses.back(), L"コンパイル中止");
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
    EXPECT_EQ(view_.statuses.back(), L"コンパイル中止");
}

TEST_F(CompileRunTest, ClosingRecordsTheGeometryRefusedOrNot) {
    run_.Load();
    EXPECT_TRUE(run_.Unload({120, 240, 6000, 6630}));
    EXPECT_EQ(gTop, 120);
    EXPECT_EQ(gLeft, 240);
    EXPECT_EQ(gHeight, 6000);
    EXPECT_EQ(gWidth, 6630);

    gStop = false;  // a step count runs elsewhere: the flag alone refuses the close
    EXPECT_FALSE(run_.Unload({-15, 30, 4515, 6636}));
    EXPECT_EQ(gTop, -15);
    EXPECT_EQ(gWidth, 6636);
}

}  // namespace
}  // namespace kinoha
