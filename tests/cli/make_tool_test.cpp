#include <gtest/gtest.h>

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
        r.status = RunMakeTool(
            args, [&](const std::wstring& t) { r.out += t; },
            [&](const std::wstring& t) { r.err += t; }, [&](std::string_view b) { r.bytes += b; },
            [this](const std::wstring& line) { return fake(line); });
        return r;
    }

    test::TempDir dir;
    test::TempDir logs;
    const std::wstring vb = dir / L"VB 98\\VB6.EXE";
    test::FakeVb fake;
};

TEST_F(MakeToolTest, StopsAtTheFirstFailureUnlessToldToKeepGoingAndReportsEveryEntry) {
    fake.modes[L"B.vbp"] = {true, 1, true,
                            "Compile Error in File 'B.bas', Line 3 : Sub or Function not defined"
                            "\r\nBuild of 'B.exe' failed.\r\n",
                            false};
    const std::wstring junit = dir / L"out\\junit.xml";
    Run r = Make(
        {L"--vb", vb, L"--log-dir", logs.path(), L"--junit", junit, L"--json", L"-", dir.path()});
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_EQ(fake.commands.size(), 2u);  // C is not compiled
    EXPECT_TRUE(Has(r.out, L"ok       ")) << test::Utf8(r.out);
    EXPECT_TRUE(Has(r.out, L"FAILED   "));
    EXPECT_TRUE(Has(r.out, L"\n         Compile Error in File 'B.bas', Line 3 : Sub or Function"));
    EXPECT_TRUE(Has(r.out, L"1 built, 1 failed, 1 not run"));
    const std::string xml = test::ReadFile(junit);
    EXPECT_NE(xml.find("tests=\"3\" failures=\"1\" errors=\"0\" skipped=\"1\""), std::string::npos);
    EXPECT_NE(xml.find("<failure message=\"Compile Error in File 'B.bas', Line 3"),
              std::string::npos);
    EXPECT_NE(r.bytes.find("\"result\": \"failed\""), std::string::npos);
    EXPECT_NE(r.bytes.find("\"notRun\": 1"), std::string::npos);

    fake.commands.clear();
    r = Make({L"--keep-going", L"--vb", vb, L"--log-dir", logs.path(), dir.path()});
    EXPECT_EQ(r.status, kMakeFailed);
    EXPECT_EQ(fake.commands.size(), 3u);
    EXPECT_TRUE(Has(r.out, L"2 built, 1 failed\n"));

    fake.modes.clear();
    r = Make({L"--vb", vb, L"--log-dir", logs.path(), L"--exclude", L"\\C\\", dir.path()});
    EXPECT_EQ(r.status, kMakeBuilt);
    EXPECT_TRUE(Has(r.out, L"2 built, 0 failed\n"));
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
    test::SetEnvironment("KINOHA_VB", test::Utf8(vb));
    EXPECT_EQ(Make({L"--log-dir", logs.path(), dir / L"A\\A.vbp"}).status, kMakeBuilt);
    test::SetEnvironment("KINOHA_VB", "");
    EXPECT_TRUE(fake.commands.back().rfind(L"\"" + vb + L"\" /make ", 0) == 0);
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
