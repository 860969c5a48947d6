#include <gtest/gtest.h>

#include "app/help_document.h"
#include "app/text_helpers.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

std::pair<int, int> Search(int mode, std::wstring_view text, std::wstring_view find) {
    std::int32_t position = -1, count = -1;
    SearchString(static_cast<std::int16_t>(mode), text, find, position, count);
    return {position, count};
}

TEST(SearchString, FirstAndLastWithOverlappingCount) {
    EXPECT_EQ(Search(1, L"C:\\a\\b.vbp", L"\\"), std::make_pair(5, 2));
    EXPECT_EQ(Search(0, L"C:\\a\\b", L"..\\"), std::make_pair(0, 0));
    EXPECT_EQ(Search(1, L"aaaa", L"aa"), std::make_pair(3, 3));
    EXPECT_EQ(Search(0, L"aaaa", L"aa"), std::make_pair(1, 1));
    EXPECT_EQ(Search(1, L"..\\..\\x", L"..\\"), std::make_pair(4, 2));
    EXPECT_EQ(Search(1, L"abc", L""), std::make_pair(0, 0));
    // Positions count characters, not bytes.
    EXPECT_EQ(Search(0, L"日本\\語", L"\\"), std::make_pair(3, 1));
}

TEST(ResolvePath, RemovesParentStepsFromAbsolutePaths) {
    EXPECT_EQ(ResolvePath(L"C:\\work\\app\\..\\bin\\a.exe"), L"C:\\work\\bin\\a.exe");
    EXPECT_EQ(ResolvePath(L"C:\\work\\app\\sub\\..\\..\\bin\\"), L"C:\\work\\bin\\");
    EXPECT_EQ(ResolvePath(L"C:\\a\\..\\x"), L"C:\\x");
    EXPECT_EQ(ResolvePath(L"C:\\..\\x"), L"C:\\..\\x");        // no backslash before C:
    EXPECT_EQ(ResolvePath(L"a\\..\\..\\b"), L"a\\..\\..\\b");  // second step cannot apply
    EXPECT_EQ(ResolvePath(L"C:\\plain\\path.vbp"), L"C:\\plain\\path.vbp");
    EXPECT_EQ(ResolvePath(L""), L"");
}

TEST(ResolvePath, LeadingStepsCountFromTheProgramDirectory) {
    std::wstring base = platform::ProgramDirectory();
    const auto cut = base.find_last_of(L'\\');
    const std::wstring expected =
        (cut == std::wstring::npos ? base : base.substr(0, cut)) + L"\\data\\a.txt";
    EXPECT_EQ(ResolvePath(L"..\\data\\a.txt"), expected);
}

TEST(AnsiByteLength, CountsBytesOfTheCodePage) {
    EXPECT_EQ(AnsiByteLength(L"ab"), 2);
    EXPECT_EQ(AnsiByteLength(L"日本語"), 6);
    EXPECT_EQ(AnsiByteLength(L"ﾊﾞｰ"), 3);
    EXPECT_EQ(AnsiByteLength(L"App.exe"), 7);
}

TEST(FileExists, LooksUpTheProgramOfACommandLine) {
    test::TempDir dir;
    test::WriteFile(dir / L"tool.exe", "MZ");
    test::MakeDirectory(dir / L"folder");
    EXPECT_TRUE(FileExists(dir / L"tool.exe /q"));
    EXPECT_TRUE(FileExists(dir / L"tool.EXE \"x y\" /make"));
    EXPECT_TRUE(FileExists(dir / L"tool.exe"));
    EXPECT_FALSE(FileExists(dir / L"tool.exe/q"));  // no blank: the whole text is looked up
    EXPECT_FALSE(FileExists(dir / L"other.exe /q"));
    EXPECT_FALSE(FileExists(dir / L"folder"));
    EXPECT_FALSE(FileExists(L""));
}

TEST(NamesOtherHost, AUncPathOfAnotherHostThanTheProjectDirectorys) {
    EXPECT_EQ(HostOf(L"\\\\Srv\\share\\a.exe"), L"SRV");
    EXPECT_EQ(HostOf(L"\\\\?\\UNC\\srv\\share"), L"SRV");
    EXPECT_EQ(HostOf(L"//srv/share"), L"SRV");
    for (const wchar_t* local :
         {L"C:\\a.exe", L"\\\\?\\C:\\a.exe", L"\\\\.\\pipe\\x", L"a.exe", L"\\a"})
        EXPECT_EQ(HostOf(local), L"") << local;
    EXPECT_TRUE(NamesOtherHost(L"\\\\attacker\\s\\a.exe", L"D:\\src"));
    EXPECT_TRUE(NamesOtherHost(L"\\\\attacker\\s\\a.exe", L"\\\\files\\src"));
    EXPECT_FALSE(NamesOtherHost(L"\\\\FILES\\bin\\a.exe", L"\\\\files\\src"));
    EXPECT_FALSE(NamesOtherHost(L"D:\\bin\\a.exe", L"\\\\files\\src"));
}

TEST(UpperAscii, KeepsPositions) {
    EXPECT_EQ(FindUpper(L"C:\\作業\\a.vbp", L".VBP"), 8);
    EXPECT_EQ(FindUpper(L"C:\\Work.vbp.old\\p.vbp", L".VBP"), 8);
    EXPECT_EQ(FindUpper(L"C:\\VB\\vb5.exe", L"VB5.EXE"), 7);
    EXPECT_EQ(FindUpper(L"abc", L".VBG"), 0);
}

TEST(HelpToOpen, AUsersKinohaHlpBesideTheProgramWinsOverTheShippedHtmlHelp) {
    const std::wstring dir = platform::ProgramDirectory();
    EXPECT_EQ(HelpToOpen(), dir + L"\\Kinoha.html");
    test::WriteFile(dir + L"\\Kinoha.hlp", "?_");
    EXPECT_EQ(HelpToOpen(), dir + L"\\Kinoha.hlp");
    test::RemovePath(dir + L"\\Kinoha.hlp");
}

}  // namespace
}  // namespace kinoha
