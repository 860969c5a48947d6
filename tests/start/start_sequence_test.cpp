#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/settings.h"
#include "dialogs/settings_commands.h"
#include "platform/platform.h"
#include "start/start_sequence.h"
#include "support/test_files.h"
#include "tray/fake_tray_view.h"

namespace kinoha {
namespace {

using Calls = std::vector<std::wstring>;

class StartSequence : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        gIniFallbackPath.clear();
        gIniPath = dir_ / L"Microsoft Windows 7.ini";
    }
    void TearDown() override { ResetGlobals(); }
    test::TempDir dir_;
    test::FakeTrayView view_;
};

TEST_F(StartSequence, SplashTexts) {
    EXPECT_EQ(ProductNameText(), L"Kinoha VB6用");
    EXPECT_EQ(VersionLabelText(), L"ﾊﾞｰｼﾞｮﾝ 3.04");
}

TEST_F(StartSequence, AFirstRunAsksBothQuestionsThenBuildsAndAddsTheIcon) {
    view_.answerFile = L"C:\\VB98\\VB6.EXE";
    view_.answerFolder = L"D:\\src";
    EXPECT_FALSE(SettingsFileExists());
    LoadTray(view_);
    EXPECT_TRUE(gStop);
    EXPECT_EQ(gVbMain, L"C:\\VB98\\VB6.EXE");
    EXPECT_EQ(gPrjDir, L"D:\\src");
    // The folder choice searches once and the load once more.
    EXPECT_EQ(view_.calls,
              (Calls{L"message 情報", L"show panel", L"open-file dialog", L"hide panel",
                     L"message 情報", L"folder browser", L"rebuild(search)", L"splash back",
                     L"rebuild(search)", L"tray icon", L"splash gone", L"first-start notice"}));
    EXPECT_EQ(view_.messages[0].text,
              L"最初にコンパイルを行うＶＢ本体の場所を指定して下さい\r\nファイル名は、[ VB6.exe ] "
              L"などです\r\n参考画面も表示しますので、参考にして下さい");
    EXPECT_EQ(view_.messages[1].text,
              L"ＶＢのプロジェクトのあるディレクトリを指定して下さい\r\n指定したディレクトリ下の全"
              L"てのプロジェクトを検索します\r\n\r\nあまり上位ディレクトリを指定すると遅くなります"
              L"ので注意して下さい");
    EXPECT_EQ(view_.lastFilterText, L"VB本体(vb?.exe)");
    EXPECT_EQ(view_.lastFilterPattern, L"vb?.exe");
    EXPECT_EQ(view_.lastFolderTitle, L"ＶＢプロジェクトのあるディレクトリを指定して下さい。");
}

TEST_F(StartSequence, ACancelledFirstQuestionEndsTheProgramWithoutSaving) {
    EXPECT_THROW(LoadTray(view_), test::ProgramEnded);
    ASSERT_EQ(view_.messages.size(), 2u);
    EXPECT_EQ(view_.messages[1].title, L"指定エラー");
    EXPECT_EQ(view_.messages[1].text,
              L"コンパイルするＶＢ本体を指定しないと\r\n何もできないので終了します");
    EXPECT_EQ(view_.messages[1].icon, MessageIcon::Critical);
    EXPECT_FALSE(test::PathExists(gIniPath));
}

TEST_F(StartSequence, ACancelledFolderQuestionEndsTheProgram) {
    view_.answerFile = L"C:\\VB98\\VB6.EXE";
    EXPECT_THROW(LoadTray(view_), test::ProgramEnded);
    EXPECT_EQ(view_.messages.back().text,
              L"ＶＢプロジェクトのあるディレクトリを指定しないと\r\n何もできないので終了します");
    EXPECT_EQ(view_.calls.back(), L"end");
}

TEST_F(StartSequence, ASettingsFileWithoutADirectoryAsksOnlyForIt) {
    test::WriteFile(gIniPath, "[VBMAIN]C:\\VB98\\VB6.EXE\r\n");
    view_.answerFolder = L"D:\\src";
    LoadTray(view_);
    // The file exists, so the splash never left the screen.
    EXPECT_EQ(view_.calls, (Calls{L"message 情報", L"folder browser", L"rebuild(search)",
                                  L"rebuild(search)", L"tray icon", L"splash gone"}));
}

TEST_F(StartSequence, AKnownSetupAsksNothing) {
    test::WriteFile(gIniPath, "[VBMAIN]C:\\VB98\\VB6.EXE\r\n[DIR   ]D:\\src\r\n");
    LoadTray(view_);
    EXPECT_EQ(view_.calls, (Calls{L"rebuild(search)", L"tray icon", L"splash gone"}));
}

