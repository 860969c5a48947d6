#include <gtest/gtest.h>

#include "app/globals.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

std::string CrLf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

class ProjectFile : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override {
        platform::SetWriteFaultForTesting(0);
        ResetGlobals();
    }
    std::wstring Project(const std::string& bytes) {
        const std::wstring path = dir_ / L"src\\app\\app.vbp";
        test::WriteFile(path, bytes);
        return path;
    }
    test::TempDir dir_;
};

TEST_F(ProjectFile, ExecutableFromNameAndFolder) {
    EXPECT_EQ(
        GetProjectExe(Project(CrLf({"Type=Exe", "Path32=\"..\\bin\"", "ExeName32=\"App.exe\""}))),
        dir_ / L"src\\bin\\App.exe");
    EXPECT_EQ(GetProjectExe(Project(CrLf({"ExeName32=\"app.exe\""}))), dir_ / L"src\\app\\app.exe");
    // The later line wins, for both keys.
    EXPECT_EQ(GetProjectExe(Project(CrLf({"ExeName32=\"a.exe\"", "Path32=\"x\"",
                                          "ExeName32=\"b.exe\"", "Path32=\"..\\y\""}))),
              dir_ / L"src\\y\\b.exe");
    // The key is found anywhere in the line; the value is still taken where the key would
    // start the line.
    EXPECT_EQ(GetProjectExe(Project(CrLf({"#ExeName32=\"Z.exe\""}))), dir_ / L"src\\app\\\"Z.exe");
}

TEST_F(ProjectFile, NoExecutableForLibrariesFailuresAndShortLines) {
    EXPECT_EQ(GetProjectExe(Project(CrLf({"ExeName32=\"Ctl.ocx\""}))), L"");
    EXPECT_EQ(GetProjectExe(Project(CrLf({"Type=Exe", "Name=\"App\""}))), L"");
    EXPECT_EQ(GetProjectExe(dir_ / L"missing.vbp"), L"");
    test::MakeDirectory(dir_ / L"old.vbp");
    EXPECT_EQ(GetProjectExe(dir_ / L"old.vbp"), L"");
    // A key line too short for its value ends the reading with nothing.
    EXPECT_EQ(GetProjectExe(Project(CrLf({"ExeName32=\"App.exe\"", "Path32="}))), L"");
    EXPECT_EQ(GetProjectExe(Project(CrLf({"Path32=\"b\"", "ExeName32=\""}))), L"");
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"", "ExeName32=\"App.exe\""}))), L"");
}

TEST_F(ProjectFile, AbsoluteValuesAreTakenAsTheyAre) {
    EXPECT_EQ(
        GetProjectExe(Project(CrLf({"Path32=\"D:\\Builds\\..\\out\"", "ExeName32=\"a.exe\""}))),
        L"D:\\out\\a.exe");
    EXPECT_EQ(
        GetProjectExe(Project(CrLf({"Path32=\"\\\\srv\\share\\bin\"", "ExeName32=\"a.exe\""}))),
        L"\\\\srv\\share\\bin\\a.exe");
    EXPECT_EQ(
        GetProjectExe(Project(CrLf({"Path32=\"..\\bin\"", "ExeName32=\"C:\\Tools\\t.exe\""}))),
        L"C:\\Tools\\t.exe");
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"e:/Out\""}))), L"e:/Out");
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"\\\\srv\\x\\..\\out\""}))), L"\\\\srv\\out");
    // A relative value that merely holds a colon later on is still joined.
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"bin:x\""}))), dir_ / L"src\\app\\bin:x");
}

TEST_F(ProjectFile, GroupMembersInLineOrderIncludingTheStartUpProject) {
    test::WriteFile(dir_ / L"a\\a.vbp", CrLf({"ExeName32=\"A.exe\""}));
    test::WriteFile(dir_ / L"b\\b.vbp", CrLf({"ExeName32=\"B.exe\""}));
    test::WriteFile(dir_ / L"c\\c.vbp", CrLf({"ExeName32=\"C.dll\""}));
    test::WriteFile(
        dir_ / L"g\\g.vbg",
        CrLf({"VBGROUP 5.0", "Project=..\\b\\b.vbp", "StartupProject=..\\a\\a.vbp",
              "Project=..\\missing\\m.vbp", "Project=..\\c\\c.vbp", "Project=..\\b\\b.vbp"}));
    std::vector<std::wstring> list{L"kept"};
    AddGroupExes(dir_ / L"g\\g.vbg", list);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"kept", dir_ / L"b\\B.exe", dir_ / L"a\\A.exe",
                                               dir_ / L"b\\B.exe"}));
    AddGroupExes(dir_ / L"g\\none.vbg", list);
    EXPECT_EQ(list.size(), 4u);
    // Without a list the executables go to lstExe.
    AddGroupExes(dir_ / L"g\\g.vbg");
    EXPECT_EQ(lstExe.size(), 3u);
}

