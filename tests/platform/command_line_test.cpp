#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::platform {
namespace {

TEST(AbsolutePath, RelativePathsStartAtTheCurrentDirectoryAndLoseDotSteps) {
    test::TempDir dir;
    test::WriteFile(dir / L"sub\\在庫.vbp", "x");
    const std::wstring before = CurrentDirectory();
    ASSERT_TRUE(ChangeCurrentDirectory(dir / L"sub"));
    const std::wstring full = AbsolutePath(L"../sub/./在庫.vbp");
    ChangeCurrentDirectory(before);
    EXPECT_TRUE(LookupFile(full)) << DisplayPath(full);
    // The logic's form: "\" separators, no "." or ".." left.
    EXPECT_EQ(full.find(L'/'), std::wstring::npos);
    EXPECT_EQ(full.find(L"\\.."), std::wstring::npos);
    EXPECT_EQ(full.substr(full.size() - 11), L"\\sub\\在庫.vbp");
    EXPECT_EQ(AbsolutePath(full), full);
}

TEST(AnsiKeepsAscii, HoldsForShiftJisUtf8AndSingleByteCodePages) {
    for (const char* name : {"CP932", "UTF-8", "CP1252"}) {
        ASSERT_TRUE(SelectAnsiCodePage(name)) << name;
        EXPECT_TRUE(AnsiKeepsAscii()) << name;
    }
    SelectAnsiCodePage("");
}

#ifndef _WIN32
TEST(CommandLineArguments, Utf8ArgumentsBecomeTextAfterTheProgramName) {
    std::string a0 = "prog", a1 = "--exclude", a2 = "\xE5\x9C\xA8\xE5\xBA\xAB";
    char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
    EXPECT_EQ(CommandLineArguments(3, argv), (std::vector<std::wstring>{L"--exclude", L"在庫"}));
    EXPECT_EQ(DisplayPath(L"\\tmp\\a\\b.vbp"), L"/tmp/a/b.vbp");
    EXPECT_EQ(TerminalText(L"在庫"), a2);
}
#endif

}  // namespace
}  // namespace kinoha::platform
