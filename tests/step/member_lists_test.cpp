#include <gtest/gtest.h>

#include "step/member_lists.h"
#include "step/step_fixtures.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

using test::FormText;
using test::WriteAnsiFile;

std::vector<std::wstring> Items(const SortedList& list) {
    return list.Items();
}

TEST(MemberEntry, NameColumnIsTwentyCharactersThenBarThenPath) {
    EXPECT_EQ(MemberEntry(L"frmMain", L"C:\\p\\a.frm"), L"frmMain             |C:\\p\\a.frm");
    // Cut by characters, a Japanese character counting one.
    const std::wstring longName = L"在庫管理マスタメンテナンス画面ABCDEFGHIJ";  // 25 characters
    const std::wstring entry = MemberEntry(longName, L"x");
    EXPECT_EQ(entry.substr(0, 20), longName.substr(0, 20));
    EXPECT_EQ(entry[20], L'|');
    EXPECT_EQ(MemberEntryName(entry), longName.substr(0, 20));
    EXPECT_EQ(MemberEntryPath(entry), L"x");
    EXPECT_EQ(MemberEntryName(L" frmA               |p"), L"frmA");
    EXPECT_EQ(kFailedMemberEntry.size(), 31u);
}

TEST(FormMemberEntry, NameComesFromTheDeclaringLine) {
    test::TempDir dir;
    const auto entry = [&](const std::wstring& file, const std::wstring& text) {
        WriteAnsiFile(dir / file, text);
        return FormMemberEntry(file, dir.path());
    };
    EXPECT_EQ(entry(L"a.frm", FormText(L"frmMain", L"")),
              MemberEntry(L"frmMain ", dir / L"a.frm"));  // the trailing blank stays
    EXPECT_EQ(MemberEntryName(entry(L"m.frm", L"VERSION 5.00\nBegin VB.MDIForm mdiMain \nEnd\n")),
              L"mdiMain");
    EXPECT_EQ(MemberEntryName(entry(L"d.dob", L"VERSION 5.00\nBegin VB.UserDocument docA\n")),
              L"docA");
    EXPECT_EQ(MemberEntryName(entry(L"e.dsr",
                                    L"VERSION 5.00\n"
                                    L"Begin {C0E45035-5775-11D0-B388-00A0C9055D8E} "
                                    L"DataEnvironment1 \n")),
              L"DataEnvironment1");
    // "Begin " with no blank inside the trimmed line declares nothing; reading goes on.
    EXPECT_EQ(MemberEntryName(entry(L"f.dsr", L"VERSION 5.00\n  Begin \nBegin {X} 売上\n")),
              L"売上");
    // Nothing declared: an empty name column.
    EXPECT_EQ(entry(L"g.frm", L"VERSION 5.00\nx\n"), MemberEntry(L"", dir / L"g.frm"));
    // The value is relative to the project folder, "..\" steps applied.
    WriteAnsiFile(dir / L"common\\c.frm", FormText(L"frmC", L""));
    EXPECT_EQ(MemberEntryPath(FormMemberEntry(L"..\\common\\c.frm", dir / L"prj")),
              dir / L"common\\c.frm");
    EXPECT_EQ(FormMemberEntry(L"missing.frm", dir.path()), kFailedMemberEntry);
}

TEST(CodeMemberEntry, SplitsNameAndPathAtTheFirstSemicolonBlank) {
    std::wstring entry;
    ASSERT_TRUE(CodeMemberEntry(L"MTSK; ..\\common\\MTSK.bas", L"C:\\w\\app", entry));
    EXPECT_EQ(entry, MemberEntry(L"MTSK", L"C:\\w\\common\\MTSK.bas"));
    EXPECT_FALSE(CodeMemberEntry(L"MTSK;MTSK.bas", L"C:\\w", entry));
}

class ReadProjectMembersTest : public ::testing::Test {
  protected:
    void Project(const std::wstring& text) { WriteAnsiFile(dir / L"p\\Prj.vbp", text); }
    std::wstring Folder() const { return dir / L"p"; }
    std::wstring ProjectPath() const { return dir / L"p\\Prj.vbp"; }
    test::TempDir dir;
    MemberLists lists;
};

TEST_F(ReadProjectMembersTest, FillsTheFiveListsSortedIgnoringCase) {
    WriteAnsiFile(Folder() + L"\\frmMain.frm", FormText(L"frmMain", L""));
    WriteAnsiFile(Folder() + L"\\Forms\\b.frm", FormText(L"FrmB", L""));
    WriteAnsiFile(Folder() + L"\\doc.dob", L"VERSION 5.00\nBegin VB.UserDocument docZ \n");
    WriteAnsiFile(Folder() + L"\\de.dsr", L"VERSION 5.00\nBegin {C0E4} deMain \n");
    Project(
        L"Type=Exe\n"
        L"Form=frmMain.frm\n"
        L"Reference=*\\G{00020430}#2.0#0#stdole2.tlb#OLE Automation\n"
        L"Form=Forms\\b.frm\n"
        L"Module=MTSK; ..\\common\\MTSK.bas\n"
        L"Module=aMod; a.bas\n"
        L"Class=CItem; CItem.cls\n"
        L"UserDocument=doc.dob\n"
        L"Designer=de.dsr\n"
        L"UserControl=ctl.ctl\n"
        L"form=lower.frm\n"
        L"  Form=indented.frm\n"
        L"IconForm=\"frmMain\"\n"
        L"Form=after.frm\n");
    StepFailure failure;
    EXPECT_TRUE(ReadProjectMembers(ProjectPath(), lists, &failure));
    EXPECT_TRUE(failure.file.empty());
    EXPECT_EQ(Items(lists.lstFrm),
              (std::vector<std::wstring>{MemberEntry(L"FrmB ", Folder() + L"\\Forms\\b.frm"),
                                         MemberEntry(L"frmMain ", Folder() + L"\\frmMain.frm")}));
    EXPECT_EQ(Items(lists.lstBas),
              (std::vector<std::wstring>{MemberEntry(L"aMod", Folder() + L"\\a.bas"),
                                         MemberEntry(L"MTSK", dir / L"common\\MTSK.bas")}));
    EXPECT_EQ(Items(lists.lstCls),
              (std::vector<std::wstring>{MemberEntry(L"CItem", Folder() + L"\\CItem.cls")}));
    EXPECT_EQ(Items(lists.lstDoc),
              (std::vector<std::wstring>{MemberEntry(L"docZ ", Folder() + L"\\doc.dob")}));
    EXPECT_EQ(Items(lists.lstDsr),
              (std::vector<std::wstring>{MemberEntry(L"deMain ", Folder() + L"\\de.dsr")}));

    // Reading again starts from empty lists.
    Project(L"Module=Only; o.bas\n");
    EXPECT_TRUE(ReadProjectMembers(ProjectPath(), lists));
    EXPECT_EQ(lists.Count(), 1u);
}

