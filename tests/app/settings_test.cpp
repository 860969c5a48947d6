#include <gtest/gtest.h>

#include <cstdlib>

#include "app/globals.h"
#include "app/hotkey.h"
#include "app/recent_projects.h"
#include "app/settings.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        gIniFallbackPath.clear();
        gIniPath = dir_ / L"Windows 98.ini";
    }
    void TearDown() override { ResetGlobals(); }
    void Load(const std::string& bytes) {
        test::WriteFile(gIniPath, bytes);
        LoadSettings();
    }
    test::TempDir dir_;
};

TEST_F(Settings, AMinimalFileKeepsTheDefaults) {
    gTop = 77;  // loading leaves what it does not read
    Load("[VBMAIN]C:\\VB\\VB6.EXE\r\n[DIR   ]D:\\Work\r\n");
    EXPECT_EQ(gVbMain, L"C:\\VB\\VB6.EXE");
    EXPECT_EQ(gPrjDir, L"D:\\Work");
    EXPECT_EQ(gHeight, 4515);
    EXPECT_EQ(gWidth, 6630);
    EXPECT_EQ(gTop, 77);
    EXPECT_EQ(gUnder, 0);
    EXPECT_EQ(gCtl, 0);  // a file of an older Kinoha counts by the classic rules
    EXPECT_EQ(gVbCmt, 0);
    EXPECT_TRUE(lstJyogai.empty());
    EXPECT_FALSE(gFileNamesOnly);
}

TEST_F(Settings, AProgramFolderNamedLikeACommandLineIsReadAsAPath) {
    gIniPath = dir_ / L"Setup.exe files\\Windows 98.ini";
    Load("[VBMAIN]C:\\VB\\VB6.EXE\r\n");
    EXPECT_EQ(gVbMain, L"C:\\VB\\VB6.EXE");
}

TEST_F(Settings, ValuesAreReadAsWritten) {
    Load(
        "[HEIGHT]5000\r\n[WIDTH ] 7000 \r\n[HEIGHT]6000\r\n[top   ]5\r\n"
        "[DIR   ]D:\\Work  \r\n[JYOGAI]\r\n[JYOGAI]old\r\n[FILE  ]2\r\n[UNDER ]-3\r\n"
        "[TOP   ]-120\r\n[VBMAIN]C:\\\x93\xfa\x96\x7b\\VB6.EXE\r\n");
    EXPECT_EQ(gHeight, 6000);           // a later line wins
    EXPECT_EQ(gWidth, 7000);            // blanks around the digits
    EXPECT_EQ(gTop, -120);              // the lower-case tag was skipped
    EXPECT_EQ(gPrjDir, L"D:\\Work  ");  // blanks of a text value stay
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"", L"old"}));
    EXPECT_FALSE(gFileNamesOnly);  // 2 is not 1
    EXPECT_EQ(gUnder, -3);
    EXPECT_EQ(gVbMain, L"C:\\日本\\VB6.EXE");  // read in code page 932
}

TEST_F(Settings, AValueThatDoesNotConvertIsSkippedAndTheRestStillLoads) {
    Load("[TOP   ]abc\r\n[VBMAIN]C:\\VB6.EXE\r\n");
    EXPECT_EQ(gTop, 0);
    EXPECT_EQ(gVbMain, L"C:\\VB6.EXE");

    Load(
        "[VBMAIN]C:\\VB6.EXE\r\n[LEFT  ]99999999999\r\n[DIR   ]D:\\x\r\n[JYOGAI]a\tb\r\n"
        "[JYOGAI]old\r\n");
    EXPECT_EQ(gLeft, 0);
    EXPECT_EQ(gPrjDir, L"D:\\x");
    EXPECT_EQ(lstJyogai, std::vector<std::wstring>{L"old"});  // a control character: no value

    ResetGlobals();
    gIniPath = dir_ / L"x.ini";
    Load("[FILE  ]1\r\n[FILE  ]\r\n[UNDER ]1\r\n");
    EXPECT_TRUE(gFileNamesOnly);
    EXPECT_EQ(gUnder, 1);

    // Lone LF ends a line too, as in a file edited with another tool.
    ResetGlobals();
    gIniPath = dir_ / L"lf.ini";
    Load("[VBMAIN]C:\\VB6.EXE\n[DIR   ]D:\\Work\n[JYOGAI]old\r[JYOGAI]Test\n\n[UNDER ]1");
    EXPECT_EQ(gVbMain, L"C:\\VB6.EXE");
    EXPECT_EQ(gPrjDir, L"D:\\Work");
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"old", L"Test"}));
    EXPECT_EQ(gUnder, 1);
}

