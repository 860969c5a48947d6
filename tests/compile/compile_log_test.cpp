#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "app/quoted_program.h"
#include "compile/compile_log.h"
#include "compile/compile_log_folder.h"
#include "compile/compile_reports.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

std::tm At(int day, int second) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = day;
    t.tm_hour = 9;
    t.tm_sec = second;
    return t;
}

TEST(CompileLogFolder, OneFolderPerRunTheLastTwentyKeptAndTheTemporaryFolderAsFallback) {
    test::TempDir dir;
    const std::wstring root = dir / L"logs", fallback = dir / L"temp";
    // 22 older runs; one of them holds a file that is not a log and so stays.
    for (int i = 0; i < 22; ++i) {
        const std::wstring run = CompileLogFolder::ForRun(root, fallback, At(1, i), 100).Folder();
        test::WriteFile(run + L"\\App.log", "x");
        if (i == 0) test::WriteFile(run + L"\\notes.txt", "mine");
    }
    test::WriteFile(root + L"\\readme.txt", "not a run");

    CompileLogFolder f = CompileLogFolder::ForRun(root, fallback, At(2, 0));
    EXPECT_EQ(f.Folder(), root + L"\\20261202-090000");
    EXPECT_FALSE(f.FellBack());
    // Names after the project; the second of one name in a run gets "-2", in any letter case.
    EXPECT_EQ(f.PathFor(L"C:\\a\\App.vbp"), f.Folder() + L"\\App.log");
    EXPECT_EQ(f.PathFor(L"C:\\b\\APP.vbg"), f.Folder() + L"\\APP-2.log");
    // The same second again: a folder of its own.
    EXPECT_EQ(CompileLogFolder::ForRun(root, fallback, At(2, 0)).Folder(),
              root + L"\\20261202-090000-2");

    std::vector<platform::DirEntry> runs;
    platform::FindEntries(root, L"2026*", runs);
    EXPECT_EQ(runs.size(), 21u);  // 20 kept + the first, kept for its own file
    EXPECT_TRUE(test::PathExists(root + L"\\20261201-090000\\notes.txt"));
    EXPECT_FALSE(test::PathExists(root + L"\\20261201-090000\\App.log"));
    EXPECT_FALSE(test::PathExists(root + L"\\20261201-090003"));
    EXPECT_TRUE(test::PathExists(root + L"\\20261201-090004"));
    EXPECT_TRUE(test::PathExists(root + L"\\readme.txt"));

    // A root that cannot be made (a file is in its way): the fallback holds the run.
    test::WriteFile(dir / L"blocked", "");
    const CompileLogFolder g = CompileLogFolder::ForRun(dir / L"blocked", fallback, At(3, 0));
    EXPECT_TRUE(g.FellBack());
    EXPECT_EQ(g.Folder(), fallback + L"\\20261203-090000");

    // Twenty runs dated later (a clock once ahead, or planted): the new run keeps its folder,
    // and they are not Kinoha's to remove.
    const std::wstring ahead = dir / L"ahead";
    for (int i = 10; i < 30; ++i)
        test::MakeDirectory(ahead + L"\\20991231-0000" + std::to_wstring(i));
    const CompileLogFolder h = CompileLogFolder::ForRun(ahead, fallback, At(4, 0));
    EXPECT_TRUE(test::PathExists(h.Folder()));
    runs.clear();
    platform::FindEntries(ahead, L"20*", runs);
    EXPECT_EQ(runs.size(), 21u);
}

TEST(CompileLog, AnyEncodingAndSizeIsReadWithBoundedLines) {
    // Bytes that are no text of the code page, a line of 8 MB and the verdict after them.
    std::string bytes = "\xff\xfe\x81\r\n";
    bytes += "Compile Error in File 'a.frm', Line 1 : " + std::string(8 << 20, 'x') + "\n";
    bytes += "Build of 'C:\\failed\\App.exe' succeeded.\r\n";
    const CompileLogReading r = ReadCompileLogBytes(bytes, 10);
    EXPECT_EQ(r.succeeded, 1u);  // a folder named "failed" does not decide
    EXPECT_TRUE(r.failureLine.empty());
    ASSERT_EQ(r.errorLines.size(), 1u);
    EXPECT_LE(r.errorLines[0].size(), kLogLineShown);
    EXPECT_FALSE(ReadCompileLog(L"Z:\\no\\such.log", 10).read);
}