// The file is named after the Windows version, so an upgrade finds none of its own.
TEST_F(StartSequence,
       AnUpgradeStartsFromTheNewestOtherVersionFileOfKinohasNamesNotFromTheFutureAndSaysSoOnce) {
    test::WriteFile(dir_ / L"Windows 98.ini", "[VBMAIN]C:\\old\\VB5.EXE\r\n[DIR   ]D:\\old\r\n");
    test::WriteFile(dir_ / L"Microsoft Windows XP.ini",
                    "[VBMAIN]C:\\VB98\\VB6.EXE\r\n[DIR   ]D:\\src\r\n[JYOGAI]old\r\n");
    test::WriteFile(dir_ / L"desktop.ini", "[.ShellClassInfo]\r\n");  // newest, no settings
    // Newer still, but no name Kinoha gives, or dated after now: planted, never taken over.
    test::WriteFile(dir_ / L"evil.ini", "[VBMAIN]\\\\evil\\share\\VB6.EXE\r\n");
    test::WriteFile(dir_ / L"Windows 12.ini", "[VBMAIN]\\\\evil\\share\\VB6.EXE\r\n");
    test::SetModifiedAgo(dir_ / L"Windows 12.ini", -86400);
    test::SetModifiedAgo(dir_ / L"Windows 98.ini", 7200);
    test::SetModifiedAgo(dir_ / L"Microsoft Windows XP.ini", 3600);
    EXPECT_TRUE(SettingsFileExists());  // no first-run splash either
    LoadTray(view_);
    EXPECT_EQ(view_.calls,
              (Calls{L"message 情報", L"rebuild(search)", L"tray icon", L"splash gone"}));
    EXPECT_EQ(view_.messages[0].text,
              L"Windows のバージョンが変わりましたので、\r\n[ Microsoft Windows XP.ini ] "
              L"の設定を引き継ぎます\r\n終了時に [ Microsoft Windows 7.ini ] へ保存します");
    EXPECT_EQ(gVbMain, L"C:\\VB98\\VB6.EXE");
    EXPECT_EQ(lstJyogai, std::vector<std::wstring>{L"old"});
    SaveAtShutdown();
    EXPECT_EQ(test::ReadFile(dir_ / L"Microsoft Windows XP.ini"),
              "[VBMAIN]C:\\VB98\\VB6.EXE\r\n[DIR   ]D:\\src\r\n[JYOGAI]old\r\n");

    ResetGlobals();
    gIniPath = dir_ / L"Microsoft Windows 7.ini";
    test::FakeTrayView next;
    LoadTray(next);
    EXPECT_EQ(next.calls, (Calls{L"rebuild(search)", L"tray icon", L"splash gone"}));
    EXPECT_EQ(lstJyogai, std::vector<std::wstring>{L"old"});
}

// A path the code page cannot hold would be saved as "?" and name another file or none.
TEST_F(StartSequence, AChosenPathTheCodePageCannotHoldIsKeptByItsShortNameOrTheUserIsTold) {
    const std::wstring folder = dir_ / L"Zoë שלום";
    test::MakeDirectory(folder);
    gVbMain = L"C:\\VB98\\VB6.EXE";
    view_.answerFolder = folder;
    ChooseProjectDirectory(view_);
    const std::wstring kept = KeepablePath(folder);  // Windows: its short name, if it has one
    if (!kept.empty()) {
        EXPECT_NE(kept, folder);
        EXPECT_EQ(gPrjDir, kept);
        EXPECT_TRUE(view_.messages.empty());
        std::string a, b;  // the same folder, in characters the file keeps
        ASSERT_TRUE(platform::DirectoryIdentity(gPrjDir, a));
        ASSERT_TRUE(platform::DirectoryIdentity(folder, b));
        EXPECT_EQ(a, b);
    } else {
        EXPECT_EQ(gPrjDir, folder);  // this run still uses it
        ASSERT_EQ(view_.messages.size(), 1u);
        EXPECT_EQ(view_.messages[0].title, L"注意");
        EXPECT_EQ(view_.messages[0].text,
                  L"指定した場所の名前には、設定ファイルに保存できない文字が含まれています\r\n"
                  L"今回はこのまま使えますが、次回の起動時にもう一度指定して下さい\r\n" +
                      folder);
        EXPECT_EQ(view_.messages[0].icon, MessageIcon::Exclamation);
    }
    SaveAtShutdown();
    ResetGlobals();
    gIniPath = dir_ / L"Microsoft Windows 7.ini";
    LoadSettings();
    EXPECT_EQ(gPrjDir, kept);  // never a path with "?" for "ë"
}

TEST_F(StartSequence, CancellingTheDialogsWithSettingsKnownChangesNothing) {
    gVbMain = L"C:\\VB98\\VB6.EXE";
    gPrjDir = L"D:\\src";
    ChooseVbExecutable(view_);
    ChooseProjectDirectory(view_);
    EXPECT_EQ(gVbMain, L"C:\\VB98\\VB6.EXE");
    EXPECT_EQ(gPrjDir, L"D:\\src");
    EXPECT_TRUE(view_.messages.empty());
    EXPECT_EQ(view_.calls,
              (Calls{L"show panel", L"open-file dialog", L"hide panel", L"folder browser"}));
}

TEST_F(StartSequence, ChoosingTheSameFolderSearchesAgain) {
    gPrjDir = L"D:\\src";
    view_.answerFolder = L"D:\\src";
    ChooseProjectDirectory(view_);
    EXPECT_EQ(view_.calls, (Calls{L"folder browser", L"rebuild(search)"}));
}

}  // namespace
}  // namespace kinoha
