// The step count on files as users have them: very large, with bytes that are no characters,
// at paths past 260 characters, changing while they are read, and reports that cannot be
// replaced.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "catalogue/project_file.h"
#include "step/member_lists.h"
#include "step/step_fixtures.h"
#include "step/step_report.h"

namespace kinoha {
namespace {

std::wstring Date(const std::wstring& path) {
    platform::LocalDateTime t;
    EXPECT_TRUE(platform::FileModifiedLocal(path, t));
    return FormatStepDate(t);
}

class StepEdgeCases : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override {
        platform::SetWriteFaultForTesting(0);
        platform::SetReadHookForTesting({});
        ResetGlobals();
    }
    // Lists, counts and writes the report of a project, as the step count window does.
    bool Count(const std::wstring& project, CountOptions counting = {}) {
        ReadProjectMembers(project, lists);
        failure = {};
        StepCountOptions options;
        options.failure = &failure;
        options.counting = counting;
        return CountProjectSteps(project, lists, lstStep, options);
    }
    test::TempDir dir;
    MemberLists lists;
    std::vector<std::wstring> lstStep;
    StepFailure failure;
};

// Slow under the sanitizers' debug build; the same code runs there on the smaller files.
#if defined(__SANITIZE_ADDRESS__)
#define KINOHA_LARGE(name) DISABLED_##name
#else
#define KINOHA_LARGE(name) name
#endif

TEST_F(StepEdgeCases, KINOHA_LARGE(AMemberFileOf100MegabytesIsCountedExactly)) {
    // Eight lines in CP932: code, comment, blank, a continued statement over two lines, a line
    // of bytes that are no characters, a line of blanks, and a line whose last byte "_" is the
    // second half of "ダ" (no continuation).
    const std::string block =
        "    x = x + 1 ' \x89\xc1\x8e\x5a\r\n"
        "' \x83\x52\x83\x81\x83\x93\x83\x67\r\n"
        "\r\n"
        "    s = \"\x92\xb7\" & _\r\n"
        "        t\r\n"
        "\xff\xfe\xa0 = 1\r\n"
        "   \r\n"
        "    y = \x83\x5f\r\n";
    const std::size_t n = (100u << 20) / block.size() + 1;
    std::string bytes = "Attribute VB_Name = \"MBig\"\r\n";
    bytes.reserve(bytes.size() + n * block.size());
    for (std::size_t i = 0; i < n; ++i) bytes += block;
    ASSERT_GE(bytes.size(), 100u << 20);
    const std::wstring member = dir / L"MBig.bas";
    test::WriteFile(member, bytes);
    test::WriteAnsiFile(dir / L"Big.vbp", L"Type=Exe\nModule=MBig; MBig.bas\n");

    ASSERT_TRUE(Count(dir / L"Big.vbp", {.under = true})) << test::Utf8(failure.reason);
    const auto m = std::to_wstring(n);
    EXPECT_EQ(lstStep.at(1), L"MBig,Module,-," + std::to_wstring(4 * n) + L"," + m + L"," +
                                 std::to_wstring(2 * n) + L"," + Date(member));
    MemberCounts counts;
    ASSERT_EQ(CountMemberBytes(MemberKind::Module, bytes, {}, counts), CountResult::Counted);
    EXPECT_EQ(counts.code, static_cast<std::int64_t>(5 * n));
    EXPECT_EQ(counts.comment + counts.blank, static_cast<std::int64_t>(3 * n));
}

TEST_F(StepEdgeCases, KINOHA_LARGE(AProjectFileOfAMillionLinesIsReadToItsIconFormLine)) {
    std::string bytes = "Type=Exe\r\nForm=frmA.frm\r\nRetained=0\r\n";
    const std::string reference =
        "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE Automation\r\n";
    for (int i = 0; i < 1000000; ++i) bytes += reference;
    bytes += "Module=MLast; m.bas\r\nExeName32=\"Last.exe\"\r\nIconForm=\"frmA\"\r\nForm=b.frm\r\n";
    const std::wstring project = dir / L"Huge.vbp";
    test::WriteFile(project, bytes);
    test::WriteAnsiFile(dir / L"frmA.frm", test::FormText(L"frmA", L"x = 1\n"));
    test::WriteAnsiFile(dir / L"m.bas", L"Attribute VB_Name = \"MLast\"\ny = 2\n");

    EXPECT_TRUE(ReadProjectMembers(project, lists));
    EXPECT_EQ(lists.lstFrm.Items(),
              std::vector<std::wstring>{MemberEntry(L"frmA", dir / L"frmA.frm")});
    EXPECT_EQ(lists.lstBas.Items(),
              std::vector<std::wstring>{MemberEntry(L"MLast", dir / L"m.bas")});
    ASSERT_TRUE(Count(project));
    EXPECT_EQ(lstStep.back(), L"STEP合計,-,10,2,0,0,-");
    EXPECT_EQ(GetProjectExe(project), dir / L"Last.exe");
    // Read whole, however long: VB5 gets the file without its VB6-only line.
    EXPECT_EQ(GetOutputDir(project), L"");
    EXPECT_TRUE(PrepareProjectForVb(project, L"C:\\VB\\VB5.EXE"));
    bytes.erase(bytes.find("Retained=0\r\n"), 12);
    EXPECT_EQ(test::ReadFile(project), bytes);
}

TEST_F(StepEdgeCases, BytesThatAreNoCharactersAreCountedAndReportedAsTheyAre) {
    // A form whose declared name ends in bytes that are not CP932, and whose code lines hold
    // such bytes: a lone lead byte before the line end, an undefined pair, single bytes.
    const std::string form =
        "VERSION 5.00\r\nBegin VB.Form frm\xff\x81\r\nEnd\r\n"
        "Attribute VB_Name = \"frm\"\r\n"
        "\x80\r\n"
        "' \x85\x40\r\n"
        "x = \"\x81 _\r\n"
        "\xa0\xfd\r\n"
        "   \x81\r\n"
        "\xef\x40 \r\n";
    test::WriteFile(dir / L"frmX.frm", form);
    test::WriteAnsiFile(dir / L"X.vbp", L"Form=frmX.frm\n");
    ASSERT_TRUE(Count(dir / L"X.vbp", {.under = true})) << test::Utf8(failure.reason);
    ASSERT_EQ(lists.lstFrm.Count(), 1u);
    // The name keeps both bytes, whatever the code page makes of them, and they go back as
    // they were.
    const std::wstring name = platform::DecodeAnsi("frm\xff\x81");
    EXPECT_EQ(platform::EncodeAnsi(name), "frm\xff\x81");
    EXPECT_EQ(lstStep.at(1).substr(0, name.size() + 10), name + L",Form,3,4,");
    const std::string report = test::ReadFile(dir / L"X_Step.csv");
    EXPECT_NE(report.find("\r\nfrm\xff\x81,Form,3,4,1,0,"), std::string::npos) << report;
    MemberCounts counts;
    ASSERT_EQ(CountMemberLines(MemberKind::Form, dir / L"frmX.frm", {.under = true}, counts),
              CountResult::Counted);
    ASSERT_EQ(CountMemberLines(MemberKind::Form, dir / L"frmX.frm", {}, counts),
              CountResult::Counted);
    EXPECT_EQ(counts.code, 5);  // every line is there, the continued one too
}

TEST_F(StepEdgeCases, MembersStreamAcrossReadBlocksAndOnePastTheLimitIsReportedTooLarge) {
    ASSERT_TRUE(platform::SelectAnsiCodePage("CP932"));
    // Lines split across the 64 KiB read blocks: a designer line whose "Attribute " (which ends
    // the screen part) straddles the first block's end; a code line ending in "＼" (0x81 0x5F,
    // its second byte "_") split across the second's; a CR LF split across the third's.
    std::string form = "VERSION 5.00\r\nBegin VB.Form frmBig \r\n   Tag = \"";
    form += std::string(65536 - 4 - form.size(), 'a') +
            "Attribute list\"\r\nEnd\r\n"
            "Attribute VB_Name = \"frmBig\"\r\nOption Explicit\r\n";
    form += "x = " + std::string(131071 - form.size() - 4, 'b') + "\x81\x5F\r\n";
    form += "y = " + std::string(196607 - form.size() - 4, 'c') + "\r\nz\r\n";
    ASSERT_EQ(form.substr(65532, 10), "Attribute ");
    ASSERT_EQ(form.substr(131071, 2), "\x81\x5F");
    ASSERT_EQ(form.substr(196607, 2), "\r\n");
    test::WriteFile(dir / L"frmBig.frm", form);
    test::WriteAnsiFile(dir / L"Big.vbp", L"Form=frmBig.frm\n");
    ASSERT_TRUE(Count(dir / L"Big.vbp", {.under = true})) << test::Utf8(failure.reason);
    EXPECT_EQ(lstStep.at(1).substr(0, 21), L"frmBig,Form,2,6,0,0,2");
    MemberCounts whole;
    ASSERT_EQ(CountMemberBytes(MemberKind::Form, form, {.under = true}, whole),
              CountResult::Counted);
    EXPECT_EQ(whole.screen * 10 + whole.code, 26);

    // One byte over the limit: the member is named as too large and no report is written.
    test::RemovePath(dir / L"Big_Step.csv");
    ASSERT_FALSE(Count(dir / L"Big.vbp", {.under = true, .maxBytes = form.size() - 1}));
    EXPECT_EQ(failure.kind, StepFailureKind::MemberTooLarge);
    EXPECT_EQ(failure.file, dir / L"frmBig.frm");
    EXPECT_FALSE(test::PathExists(dir / L"Big_Step.csv"));
    EXPECT_TRUE(Count(dir / L"Big.vbp", {.under = true, .maxBytes = form.size()}));
    platform::SelectAnsiCodePage("");
}

TEST_F(StepEdgeCases, AProjectRewrittenWhileItIsReadGivesTheMembersOfOneVersion) {
    const std::string padding(100000, '\'');  // a few read blocks before the member lines
    const std::string older =
        "Type=Exe\r\n" + padding + "\r\nForm=frmA.frm\r\nModule=MA; a.bas\r\n";
    const std::string newer =
        "Type=Exe\r\nModule=MB; b.bas\r\n" + padding + "\r\nClass=CB; b.cls\r\n";
    test::WriteAnsiFile(dir / L"frmA.frm", test::FormText(L"frmA", L"x = 1\n"));
    test::WriteAnsiFile(dir / L"a.bas", L"Attribute VB_Name = \"MA\"\ny = 2\n");
    test::WriteAnsiFile(dir / L"b.bas", L"Attribute VB_Name = \"MB\"\ny = 2\nz = 3\n");
    test::WriteAnsiFile(dir / L"b.cls",
                        L"VERSION 1.0 CLASS\nAttribute VB_Name = \"CB\"\nPublic N\n' c\n");
    const std::wstring project = dir / L"P.vbp";
    test::WriteFile(project, older);
    bool rewritten = false;
    platform::SetReadHookForTesting([&](const std::wstring& path, std::size_t) {
        if (path != project || rewritten) return;
        rewritten = true;
        test::WriteFile(project, newer);
    });
    ASSERT_TRUE(Count(project));
    platform::SetReadHookForTesting({});
    EXPECT_TRUE(rewritten);
    EXPECT_EQ(lists.lstFrm.Count(), 0u);
    EXPECT_EQ(lists.lstBas.Items(), std::vector<std::wstring>{MemberEntry(L"MB", dir / L"b.bas")});
    EXPECT_EQ(lists.lstCls.Items(), std::vector<std::wstring>{MemberEntry(L"CB", dir / L"b.cls")});
    EXPECT_EQ(lstStep.back(), L"STEP合計,-,0,3,1,0,-");

    // A project that never stops changing counts as unreadable: nothing half-read is counted.
    int writes = 0;
    platform::SetReadHookForTesting([&](const std::wstring& path, std::size_t read) {
        if (path == project && read <= 65536)
            test::WriteFile(project, ++writes % 2 ? older : newer);
    });
    StepFailure why;
    EXPECT_FALSE(ReadProjectMembers(project, lists, &why));
    EXPECT_EQ(lists.Count(), 0u);
    EXPECT_EQ(why.file, project);
}

TEST_F(StepEdgeCases, AReportThatCannotBeReplacedAtAnyStepStaysAsItWas) {
    test::WriteAnsiFile(dir / L"a.bas", L"Attribute VB_Name = \"A\"\nx = 1\n");
    test::WriteAnsiFile(dir / L"A.vbp", L"Module=A; a.bas\n");
    const std::wstring report = dir / L"A_Step.csv";
    test::WriteFile(report, "earlier report\r\n");
    for (int step = 1; step <= 4; ++step) {
        platform::SetWriteFaultForTesting(step);
        EXPECT_FALSE(Count(dir / L"A.vbp")) << step;
        platform::SetWriteFaultForTesting(0);
        EXPECT_EQ(test::ReadFile(report), "earlier report\r\n") << step;
        EXPECT_EQ(failure.file, report) << step;
        EXPECT_EQ(lstStep.size(), 3u) << "the lines are made before the write; step " << step;
    }
    ASSERT_TRUE(Count(dir / L"A.vbp"));
    EXPECT_NE(test::ReadFile(report), "earlier report\r\n");
}

TEST_F(StepEdgeCases, AProjectPast260CharactersIsCountedAndRewritten) {
    std::wstring folder = dir / L"tree";
    for (int i = 0; folder.size() < 300; ++i)
        folder += L"\\プロジェクト" + std::to_wstring(i) + std::wstring(40, L'p');
    ASSERT_TRUE(platform::EnsureDirectory(folder + L"\\Forms"));
    const auto put = [&](const std::wstring& name, const std::wstring& text) {
        ASSERT_TRUE(platform::ReplaceFileAtomically(folder + L"\\" + name, test::AnsiCrLf(text)));
    };
    put(L"Forms\\frmA.frm", test::FormText(L"frmA", L"Option Explicit\n' c\n"));
    put(L"MA.bas", L"Attribute VB_Name = \"MA\"\n\nx = 1\n");
    put(L"Long.vbp",
        L"Type=Exe\nForm=Forms\\frmA.frm\nModule=MA; MA.bas\nRetained=0\n"
        L"ExeName32=\"Long.exe\"\nPath32=\"bin\"\n");
    const std::wstring project = folder + L"\\Long.vbp";

    ASSERT_TRUE(Count(project)) << test::Utf8(failure.file + L": " + failure.reason);
    EXPECT_EQ(lstStep.back(), L"STEP合計,-,10,2,1,1,-");
    std::string report;
    ASSERT_TRUE(platform::ReadFileBytes(folder + L"\\Long_Step.csv", report));
    EXPECT_NE(report.find("STEP"), std::string::npos);
    EXPECT_EQ(GetProjectExe(project), folder + L"\\bin\\Long.exe");
    EXPECT_TRUE(PrepareProjectForVb(project, L"C:\\VB\\VB5.EXE"));
    EXPECT_EQ(GetOutputDir(project), folder + L"\\bin");
    std::string rewritten;
    ASSERT_TRUE(platform::ReadFileBytes(project, rewritten));
    EXPECT_EQ(rewritten.find("Retained="), std::string::npos);
    EXPECT_NE(rewritten.find("Path32=\"bin\"\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kinoha
