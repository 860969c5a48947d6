#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/globals.h"
#include "cli/exit_codes.h"
#include "cli/make_tool.h"
#include "compile/vb_location.h"
#include "support/fake_vb.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

bool Has(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

class MakeToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        test::SetEnvironment("KINOHA_MAKE_MEMORY", test::Utf8(logs / L"make-memory.txt"));
        for (const wchar_t* name : {L"A", L"B", L"C"}) {
            test::WriteFile(dir / (std::wstring(name) + L"\\" + name + L".vbp"),
                            "Type=Exe\r\nExeName32=\"" + test::Utf8(name) + ".exe\"\r\n");
        }
        test::WriteFile(vb, "");
    }

    struct Run {
        int status = -1;
        std::wstring out, err;
        std::string bytes;
    };
    Run Make(std::vector<std::wstring> args) {
        Run r;
        ToolStreams streams;
        streams.out = [&](const std::wstring& t) { return r.out += t, !outFails; };
        streams.err = [&](const std::wstring& t) { return r.err += t, true; };
        streams.bytesOut = [&](std::string_view b) { return r.bytes += b, true; };
        if (asciiConsole)
            streams.shows = [](const std::wstring& t) {
                return std::all_of(t.begin(), t.end(), [](wchar_t c) { return c < 0x80; });
            };
        r.status = RunMakeTool(
            args, streams, [this](const std::wstring& line, const platform::SupervisedRun& how) {
                return fake(line, how);
            });
        return r;
    }

    void TearDown() override { test::SetEnvironment("KINOHA_MAKE_MEMORY", ""); }

    bool outFails = false;      // standard output cannot be written (a full disk, closed)
    bool asciiConsole = false;  // a console whose code page has no Japanese
    test::TempDir dir;
    test::TempDir logs;
    const std::wstring vb = dir / L"VB 98\\VB6.EXE";
    test::FakeVb fake;
};

TEST_F(MakeToolTest, StopsAtTheFirstFailureUnlessToldToKeepGoingAndReportsEveryEntry) {
    fake.modes[L"B.vbp"] = {true, 1, true,
                            "Compile Error in File 'B.bas', Line 3 : Sub or Function not defined"
                            "\x1b]0;title\x07\r\nBuild of 'B.exe' failed.\r\n",
                            false};
    const std::wstring junit = dir / L"out\\junit.xml";
    Run r = Make(
        {L"--vb", vb, L"--log-dir", logs.path(), L"--junit", junit, L"--json", L"-", dir.path()});
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_EQ(fake.commands.size(), 2u);  // C is not compiled
    // With "--json -" standard output holds the JSON alone; the lines go to standard error.
    EXPECT_EQ(r.out, L"");
    EXPECT_TRUE(Has(r.err, L"ok       ")) << test::Utf8(r.err);
    EXPECT_TRUE(Has(r.err, L"FAILED   "));
    EXPECT_TRUE(Has(r.err, L"\n         Compile Error in File 'B.bas', Line 3 : Sub or Function"));
    // VB's line reaches the terminal with its control characters escaped.
    EXPECT_TRUE(Has(r.err, L"not defined\\x1B]0;title\\x07\n")) << test::Utf8(r.err);
    EXPECT_TRUE(Has(r.err, L"1 built, 1 failed, 1 not run"));
    const std::string xml = test::ReadFile(junit);
    EXPECT_NE(xml.find("tests=\"3\" failures=\"1\" errors=\"0\" skipped=\"1\""), std::string::npos);
    EXPECT_NE(xml.find("<failure message=\"Compile Error in File 'B.bas', Line 3"),
              std::string::npos);
    EXPECT_NE(r.bytes.find("\"result\": \"failed\""), std::string::npos);
    EXPECT_NE(r.bytes.find("\"notRun\": 1"), std::string::npos);
    // Start and end of each compile (UTC); none for the entry left out.
    EXPECT_NE(r.bytes.find("\"start\": \"20"), std::string::npos);
    EXPECT_NE(r.bytes.find("\"start\": null, \"end\": null"), std::string::npos);

    fake.commands.clear();
    r = Make({L"--keep-going", L"--vb", vb, L"--log-dir", logs.path(), dir.path()});
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_EQ(fake.commands.size(), 3u);
    EXPECT_TRUE(Has(r.out, L"2 built, 1 failed in "));

    fake.modes.clear();
    r = Make({L"--vb", vb, L"--log-dir", logs.path(), L"--exclude", L"\\C\\", dir.path()});
    EXPECT_EQ(r.status, kMakeBuilt);
    EXPECT_TRUE(Has(r.out, L"2 built, 0 failed in "));
}