TEST_F(ReadProjectMembersTest, AMemberNamedInAnotherLetterCaseIsFound) {
    // Windows finds "Forms\Blacklight.frm" saved as "Forms/BlackLight.frm"; so must we.
    WriteAnsiFile(Folder() + L"\\Forms\\BlackLight.frm", FormText(L"frmLight", L""));
    Project(L"Form=FORMS\\Blacklight.frm\n");
    ASSERT_TRUE(ReadProjectMembers(ProjectPath(), lists));
    ASSERT_EQ(lists.lstFrm.Count(), 1u);
    EXPECT_EQ(MemberEntryName(lists.lstFrm[0]), L"frmLight");
    // The entry keeps the path as the project file writes it.
    EXPECT_EQ(MemberEntryPath(lists.lstFrm[0]), Folder() + L"\\FORMS\\Blacklight.frm");
}

TEST_F(ReadProjectMembersTest, ModuleLineWithoutSemicolonStopsReadingButKeepsEarlierEntries) {
    Project(L"Module=A; a.bas\nClass=Broken.cls\nModule=B; b.bas\n");
    StepFailure failure;
    EXPECT_FALSE(ReadProjectMembers(ProjectPath(), lists, &failure));
    EXPECT_EQ(lists.lstBas.Count(), 1u);
    EXPECT_EQ(lists.lstCls.Count(), 0u);
    EXPECT_EQ(failure.file, ProjectPath());
    EXPECT_NE(failure.reason.find(L"Class=Broken.cls"), std::wstring::npos);
}

TEST_F(ReadProjectMembersTest, MissingFilesGiveFalseOrTheFailedEntry) {
    StepFailure failure;
    EXPECT_FALSE(ReadProjectMembers(ProjectPath(), lists, &failure));
    EXPECT_EQ(failure.file, ProjectPath());
    EXPECT_EQ(lists.Count(), 0u);

    // A project without "IconForm=" is read to its end; a form file that is missing gives the
    // failed entry, which sorts before every named one, and is named in the failure.
    WriteAnsiFile(Folder() + L"\\a.frm", FormText(L"frmA", L""));
    Project(L"Form=a.frm\nForm=gone.frm\nModule=M; m.bas\n");
    failure = {};
    EXPECT_TRUE(ReadProjectMembers(ProjectPath(), lists, &failure));
    EXPECT_EQ(Items(lists.lstFrm),
              (std::vector<std::wstring>{kFailedMemberEntry,
                                         MemberEntry(L"frmA ", Folder() + L"\\a.frm")}));
    EXPECT_EQ(lists.lstBas.Count(), 1u);
    EXPECT_EQ(failure.file, Folder() + L"\\gone.frm");
}

TEST_F(ReadProjectMembersTest, ShiftJisNamesAndParallelReadingGiveTheSameLists) {
    std::wstring project;
    for (int i = 0; i < 40; ++i) {
        const std::wstring name =
            L"画面" + std::to_wstring(39 - i) + L"_在庫照会メンテナンス画面ABCDEFG";
        WriteAnsiFile(Folder() + L"\\f" + std::to_wstring(i) + L".frm", FormText(name, L""));
        project += L"Form=f" + std::to_wstring(i) + L".frm\n";
        project += L"Module=M計算" + std::to_wstring(i) + L"; m" + std::to_wstring(i) + L".bas\n";
    }
    Project(project);
    ASSERT_TRUE(ReadProjectMembers(ProjectPath(), lists));
    MemberLists parallel;
    StepWorkers workers(4);
    ASSERT_TRUE(ReadProjectMembers(ProjectPath(), parallel, nullptr, &workers));
    EXPECT_EQ(Items(parallel.lstFrm), Items(lists.lstFrm));
    EXPECT_EQ(Items(parallel.lstBas), Items(lists.lstBas));
    ASSERT_EQ(lists.lstFrm.Count(), 40u);
    EXPECT_EQ(MemberEntryName(lists.lstFrm[0]),
              L"画面0_在庫照会メンテナンス画面ABCD");  // 20 characters
    EXPECT_EQ(MemberEntryName(lists.lstBas[0]), L"M計算0");
}

}  // namespace
}  // namespace kinoha
