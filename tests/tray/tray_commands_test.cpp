#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/help_document.h"
#include "app/recent_projects.h"
#include "fake_tray_view.h"
#include "platform/platform.h"
#include "support/test_files.h"
#include "tray/tray_commands.h"

namespace kinoha {
namespace {

class TrayCommands : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
    test::TempDir dir_;
    test::FakeTrayView view_;
};

TEST_F(TrayCommands, OnlyButtonReleasesOpenMenusAndOnlyWhileIdle) {
    gStop.Set(RunState::Idle);
    EXPECT_EQ(ChooseTrayMenu(514), TrayMenu::Executables);
    EXPECT_EQ(ChooseTrayMenu(410.4), TrayMenu::Executables);
    EXPECT_EQ(ChooseTrayMenu(517), TrayMenu::Main);
    EXPECT_EQ(ChooseTrayMenu(413.6), TrayMenu::Main);
    for (double other : {512.0, 513.0, 515.0, 516.0, 518.0, 519.0, 520.0, 411.2, 0.0}) {
        EXPECT_EQ(ChooseTrayMenu(other), TrayMenu::None) << other;
    }
    gStop.Set(RunState::Running);  // a compile or step count works
    EXPECT_EQ(ChooseTrayMenu(514), TrayMenu::None);
    EXPECT_EQ(ChooseTrayMenu(517), TrayMenu::None);
}

TEST_F(TrayCommands, AMissingProjectFileIsReportedAndNothingStarts) {
    gVbMain = dir_ / L"vb6.exe";
    OpenProject(dir_ / L"gone\\App.vbp", view_);
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, L"ファイル無し");
    EXPECT_EQ(view_.messages[0].text,
              L"指定したファイルが存在しません\r\nファイル名やディレクトリを修正した場合は、\r\n"
              L"Kinoha を再起動して下さい");
    EXPECT_EQ(view_.messages[0].icon, MessageIcon::Exclamation);
}

TEST_F(TrayCommands, AMissingVbExecutableNamesBothPaths) {
    const std::wstring project = dir_ / L"My App\\App.vbp";
    test::WriteFile(project, "Type=Exe\r\n");
    gVbMain = dir_ / L"VB98\\VB6.EXE";
    OpenProject(project, view_);
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, L"起動失敗");
    EXPECT_EQ(view_.messages[0].text, L"起動に失敗しました\r\nパスを確認して下さい\r\nＶＢ本体：" +
                                          gVbMain + L"\r\nＰＲＪ名：" + project);
    EXPECT_EQ(view_.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(gRecent.empty());  // only a project that was opened counts as opened
}

#ifndef _WIN32
// The VB executable gets the project path as one quoted argument, blanks and all. (Under Wine
// the end-to-end tests start the stand-in compiler instead.)
TEST_F(TrayCommands, TheVbExecutableGetsTheQuotedProjectPath) {
    const std::wstring project = dir_ / L"My App\\App.vbp";
    test::WriteFile(project, "Type=Exe\r\n");
    const std::wstring record = dir_ / L"args.txt";
    gVbMain = dir_ / L"VB 98\\vb6";
    test::WriteFile(gVbMain, "#!/bin/sh\nprintf '%s|' \"$@\" > \"$0.args\"\n");
    ASSERT_EQ(system(("chmod +x '" + test::Utf8(dir_.path()) + "/VB 98/vb6'").c_str()), 0);
    OpenProject(project, view_);
    EXPECT_TRUE(view_.messages.empty());
    std::string args;
    for (int i = 0; i < 200 && args.empty(); ++i) {
        if (test::PathExists(gVbMain + L".args")) args = test::ReadFile(gVbMain + L".args");
        if (args.empty()) platform::RunCommandLineAndWait(L"/bin/sleep 0.02");
    }
    EXPECT_EQ(args, test::Utf8(project) + "|");
    EXPECT_EQ(gRecent, std::vector<std::wstring>{project});
}
#endif

TEST_F(TrayCommands, AMissingExecutableIsReported) {
    RunExecutable(dir_ / L"bin\\App.exe", view_);
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, L"起動エラー");
    EXPECT_EQ(view_.messages[0].text, L"コンパイルしたＥＸＥがありません");
    EXPECT_EQ(view_.messages[0].icon, MessageIcon::Exclamation);
    // The design state of the first entry: no path at all.
    RunExecutable(L"", view_);
    EXPECT_EQ(view_.messages.size(), 2u);
    // A project's executable (Ctrl+Enter in the quick-open window): here one not compiled yet.
    const std::wstring project = dir_ / L"src\\App.vbp";
    test::WriteFile(project, "ExeName32=\"App.exe\"\r\nPath32=\"..\\bin\"\r\n");
    RunProjectExecutable(project, view_);
    ASSERT_EQ(view_.messages.size(), 3u);
    EXPECT_EQ(view_.messages[2].title, L"起動エラー");
}

TEST_F(TrayCommands, AHelpFileThatIsNotThereIsSaid) {
    const std::wstring help = HelpToOpen();
    if (platform::LookupFile(help)) GTEST_SKIP() << "a help file is beside the tests";
    OpenHelp(view_);
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].text, L"ヘルプファイルがありません：" + help);
}

TEST_F(TrayCommands, TheFileNamesSwitchFlipsAndRebuildsWithoutASearch) {
    ToggleFileNamesOnly(view_);
    EXPECT_TRUE(gFileNamesOnly);
    ToggleFileNamesOnly(view_);
    EXPECT_FALSE(gFileNamesOnly);
    EXPECT_EQ(view_.calls, (std::vector<std::wstring>{L"rebuild", L"rebuild"}));
}

}  // namespace
}  // namespace kinoha