// What a real VB does beyond its verdict lines: a dialog box, a hang, a log in other words;
// constants for /d, a missing output folder, the start without elevation.
TEST_F(MakeToolTest, DialogsTimeLimitsForeignLogsDefinesAndOutputFolders) {
    using How = platform::SupervisedEnd::How;
    fake.modes[L"A.vbp"] = {true,
                            0,
                            true,
                            "",
                            false,
                            How::Dialog,
                            {L"Errors during load. Refer to 'C:\\a\\frmMain.log' for details."}};
    fake.modes[L"B.vbp"] = {true, 0, true, "", false, How::TimedOut};
    // A VB in another language: exit 0, output written, no line this reading knows.
    fake.modes[L"C.vbp"] = {true, 0, true, "Compilacion de 'C.exe' correcta.\r\n", true};
    test::WriteFile(dir / L"C\\C.vbp",
                    "Type=Exe\r\nExeName32=\"C.exe\"\r\nPath32=\"new\\bin\"\r\n");
    Run r = Make({L"--vb", vb, L"--log-dir", logs.path(), L"--keep-going", L"--timeout", L"1",
                  L"--define", L"VBIDE=0", L"--define", L"modRegistry=-1", L"--json", L"-",
                  dir.path()});
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_TRUE(Has(r.err, L"ＶＢがダイアログを表示しました：Errors during load."))
        << test::Utf8(r.err);
    EXPECT_TRUE(Has(r.err, L"時間切れ（1秒）"));
    EXPECT_TRUE(Has(r.err, L"1 built, 2 failed"));
    EXPECT_NE(r.bytes.find("\"code\": \"dialog\""), std::string::npos);
    EXPECT_NE(r.bytes.find("\"code\": \"timeout\""), std::string::npos);
    EXPECT_NE(r.bytes.find("\"reasonCode\": \"no-output\""), std::string::npos);
    ASSERT_EQ(fake.commands.size(), 3u);
    EXPECT_TRUE(Has(fake.commands[2], L" /d VBIDE=0:modRegistry=-1"));
    EXPECT_TRUE(test::PathExists(dir / L"C\\new\\bin"));  // made before VB ran
    EXPECT_EQ(fake.lastRun.timeLimit, std::chrono::seconds(1));
    EXPECT_TRUE(fake.lastRun.endOnDialog);
    EXPECT_EQ(
        fake.lastRun.environment,
        (std::vector<std::pair<std::wstring, std::wstring>>{{L"__COMPAT_LAYER", L"RunAsInvoker"}}));
    // Nothing can add a switch to VB's command line.
    for (const wchar_t* bad : {L"A=\"1\"", L"A = 1", L"A=1:B=2", L"A=/x", L"1A=1", L"A=1.5"})
        EXPECT_EQ(Make({L"--vb", vb, L"--define", bad, dir.path()}).status, kMakeUsage) << bad;
    // On a console without Japanese each reason's code stands in front of it.
    asciiConsole = true;
    r = Make({L"--vb", vb, L"--log-dir", logs.path(), L"--keep-going", L"--timeout", L"1",
              L"--changed", dir.path()});
    EXPECT_TRUE(Has(r.out, L"\n         [dialog] ＶＢがダイアログ")) << test::Utf8(r.out);
    EXPECT_TRUE(Has(r.out, L"\n         [timeout] 時間切れ"));
    EXPECT_TRUE(Has(r.out, L"  ([no-output] 出力"));
}

