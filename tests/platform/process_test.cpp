#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::platform {
namespace {

TEST(SplitCommandLine, TheProgramPartFollowsWindowsRules) {
    test::TempDir dir;
    const std::wstring program = dir / L"Microsoft Visual Studio\\VB98\\VB6.EXE";
    test::WriteFile(program, "");
    // Unquoted with blanks: the shortest blank-separated prefix that names a file.
    auto parts = SplitCommandLine(program + L" /make \"C:\\my src\\a.vbp\" /outdir \"C:\\out\"");
    EXPECT_EQ(parts.program, program);
    EXPECT_EQ(parts.arguments,
              (std::vector<std::wstring>{L"/make", L"C:\\my src\\a.vbp", L"/outdir", L"C:\\out"}));

    parts = SplitCommandLine(L"\"C:\\a b\\x.exe\" one");
    EXPECT_EQ(parts.program, L"C:\\a b\\x.exe");
    EXPECT_EQ(parts.arguments, std::vector<std::wstring>{L"one"});

    // Nothing exists: the text up to the first blank.
    parts = SplitCommandLine(L"C:\\no such\\x.exe a");
    EXPECT_EQ(parts.program, L"C:\\no");
    EXPECT_EQ(parts.arguments, (std::vector<std::wstring>{L"such\\x.exe", L"a"}));
}

TEST(SplitCommandLine, ArgumentsSplitAsTheCRuntimeSplitsThem) {
    const auto parts = SplitCommandLine(L"p a\\\\\"b c\" d\\\"e \"\"  \"f\"\"g\"");
    EXPECT_EQ(parts.arguments, (std::vector<std::wstring>{L"a\\b c", L"d\"e", L"", L"f\"g"}));
}

#ifdef _WIN32
const std::wstring kShell = L"cmd.exe /c ";
std::wstring WriteLater(const std::wstring& file) {
    return kShell + L"\"ping -n 2 127.0.0.1 >NUL & echo done> \"" + file + L"\"\"";
}
#else
const std::wstring kShell = L"/bin/sh -c ";
std::wstring WriteLater(const std::wstring& file) {
    return kShell + L"\"sleep 0.3; echo done > '" + file + L"'\"";
}
#endif

TEST(RunCommandLineAndWait, ReturnsOnlyWhenTheProcessHasEnded) {
    test::TempDir dir;
#ifdef _WIN32
    const std::wstring marker = dir / L"done.txt";
#else
    const std::wstring marker = dir.path() + L"/done.txt";  // the shell takes no "\"
#endif
    ASSERT_TRUE(RunCommandLineAndWait(WriteLater(marker)));
    EXPECT_TRUE(test::PathExists(marker));
}

TEST(RunCommandLineAndWait, AProgramEndingWithTheStillActiveCodeIsSeenToEnd) {
    // 259 is what a polling wait would mistake for "still running".
    EXPECT_TRUE(RunCommandLineAndWait(kShell + L"\"exit 259\""));
}

TEST(RunCommandLineAndWait, NothingStartedIsFalse) {
    test::TempDir dir;
    EXPECT_FALSE(RunCommandLineAndWait(dir / L"missing.exe"));
    EXPECT_FALSE(StartCommandLine(dir / L"missing.exe"));
}

// A run past its limit is ended with what it started; the child gets the run's variables; a
// program that cannot start says why.
TEST(RunSupervised, ATimeLimitEndsTheRunAndTheEnvironmentReachesIt) {
    SupervisedRun how;
    how.timeLimit = std::chrono::milliseconds(300);
#ifdef _WIN32
    const std::wstring forever = kShell + L"\"ping -n 60 127.0.0.1 >NUL & ping -n 60 127.0.0.1\"";
    const std::wstring checksVariable =
        kShell + L"\"if \"%KINOHA_PROBE%\"==\"RunAsInvoker\" (exit 0) else (exit 7)\"";
#else
    const std::wstring forever = kShell + L"\"sleep 60 & sleep 60\"";
    const std::wstring checksVariable = kShell + L"\"test x$KINOHA_PROBE = xRunAsInvoker\"";
#endif
    const auto start = std::chrono::steady_clock::now();
    const SupervisedEnd ended = RunSupervised(forever, how);
    EXPECT_EQ(ended.how, SupervisedEnd::How::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));

    how.timeLimit = {};
    how.environment = {{L"KINOHA_PROBE", L"RunAsInvoker"}};
    const SupervisedEnd checked = RunSupervised(checksVariable, how);
    EXPECT_EQ(checked.how, SupervisedEnd::How::Exited);
    EXPECT_EQ(checked.exitCode, 0u);

    test::TempDir dir;
    const SupervisedEnd missing = RunSupervised(dir / L"missing.exe", {});
    EXPECT_EQ(missing.how, SupervisedEnd::How::NotStarted);
    EXPECT_NE(missing.error, 0u);
    EXPECT_FALSE(missing.errorText.empty());
}

}  // namespace
}  // namespace kinoha::platform