TEST_F(Settings, SaveWritesTheFixedOrder) {
    gTop = -120;
    gLeft = 2400;
    gVbMain = L"C:\\Program Files\\Microsoft Visual Studio\\VB98\\VB6.EXE";
    gPrjDir = L"D:\\作業";
    gUnder = 1;
    lstJyogai = {L"Test", L"old", L" x"};
    gFileNamesOnly = true;
    SaveSettings();
    EXPECT_EQ(test::ReadFile(gIniPath),
              "[TOP   ]-120\r\n[LEFT  ]2400\r\n[HEIGHT]4515\r\n[WIDTH ]6630\r\n"
              "[VBMAIN]C:\\Program Files\\Microsoft Visual Studio\\VB98\\VB6.EXE\r\n"
              "[DIR   ]D:\\\x8d\xec\x8b\xc6\r\n[UNDER ]1\r\n[JYOGAI]Test\r\n[JYOGAI]old\r\n"
              "[JYOGAI] x\r\n[FILE  ]1\r\n");
    gCtl = 1;
    gVbCmt = 1;
    gMakeChanged = 1;
    SaveSettings();
    const std::string options = test::ReadFile(gIniPath);
    EXPECT_NE(options.find("[UNDER ]1\r\n[CTL   ]1\r\n[VBCMT ]1\r\n[CHANGE]1\r\n[JYOGAI]Test"),
              std::string::npos);

    // And it reads back to the same record.
    ResetGlobals();
    gIniPath = dir_ / L"Windows 98.ini";
    LoadSettings();
    EXPECT_EQ(gTop, -120);
    EXPECT_EQ(gPrjDir, L"D:\\作業");
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"Test", L"old", L" x"}));
    EXPECT_TRUE(gFileNamesOnly);
    EXPECT_EQ(gCtl, 1);
    EXPECT_EQ(gVbCmt, 1);
    EXPECT_EQ(gMakeChanged, 1);
}

TEST_F(Settings, HotkeyAndRecentProjectsHaveTagsOfTheirOwn) {
    // A file without the tags: the default hotkey, no recent projects, and a save that writes
    // neither tag, so that the file stays as an older Kinoha wrote it.
    Load("[VBMAIN]C:\\VB6.EXE\r\n[FILE  ]0\r\n");
    EXPECT_EQ(HotkeyText(gHotkey), L"Ctrl+Alt+K");
    EXPECT_TRUE(gRecent.empty());
    SaveSettings();
    EXPECT_EQ(test::ReadFile(gIniPath).find("[HOTKEY]"), std::string::npos);
    EXPECT_EQ(test::ReadFile(gIniPath).find("[RECENT]"), std::string::npos);

    // A text that is no key combination keeps the default; a later valid line wins.
    Load("[HOTKEY]Ctrl+Alt+\r\n[VBMAIN]C:\\VB6.EXE\r\n");
    EXPECT_EQ(gHotkey, DefaultHotkey());
    EXPECT_EQ(gVbMain, L"C:\\VB6.EXE");  // the reading went on
    Load("[HOTKEY]Shift+K\r\n[HOTKEY] alt + shift + f12 \r\n[VBMAIN]C:\\VB6.EXE\r\n");
    EXPECT_EQ(HotkeyText(gHotkey), L"Alt+Shift+F12");

    // Opening a project puts it first; at most 20 are kept, and they are saved in that order.
    for (int i = 0; i < 22; ++i) NoteRecentProject(L"D:\\p" + std::to_wstring(i) + L".vbp");
    NoteRecentProject(L"D:\\p5.vbp");
    ASSERT_EQ(gRecent.size(), 20u);
    EXPECT_EQ(gRecent[0], L"D:\\p5.vbp");
    EXPECT_EQ(gRecent[1], L"D:\\p21.vbp");
    const auto recent = gRecent;
    SaveSettings();
    const std::string saved = test::ReadFile(gIniPath);
    EXPECT_NE(saved.find("[FILE  ]0\r\n[HOTKEY]Alt+Shift+F12\r\n[RECENT]D:\\p5.vbp\r\n"),
              std::string::npos);
    ResetGlobals();
    gIniPath = dir_ / L"Windows 98.ini";
    LoadSettings();
    EXPECT_EQ(gRecent, recent);
    // A path with a line break is not written: it would add a line of any tag to the file.
    NoteRecentProject(L"D:\\x.vbp\r\n[VBMAIN]\\\\evil\\VB6.EXE");
    SaveSettings();
    EXPECT_EQ(test::ReadFile(gIniPath).find("evil"), std::string::npos);
    EXPECT_EQ(HotkeyText(gHotkey), L"Alt+Shift+F12");
}