// Real logs of VB6's /out, from public CI runs.
TEST(CompileLog, RealLogsAreReadForTheirVerdictErrorsAndFirstLines) {
    struct Case {
        std::string log;
        std::size_t succeeded;
        std::wstring failure;
        std::vector<std::wstring> errors, first;
    };
    const Case cases[] = {
        {"\r\nBuild of 'server.exe' succeeded.\r\n",
         1,
         L"",
         {},
         {L"Build of 'server.exe' succeeded."}},
        {"Compile Error in File '\\Codigo\\Protocol.bas', Line 1086 : Method or data member not "
         "found\r\nBuild of 'server.exe' failed.\r\n",
         0,
         L"Build of 'server.exe' failed.",
         {L"Compile Error in File '\\Codigo\\Protocol.bas', Line 1086 : Method or data member not "
          L"found"},
         {}},
        {"Compile Error in File 'C:\\re20-cliente-master\\CODIGO\\Recursos.bas', Line 1758 : Next "
         "without For\r\nBuild of 'Argentum.exe' failed.\r\n",
         0,
         L"Build of 'Argentum.exe' failed.",
         {L"Compile Error in File 'C:\\re20-cliente-master\\CODIGO\\Recursos.bas', Line 1758 : "
          L"Next "
          L"without For"},
         {}},
        {"File not found: 'C:\\a\\Server.VBP'\r\nFile not found: 'C:\\a\\Server.VBP'\r\n",
         0,
         L"",
         {},
         {L"File not found: 'C:\\a\\Server.VBP'", L"File not found: 'C:\\a\\Server.VBP'"}},
    };
    for (const auto& c : cases) {
        const CompileLogReading r = ReadCompileLogBytes(c.log, kMaxErrorLines);
        EXPECT_EQ(r.succeeded, c.succeeded) << c.log;
        EXPECT_EQ(r.failureLine, c.failure) << c.log;
        EXPECT_EQ(r.errorLines, c.errors) << c.log;
        if (!c.first.empty()) {
            EXPECT_EQ(r.firstLines, c.first) << c.log;
        }
    }
}

TEST(CompileReports, TextNoXmlOrJsonMayHoldIsReplacedOrEscaped) {
    // An error line decoded from bytes the code page does not know, with a control character
    // and markup in it; and a path with a quote.
    CompiledEntry failed{L"a\"b.vbp", {}};
    failed.outcome.result = CompileResult::Failed;
    failed.outcome.firstError = std::wstring(L"Error <x> & ") + wchar_t(0xDC81) + L"\x01é";
    failed.outcome.errorLines = {failed.outcome.firstError};
    const std::string xml = JUnitReport({failed}, L"kinoha-make");
    EXPECT_NE(xml.find("message=\"Error &lt;x&gt; &amp; ??\xc3\xa9\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("name=\"a&quot;b.vbp\""), std::string::npos);
    const std::string json = JsonReport({failed}, L"C:\\VB6.EXE");
    EXPECT_NE(json.find("\"firstError\": \"Error <x> & ?\\u0001\xc3\xa9\""), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"path\": \"a\\\"b.vbp\""), std::string::npos);
}

TEST(QuotedProgram, TheProgramPartIsQuotedAndArgumentsStayAfterIt) {
    test::TempDir dir;
    const std::wstring vb = dir / L"Program Files\\VB98\\VB6.EXE";
    test::WriteFile(vb, "");
    EXPECT_EQ(QuotedProgram(vb), L"\"" + vb + L"\"");
    EXPECT_EQ(QuotedProgram(vb + L" /nologo x"), L"\"" + vb + L"\" /nologo x");
    EXPECT_EQ(QuotedProgram(L"\"" + vb + L"\" /q"), L"\"" + vb + L"\" /q");
    EXPECT_EQ(QuotedProgram(dir / L"missing.exe"), dir / L"missing.exe");
}

}  // namespace
}  // namespace kinoha