#ifdef _WIN32
// Only Windows paths of the test folder start with a drive letter.
TEST_F(ProjectFile, AGroupMemberGivenByAnAbsolutePath) {
    test::WriteFile(dir_ / L"a\\a.vbp", CrLf({"ExeName32=\"A.exe\""}));
    const std::wstring member = dir_ / L"a\\a.vbp";
    test::WriteFile(dir_ / L"g\\g.vbg", "Project=" + platform::EncodeAnsi(member) + "\r\n");
    std::vector<std::wstring> list;
    AddGroupExes(dir_ / L"g\\g.vbg", list);
    EXPECT_EQ(list, std::vector<std::wstring>{dir_ / L"a\\A.exe"});
}
#endif

TEST_F(ProjectFile, OutputDirectory) {
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"..\\bin\""}))), dir_ / L"src\\bin");
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"..\\bin\"", "Path32=\"out\""}))),
              dir_ / L"src\\app\\out");
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Type=Exe"}))), L"");
    EXPECT_EQ(GetOutputDir(dir_ / L"missing.vbp"), L"");
    test::WriteFile(dir_ / L"g.vbg", CrLf({"VBGROUP 5.0", "StartupProject=a\\a.vbp"}));
    EXPECT_EQ(GetOutputDir(dir_ / L"g.vbg"), L"");
}

TEST_F(ProjectFile, AtMost301LinesAreRead) {
    const std::wstring vb5 = L"C:\\VB\\VB5.EXE";
    std::string lines;
    for (int i = 0; i < 300; ++i) lines += "Retained=0\r\n";
    const std::string exactly301 = lines + "Path32=\"out\"\r\n";
    EXPECT_EQ(GetOutputDir(Project(exactly301)), dir_ / L"src\\app\\out");
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), exactly301);  // only read
    EXPECT_TRUE(PrepareProjectForVb(dir_ / L"src\\app\\app.vbp", vb5));
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), "Path32=\"out\"\r\n");

    const std::string lines302 = "Retained=0\r\n" + exactly301;
    EXPECT_EQ(GetOutputDir(Project(lines302)), L"");
    EXPECT_FALSE(PrepareProjectForVb(dir_ / L"src\\app\\app.vbp", vb5));
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), lines302);  // not rewritten
}

TEST_F(ProjectFile, Vb6LeavesTheFileAlone) {
    const std::string bytes = "Retained=0\nDebugStartupOption=0\rPath32=\"out\"";
    EXPECT_TRUE(PrepareProjectForVb(Project(bytes), L"C:\\VB98\\VB6.EXE"));
    EXPECT_EQ(GetOutputDir(dir_ / L"src\\app\\app.vbp"), dir_ / L"src\\app\\out");
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), bytes);
}

TEST_F(ProjectFile, Vb5RewriteDropsTheVb6LinesAndKeepsEveryOtherByte) {
    const std::wstring vb5 = L"c:\\vb\\vb5.exe";
    // "\x83R" is one double-byte character whose trail byte is an "R": not a "Retained=" key.
    // "\x81" at the end of a line starts no character in the code page and must survive.
    const std::string bytes =
        "Type=Exe\r\n  Retained=0\r\n\x83Retained=1\r\n\x93\xfa\x96{\x8c\xea\x81\r"
        "IconForm=\"a\nb\"\r\nDebugStartupOption=0\r\nPath32=\"out\"";
    EXPECT_TRUE(PrepareProjectForVb(Project(bytes), vb5));
    EXPECT_EQ(GetOutputDir(dir_ / L"src\\app\\app.vbp"), dir_ / L"src\\app\\out");
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"),
              "Type=Exe\r\n\x83Retained=1\r\n\x93\xfa\x96{\x8c\xea\x81\r\nIconForm=\"a\nb\"\r\n"
              "Path32=\"out\"\r\n");
    // A group file is rewritten the same way.
    test::WriteFile(dir_ / L"g.vbg", "VBGROUP 5.0\nStartupProject=a.vbp");
    EXPECT_TRUE(PrepareProjectForVb(dir_ / L"g.vbg", vb5));
    EXPECT_EQ(test::ReadFile(dir_ / L"g.vbg"), "VBGROUP 5.0\nStartupProject=a.vbp\r\n");
}

TEST_F(ProjectFile, AFileThatCannotBeRewrittenStaysAsItWas) {
    const std::wstring vb5 = L"C:\\VB\\VB5.EXE";
    const std::string bytes = "Retained=0\r\nPath32=\"out\"\r\n";
    for (int step = 1; step <= 4; ++step) {
        platform::SetWriteFaultForTesting(step);
        EXPECT_FALSE(PrepareProjectForVb(Project(bytes), vb5)) << step;
        EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), bytes) << step;
    }
    platform::SetWriteFaultForTesting(0);
    const std::wstring path = Project(bytes);
    test::SetReadOnly(path, true);
    EXPECT_FALSE(PrepareProjectForVb(path, vb5));
    EXPECT_EQ(test::ReadFile(path), bytes);
    test::SetReadOnly(path, false);
    // A short key line is a failure before anything is written.
    const std::string shortLine = "Retained=0\r\nPath32=\r\n";
    EXPECT_FALSE(PrepareProjectForVb(Project(shortLine), vb5));
    EXPECT_EQ(test::ReadFile(path), shortLine);
}

}  // namespace
}  // namespace kinoha