TEST(Hotkey, TextsThatAreKeyCombinations) {
    EXPECT_EQ(HotkeyText(*ParseHotkey(L"ctrl+alt+k")), L"Ctrl+Alt+K");
    EXPECT_EQ(HotkeyText(*ParseHotkey(L"Win+Shift+ctrl+7")), L"Ctrl+Shift+Win+7");
    EXPECT_EQ(HotkeyText(*ParseHotkey(L"Ctrl+F24")), L"Ctrl+F24");
    // Keys the system owns are no hotkey of Kinoha's.
    for (const auto* owned : {L"Alt+F4", L"Win+L", L"Win+Shift+3", L"Win+E"})
        EXPECT_FALSE(ParseHotkey(owned)) << owned;
    EXPECT_TRUE(ParseHotkey(L"Ctrl+Win+L") && ParseHotkey(L"Win+F9") &&
                ParseHotkey(L"Alt+Shift+F4"));
    for (const wchar_t* bad :
         {L"", L"K", L"Shift+K", L"Ctrl+Alt", L"Ctrl+K+Alt", L"Ctrl+Ctrl+K", L"Ctrl+KK",
          L"Ctrl+F25", L"Ctrl+F0", L"Ctrl+F01", L"Ctrl++K", L"Ctrl+Ｋ"}) {
        EXPECT_FALSE(ParseHotkey(bad).has_value()) << std::wstring(bad).size();
    }
}

// Found by fuzzing: bytes that are no characters before a character that CP932 spells two ways
// came back from a save as another character.
TEST_F(Settings, ValuesWithBytesThatAreNoCharactersAreSavedAsTheyWereRead) {
    using namespace std::string_literals;
    const std::string vbMainLine = "[VBMAIN]1\x00\xff\x82\xfb\xeb\x9c?\r\n"s;
    const std::string dirLine = "[DIR   ]D:\\\x82\xfa\x4a\x81\r\n";
    // 0x88 0xFA is a character; 0xFA 0x40 ("ⅰ") is also spelt 0xEE 0xEF.
    Load(vbMainLine + dirLine + "[JYOGAI]\x88\xfa\xfa\x40\r\n");
    const std::wstring vbMain = gVbMain, prjDir = gPrjDir;
    const std::vector<std::wstring> jyogai = lstJyogai;
    SaveSettings();
    const std::string saved = test::ReadFile(gIniPath);
    EXPECT_NE(saved.find(vbMainLine + dirLine), std::string::npos) << saved;
    ResetGlobals();
    gIniPath = dir_ / L"Windows 98.ini";
    LoadSettings();
    EXPECT_EQ(gVbMain, vbMain);
    EXPECT_EQ(gPrjDir, prjDir);
    EXPECT_EQ(lstJyogai, jyogai);
}

