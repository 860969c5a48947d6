#include <gtest/gtest.h>

#include "step/member_lists.h"
#include "step/step_fixtures.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

using test::FormText;
using test::WriteAnsiFile;
using Items = std::vector<std::wstring>;

TEST(MemberEntry, NameColumnFormAndCodeEntries) {
    EXPECT_EQ(MemberEntry(L"frmMain", L"C:\\p\\a.frm"), L"frmMain             |C:\\p\\a.frm");
    const std::wstring entry = MemberEntry(L"在庫管理マスタメンテナンス画面ABCDEFGHIJ", L"x");
    EXPECT_EQ(MemberEntryName(entry), L"在庫管理マスタメンテナンス画面ABCDE");  // 20 characters
    EXPECT_EQ(MemberEntryPath(entry), L"x");

    test::TempDir dir;
    const std::pair<std::wstring, std::wstring> declared[] = {
        {FormText(L"frmMain", L""), L"frmMain "},  // the trailing blank stays in the column
        {L"VERSION 5.00\nBegin VB.MDIForm mdiMain \n", L"mdiMain "},
        {L"VERSION 5.00\nBegin VB.UserDocument docA\n", L"docA"},
        {L"VERSION 5.00\nBegin {C0E45035-5775-11D0-B388-00A0C9055D8E} DataEnvironment1 \n",
         L"DataEnvironment1"},
        {L"VERSION 5.00\n  Begin \nBegin {X} 売上\n", L"売上"},  // no blank inside: read on
        {L"VERSION 5.00\nx\n", L""}};
    for (const auto& [text, name] : declared) {
        WriteAnsiFile(dir / L"f.frm", text);
        EXPECT_EQ(FormMemberEntry(dir / L"f.frm"), MemberEntry(name, dir / L"f.frm"));
    }
    EXPECT_EQ(FormMemberEntry(dir / L"missing.frm"), kFailedMemberEntry);
}

class ReadProjectMembersTest : public ::testing::Test {
  protected:
    std::wstring In(const std::wstring& name) const { return dir / (L"p\\" + name); }
    test::TempDir dir;
    MemberLists lists;
    StepFailure failure;
};

TEST_F(ReadProjectMembersTest, FillsTheFiveListsSortedUpToIconForm) {
    WriteAnsiFile(In(L"frmMain.frm"), FormText(L"frmMain", L""));
    // Named in another letter case than on disk: Windows finds it, so must we.
    WriteAnsiFile(In(L"Forms\\BlackLight.frm"), FormText(L"FrmB", L""));
    WriteAnsiFile(In(L"doc.dob"), L"VERSION 5.00\nBegin VB.UserDocument docZ \n");
    WriteAnsiFile(In(L"de.dsr"), L"VERSION 5.00\nBegin {C0E4} deMain \n");
    WriteAnsiFile(In(L"P.vbp"),
                  L"Type=Exe\nForm=frmMain.frm\nReference=*\\G{0}#2.0#0#stdole2.tlb#OLE\n"
                  L"Form=FORMS\\Blacklight.frm\nModule=MTSK; ..\\common\\MTSK.bas\n"
                  L"Module=aMod; a.bas\nClass=CItem; CItem.cls\nUserDocument=doc.dob\n"
                  L"Designer=de.dsr\nUserControl=ctl.ctl\nform=lower.frm\n  Form=indented.frm\n"
                  L"IconForm=\"frmMain\"\nForm=after.frm\n");
    EXPECT_TRUE(ReadProjectMembers(In(L"P.vbp"), lists, &failure));
    EXPECT_TRUE(failure.file.empty());
    EXPECT_EQ(lists.lstFrm.Items(), (Items{MemberEntry(L"FrmB ", In(L"FORMS\\Blacklight.frm")),
                                           MemberEntry(L"frmMain ", In(L"frmMain.frm"))}));
    EXPECT_EQ(lists.lstBas.Items(), (Items{MemberEntry(L"aMod", In(L"a.bas")),
                                           MemberEntry(L"MTSK", dir / L"common\\MTSK.bas")}));
    EXPECT_EQ(lists.lstCls.Items(), (Items{MemberEntry(L"CItem", In(L"CItem.cls"))}));
    EXPECT_EQ(lists.lstDoc.Items(), (Items{MemberEntry(L"docZ ", In(L"doc.dob"))}));
    EXPECT_EQ(lists.lstDsr.Items(), (Items{MemberEntry(L"deMain ", In(L"de.dsr"))}));
}

TEST_F(ReadProjectMembersTest, FailuresKeepWhatWasAddedBefore) {
    EXPECT_FALSE(ReadProjectMembers(In(L"P.vbp"), lists, &failure));  // no project file
    EXPECT_EQ(failure.file, In(L"P.vbp"));

    WriteAnsiFile(In(L"P.vbp"), L"Module=A; a.bas\nClass=Broken.cls\nModule=B; b.bas\n");
    EXPECT_FALSE(ReadProjectMembers(In(L"P.vbp"), lists, &failure));
    EXPECT_EQ(lists.Count(), 1u);
    EXPECT_NE(failure.reason.find(L"Class=Broken.cls"), std::wstring::npos);

    // A missing form file gives the failed entry (sorted first) and is named; no IconForm=
    // line: read to the end.
    WriteAnsiFile(In(L"a.frm"), FormText(L"frmA", L""));
    WriteAnsiFile(In(L"P.vbp"), L"Form=a.frm\nForm=gone.frm\nModule=M; m.bas\n");
    failure = {};
    EXPECT_TRUE(ReadProjectMembers(In(L"P.vbp"), lists, &failure));
    EXPECT_EQ(lists.lstFrm.Items(),
              (Items{kFailedMemberEntry, MemberEntry(L"frmA ", In(L"a.frm"))}));
    EXPECT_EQ(lists.lstBas.Count(), 1u);
    EXPECT_EQ(failure.file, In(L"gone.frm"));
}

TEST_F(ReadProjectMembersTest, ParallelReadingGivesTheSameLists) {
    std::wstring project;
    for (int i = 0; i < 40; ++i) {
        const std::wstring n = std::to_wstring(i);
        WriteAnsiFile(In(L"f" + n + L".frm"), FormText(L"画面" + std::to_wstring(39 - i), L""));
        project += L"Form=f" + n + L".frm\nModule=M計算" + n + L"; m" + n + L".bas\n";
    }
    WriteAnsiFile(In(L"P.vbp"), project);
    MemberLists parallel;
    StepWorkers workers(4);
    ASSERT_TRUE(ReadProjectMembers(In(L"P.vbp"), lists));
    ASSERT_TRUE(ReadProjectMembers(In(L"P.vbp"), parallel, nullptr, &workers));
    EXPECT_EQ(parallel.lstFrm.Items(), lists.lstFrm.Items());
    EXPECT_EQ(parallel.lstBas.Items(), lists.lstBas.Items());
    EXPECT_EQ(lists.lstFrm.Count(), 40u);
}

}  // namespace
}  // namespace kinoha
