#include <gtest/gtest.h>

#include <tuple>

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

class ProjectFileTest : public ::testing::Test {
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

TEST_F(ProjectFileTest, ExecutableFromNameAndFolder) {
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

TEST_F(ProjectFileTest, NoExecutableForLibrariesFailuresAndShortLines) {
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

TEST_F(ProjectFileTest, AbsoluteValuesAreTakenAsTheyAre) {
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

TEST_F(ProjectFileTest, GroupMembersInLineOrderIncludingTheStartUpProject) {
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
}

#ifdef _WIN32
// Only Windows paths of the test folder start with a drive letter.
TEST_F(ProjectFileTest, AGroupMemberGivenByAnAbsolutePath) {
    test::WriteFile(dir_ / L"a\\a.vbp", CrLf({"ExeName32=\"A.exe\""}));
    const std::wstring member = dir_ / L"a\\a.vbp";
    test::WriteFile(dir_ / L"g\\g.vbg", "Project=" + platform::EncodeAnsi(member) + "\r\n");
    std::vector<std::wstring> list;
    AddGroupExes(dir_ / L"g\\g.vbg", list);
    EXPECT_EQ(list, std::vector<std::wstring>{dir_ / L"a\\A.exe"});
}
#endif

TEST_F(ProjectFileTest, OutputDirectory) {
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"..\\bin\""}))), dir_ / L"src\\bin");
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Path32=\"..\\bin\"", "Path32=\"out\""}))),
              dir_ / L"src\\app\\out");
    EXPECT_EQ(GetOutputDir(Project(CrLf({"Type=Exe"}))), L"");
    EXPECT_EQ(GetOutputDir(dir_ / L"missing.vbp"), L"");
    test::WriteFile(dir_ / L"g.vbg", CrLf({"VBGROUP 5.0", "StartupProject=a\\a.vbp"}));
    EXPECT_EQ(GetOutputDir(dir_ / L"g.vbg"), L"");
}

// Every key the program reads, from one file; member paths relative, absolute and UNC.
TEST_F(ProjectFileTest, OneReadingHoldsEveryValue) {
    const kinoha::ProjectFile p =
        ReadProjectFile(Project(CrLf({"Type=OleDll",
                                      "Reference=*\\G{0}#1.0#0#..\\lib\\Kyotsu.dll#Kyotsu",
                                      "Reference=*\\G{1}#2.0#0#stdole2.tlb#OLE",
                                      "Object={2}#1.0#0; MSCOMCTL.OCX",
                                      "Reference=*\\A..\\other\\Other.vbp",
                                      "Form=frmMain.frm",
                                      "Form=C:\\shared\\frmLogin.frm",
                                      "Module=MShared; \\\\server\\lib\\MShared.bas",
                                      "Module=MLone;lone.bas",
                                      "Class=CItem; ..\\cls\\CItem.cls",
                                      "UserControl=ctl\\u.ctl",
                                      "PropertyPage=p.pag",
                                      "Designer=d.dsr",
                                      "UserDocument=doc.dob",
                                      "RelatedDoc=\"readme.txt\"",
                                      "ResFile32=\"r.res\"",
                                      "IconForm=\"frmMain\"",
                                      "Form=late.frm",
                                      "Name=\"App\"",
                                      "ExeName32=\"App.dll\"",
                                      "Path32=\"..\\bin\"",
                                      "CompatibleMode=\"2\"",
                                      "CompatibleEXE32=\"..\\compat\\App.dll\"",
                                      "[MS Transaction Server]",
                                      "Form=section.frm"})));
    ASSERT_TRUE(p.read);
    EXPECT_EQ(p.type, L"OleDll");
    EXPECT_EQ(p.name, L"App");
    EXPECT_EQ(p.compatibleMode, L"2");
    EXPECT_EQ(p.compatibleExe32, L"..\\compat\\App.dll");
    EXPECT_EQ(p.output, dir_ / L"src\\bin\\App.dll");
    EXPECT_EQ(p.outputDir, dir_ / L"src\\bin");
    const std::wstring app = dir_ / L"src\\app";
    using K = ProjectMember::Key;
    const std::vector<std::tuple<K, std::wstring, std::wstring, bool>> members{
        {K::Form, L"", app + L"\\frmMain.frm", false},
        {K::Form, L"", L"C:\\shared\\frmLogin.frm", false},
        {K::Module, L"MShared", L"\\\\server\\lib\\MShared.bas", false},
        {K::Module, L"MLone", app + L"\\lone.bas", false},
        {K::Class, L"CItem", dir_ / L"src\\cls\\CItem.cls", false},
        {K::UserControl, L"", app + L"\\ctl\\u.ctl", false},
        {K::PropertyPage, L"", app + L"\\p.pag", false},
        {K::Designer, L"", app + L"\\d.dsr", false},
        {K::UserDocument, L"", app + L"\\doc.dob", false},
        {K::RelatedDoc, L"", app + L"\\readme.txt", false},
        {K::ResFile, L"", app + L"\\r.res", false},
        {K::Form, L"", app + L"\\late.frm", true}};
    ASSERT_EQ(p.members.size(), members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        const auto& [key, name, path, late] = members[i];
        EXPECT_EQ(p.members[i].key, key) << i;
        EXPECT_EQ(p.members[i].name, name) << i;
        EXPECT_EQ(p.members[i].path, path) << i;
        EXPECT_EQ(p.members[i].afterIconForm, late) << i;
    }
    EXPECT_FALSE(p.members[3].nameSeparated);
    ASSERT_EQ(p.references.size(), 4u);
    EXPECT_EQ(p.references[0].path, dir_ / L"src\\lib\\Kyotsu.dll");
    EXPECT_EQ(p.references[1].path, L"");  // a bare name
    EXPECT_EQ(p.references[1].name, L"stdole2.tlb");
    EXPECT_EQ(p.references[2].name, L"MSCOMCTL.OCX");
    EXPECT_TRUE(p.references[3].toProject);
    EXPECT_EQ(p.references[3].path, dir_ / L"src\\other\\Other.vbp");

    EXPECT_FALSE(ReadProjectFile(dir_ / L"missing.vbp").read);
}

// No limit on the length: a long project still gets its output folder and the VB5 rewrite.
TEST_F(ProjectFileTest, ALongFileIsReadWhole) {
    const std::wstring vb5 = L"C:\\VB\\VB5.EXE";
    std::string lines;
    for (int i = 0; i < 999; ++i) lines += "Retained=0\r\n";
    const std::string bytes = lines + "Path32=\"out\"\r\n";
    EXPECT_EQ(GetOutputDir(Project(bytes)), dir_ / L"src\\app\\out");
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), bytes);  // only read
    EXPECT_TRUE(PrepareProjectForVb(dir_ / L"src\\app\\app.vbp", vb5));
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), "Path32=\"out\"\r\n");
}

TEST_F(ProjectFileTest, Vb6LeavesTheFileAlone) {
    const std::string bytes = "Retained=0\nDebugStartupOption=0\rPath32=\"out\"";
    EXPECT_TRUE(PrepareProjectForVb(Project(bytes), L"C:\\VB98\\VB6.EXE"));
    EXPECT_EQ(GetOutputDir(dir_ / L"src\\app\\app.vbp"), dir_ / L"src\\app\\out");
    EXPECT_EQ(test::ReadFile(dir_ / L"src\\app\\app.vbp"), bytes);
}

TEST_F(ProjectFileTest, Vb5RewriteDropsTheVb6LinesAndKeepsEveryOtherByte) {
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

TEST_F(ProjectFileTest, AFileThatCannotBeRewrittenStaysAsItWas) {
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