TEST_F(MakeToolTest, UsageErrorsAndAMissingVbAreStatusTwo) {
    test::SetEnvironment("KINOHA_VB", "");
    // No --vb, no KINOHA_VB and no VB6 in the registry.
    Run r = Make({dir.path()});
    EXPECT_EQ(r.status, kMakeUsage);
    EXPECT_TRUE(Has(r.err, L"--vb")) << test::Utf8(r.err);
    EXPECT_EQ(Make({L"--vb", dir / L"none.exe", dir.path()}).status, kMakeUsage);
    EXPECT_EQ(Make({L"--vb", vb, dir / L"missing"}).status, kMakeUsage);
    EXPECT_EQ(Make({L"--vb", vb, L"--frobnicate", dir.path()}).status, kMakeUsage);
    EXPECT_EQ(Make({L"--vb", vb, L""}).status, kMakeUsage);
    EXPECT_EQ(Make({L"--vb", vb, L"--log-dir", L"x\" /y \"", dir.path()}).status, kMakeUsage);
    for (const wchar_t* jobs : {L"-1", L"x", L"2.5"})
        EXPECT_EQ(Make({L"--vb", vb, L"-j", jobs, dir.path()}).status, kMakeUsage) << jobs;
    EXPECT_EQ(Make({L"--vb", vb, dir.path(), L"--jobs"}).status, kMakeUsage);
    r = Make({L"--dry-run", L"--jobs", L"99999", dir.path()});
    EXPECT_EQ(r.status, kMakeBuilt);
    EXPECT_TRUE(Has(r.err, L"at most 64 compiles run at once"));
    EXPECT_TRUE(Has(r.out, L"schedule (64 at once)"));
    outFails = true;  // built, but nobody could be told: a failure
    r = Make({L"--vb", vb, L"--log-dir", logs.path(), dir / L"A\\A.vbp"});
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_TRUE(Has(r.err, L"standard output cannot be written"));
    outFails = false;
    test::SetEnvironment("KINOHA_VB", test::Utf8(vb));
    EXPECT_EQ(Make({L"--log-dir", logs.path(), dir / L"A\\A.vbp"}).status, kMakeBuilt);
    test::SetEnvironment("KINOHA_VB", "");
    EXPECT_TRUE(fake.commands.back().rfind(L"\"" + vb + L"\" /make ", 0) == 0);
}

TEST_F(MakeToolTest, OrdersByReferencesDryRunsWithoutVbAndCompilesOnlyWhatChanged) {
    // A uses C's output: C goes before it, B keeps its place.
    test::WriteFile(
        dir / L"A\\A.vbp",
        "Type=Exe\r\nReference=*\\G{1}#1.0#0#..\\C\\C.exe#C\r\nExeName32=\"A.exe\"\r\n");
    test::SetEnvironment("KINOHA_VB", "");
    const auto shown = [&](const wchar_t* p) { return platform::DisplayPath(dir / p); };
    Run r = Make({L"--dry-run", dir.path()});
    EXPECT_EQ(r.status, kMakeBuilt) << test::Utf8(r.err);
    EXPECT_TRUE(fake.commands.empty());
    EXPECT_TRUE(Has(r.out, L"1. out of date  " + shown(L"B\\B.vbp") + L"  出力なし\n"))
        << test::Utf8(r.out);
    EXPECT_TRUE(Has(r.out, L"3. out of date  " + shown(L"A\\A.vbp") + L"  出力なし  (after " +
                               shown(L"C\\C.vbp") + L")\n"));
    EXPECT_TRUE(Has(r.out, L"3 out of date, 0 up to date (dry run"));
    // Its reports are those of the plan (every entry not run, with its reason), and an entry
    // named three ways is one entry.
    const std::wstring xml = dir / L"dry.xml";
    r = Make({L"--dry-run", L"--junit", xml, L"--json", L"-", dir / L"B\\B.vbp",
              dir / L"B\\..\\B\\b.vbp", dir.path()});
    EXPECT_EQ(r.status, kMakeBuilt) << test::Utf8(r.err);
    EXPECT_TRUE(Has(r.err, L"2 repeats of entries already listed were skipped"))
        << test::Utf8(r.err);
    EXPECT_NE(test::ReadFile(xml).find("tests=\"3\" failures=\"0\" errors=\"0\" skipped=\"3\""),
              std::string::npos);
    EXPECT_NE(r.bytes.find("\"reason\": \"dry run: "), std::string::npos) << r.bytes;
    // A report path that is one of the inputs is refused before anything is written.
    const std::string before = test::ReadFile(dir / L"A\\A.vbp");
    r = Make({L"--dry-run", L"--junit", dir / L"A\\A.vbp", dir / L"A\\A.vbp"});
    EXPECT_EQ(r.status, kMakeUsage);
    EXPECT_TRUE(Has(r.err, L"the report would replace an input file"));
    EXPECT_EQ(test::ReadFile(dir / L"A\\A.vbp"), before);
    // With jobs, the schedule: C (A waits on it) and B together (never built: 1 s each), then A.
    r = Make({L"--dry-run", L"-j", L"2", dir.path()});
    EXPECT_TRUE(Has(r.out, L"schedule (2 at once):\n  wave 1 at 0.0 s:\n    [1] " +
                               shown(L"C\\C.vbp") + L"  1.0 s\n    [2] " + shown(L"B\\B.vbp")))
        << test::Utf8(r.out);
    EXPECT_TRUE(Has(r.out, L"  wave 2 at 1.0 s:\n    [1] " + shown(L"A\\A.vbp")));
    EXPECT_TRUE(Has(r.out, L"expected 2.0 s (compiles 3.0 s"));

    const auto compiled = [&] {
        std::wstring names;
        for (const auto& c : fake.commands) names += c.substr(c.find(L".vbp") - 1, 1);
        fake.commands.clear();
        return names;
    };
    const std::vector<std::wstring> changed = {L"--vb",     vb,           L"--log-dir",
                                               logs.path(), L"--changed", dir.path()};
    EXPECT_EQ(Make(changed).status, kMakeBuilt);
    EXPECT_EQ(compiled(), L"BCA");
    // C's project file changed (a real edit: a file VB only touched or wrote back is not one):
    // C and A, which uses it, are compiled; B is up to date.
    test::WriteFile(dir / L"C\\C.vbp", test::ReadFile(dir / L"C\\C.vbp") + "Title=\"C\"\r\n");
    for (const wchar_t* p : {L"A\\A.vbp", L"B\\B.vbp", L"C\\C.vbp"})
        test::SetModifiedAgo(dir / p, 100);
    for (const wchar_t* p : {L"A\\A.exe", L"B\\B.exe", L"C\\C.exe"})
        test::SetModifiedAgo(dir / p, 50);
    test::SetModifiedAgo(dir / L"C\\C.vbp", 10);
    r = Make(changed);
    EXPECT_EQ(compiled(), L"CA");
    EXPECT_TRUE(Has(r.out, L"up to date  " + shown(L"B\\B.vbp") + L"\n")) << test::Utf8(r.out);
    EXPECT_TRUE(Has(r.out, L"(更新：" + shown(L"C\\C.vbp") + L")\n")) << test::Utf8(r.out);
    EXPECT_TRUE(Has(r.out, L"2 built, 0 failed, 1 up to date in "));

    // C failing leaves A not run, which fails the run; a cycle compiles nothing.
    fake.modes[L"C.vbp"] = {true, 1, true, "Build of 'C.exe' failed.\r\n", false};
    r = Make({L"--keep-going", L"--vb", vb, L"--log-dir", logs.path(), dir.path()});
    EXPECT_EQ(compiled(), L"BC");
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_TRUE(
        Has(r.out, L"1 built, 1 failed, 1 not run (a project they reference was not built)"));
    test::WriteFile(dir / L"C\\C.vbp",
                    "Type=Exe\r\nObject={2}#1.0#0; a.EXE\r\nExeName32=\"C.exe\"\r\n");
    r = Make({L"--vb", vb, dir.path()});
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_EQ(compiled(), L"");
    EXPECT_TRUE(Has(r.err, L"A.vbp → C.vbp → A.vbp")) << test::Utf8(r.err);
}