// A pasted exclusion "old<CR>[VBMAIN]..." must not come back as a VB executable.
TEST_F(Settings, NoValueBecomesTwoLines) {
    gVbMain = L"C:\\VB98\\VB6.EXE";
    gPrjDir = L"D:\\src\n[VBMAIN]C:\\evil\\dir.exe";
    lstJyogai = {L"old\r[VBMAIN]C:\\evil\\payload.exe", L"kept", L"x\r\n[JYOGAI]y"};
    SaveSettings();
    ResetGlobals();
    gIniPath = dir_ / L"Windows 98.ini";
    LoadSettings();
    EXPECT_EQ(gVbMain, L"C:\\VB98\\VB6.EXE");
    EXPECT_EQ(gPrjDir, L"");
    EXPECT_EQ(lstJyogai, std::vector<std::wstring>{L"kept"});
}

TEST_F(Settings, NothingIsWrittenWithoutAVbPathOrWhenTheWriteFails) {
    test::WriteFile(gIniPath, "[VBMAIN]keep\r\n");
    SaveSettings();
    EXPECT_EQ(test::ReadFile(gIniPath), "[VBMAIN]keep\r\n");

    gVbMain = L"C:\\VB6.EXE";
    lstJyogai = {};
    SaveSettings();
    const std::string saved = test::ReadFile(gIniPath);
    EXPECT_EQ(saved.find("[JYOGAI]"), std::string::npos);
    for (int step = 1; step <= 4; ++step) {
        gVbMain = L"C:\\Other.EXE";
        platform::SetWriteFaultForTesting(step);
        SaveSettings();
        platform::SetWriteFaultForTesting(0);
        EXPECT_EQ(test::ReadFile(gIniPath), saved) << "step " << step;
    }
}

TEST_F(Settings, PerUserFileFallsBackToTheOneBesideTheProgram) {
    const std::wstring beside = dir_ / L"beside.ini";
    test::WriteFile(beside, "[VBMAIN]C:\\old\\VB6.EXE\r\n");
    gIniPath = dir_ / L"user\\Kinoha.ini";
    gIniFallbackPath = beside;
    LoadSettings();
    EXPECT_EQ(gVbMain, L"C:\\old\\VB6.EXE");
    gVbMain = L"C:\\new\\VB6.EXE";
    test::MakeDirectory(dir_ / L"user");
    SaveSettings();
    ResetGlobals();
    gIniPath = dir_ / L"user\\Kinoha.ini";
    gIniFallbackPath = beside;
    LoadSettings();
    EXPECT_EQ(gVbMain, L"C:\\new\\VB6.EXE");  // the per-user file now wins
}

TEST(IniPath, LiesBesideTheProgramWhenWritable) {
    DecideIniPath(L"");
    const std::wstring dir = platform::ProgramDirectory();
    EXPECT_EQ(gIniPath.substr(0, dir.size()), dir);
    EXPECT_EQ(gIniPath.substr(gIniPath.size() - 10), L"Kinoha.ini");
    EXPECT_TRUE(gIniFallbackPath.empty());
    DecideIniPath(L"Microsoft Windows 7");
    EXPECT_EQ(gIniPath.substr(gIniPath.size() - 24), L"\\Microsoft Windows 7.ini");
    gIniPath.clear();
}

TEST(IniPath, IsEachUsersOwnWhenTheProgramRunsFromANetworkFolder) {
    // The per-user folder in the test's own place.
    test::TempDir home;
    const auto was = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v != nullptr ? v : "");
    };
    const std::string xdg = was("XDG_DATA_HOME"), local = was("LOCALAPPDATA");
    test::SetEnvironment("XDG_DATA_HOME", test::Utf8(home / L"data"));
    test::SetEnvironment("LOCALAPPDATA", test::Utf8(home / L"data"));
    DecideIniPath(L"Kinoha", L"\\\\server\\share\\tools\\kinoha");
    const std::wstring perUser = platform::PerUserDirectory();
    EXPECT_EQ(gIniPath, perUser + L"\\Kinoha.ini");
    // The team's file beside the program is read until the user has one, never written.
    EXPECT_EQ(gIniFallbackPath, L"\\\\server\\share\\tools\\kinoha\\Kinoha.ini");
    gIniPath.clear();
    gIniFallbackPath.clear();
    test::SetEnvironment("XDG_DATA_HOME", xdg);
    test::SetEnvironment("LOCALAPPDATA", local);
}

}  // namespace
}  // namespace kinoha