// A registry that holds one key with one value.
class OneValueRegistry final : public platform::RegistryReader {
  public:
    std::wstring key, value;
    bool OpenKey(const std::wstring& subKey) override { return open_ = subKey == key; }
    bool QueryValue(const std::wstring& name, std::uint32_t& type, std::uint32_t& size,
                    std::string& buffer) override {
        if (!open_ || name != L"ProductDir") return false;
        const std::string data = platform::EncodeAnsi(value) + '\0';
        type = platform::kRegSz;
        size = static_cast<std::uint32_t>(data.size());
        if (!buffer.empty()) buffer.replace(0, data.size(), data);
        return true;
    }
    void CloseKey() override { open_ = false; }

  private:
    bool open_ = false;
};

TEST(RegisteredVb6, TheProductFolderOfEitherRegistryViewWhenItHoldsVb6) {
    test::TempDir dir;
    OneValueRegistry registry;
    registry.key = L"SOFTWARE\\Microsoft\\VisualStudio\\6.0\\Setup\\Microsoft Visual Basic";
    registry.value = dir / L"VB98\\";
    EXPECT_EQ(RegisteredVb6(registry), L"");  // no VB6.EXE there
    test::WriteFile(dir / L"VB98\\VB6.EXE", "");
    EXPECT_EQ(RegisteredVb6(registry), dir / L"VB98\\VB6.EXE");
    registry.key =
        L"SOFTWARE\\WOW6432Node\\Microsoft\\VisualStudio\\6.0\\Setup\\Microsoft Visual "
        L"Basic";
    EXPECT_EQ(RegisteredVb6(registry), dir / L"VB98\\VB6.EXE");
}

}  // namespace
}  // namespace kinoha
