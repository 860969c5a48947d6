#include <gtest/gtest.h>

#include "app/launch.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

TEST(PlanShellOpen, WorkingDirectoryFollowsThePathsForm) {
    const std::wstring prog = L"C:\\A\\B\\C";
    auto t = PlanShellOpen(L"readme.txt", prog);
    EXPECT_EQ(t.file, L"readme.txt");
    EXPECT_EQ(t.directory, prog);

    t = PlanShellOpen(L"..\\..\\doc\\a.txt", prog);
    EXPECT_EQ(t.file, L"C:\\A\\doc\\a.txt");
    EXPECT_EQ(t.directory, L"C:\\A\\doc");

    t = PlanShellOpen(L"C:\\a.txt", prog);
    EXPECT_EQ(t.file, L"C:\\a.txt");
    EXPECT_EQ(t.directory, L"C:");

    t = PlanShellOpen(L"D:\\src\\app\\app_Step.csv", prog);
    EXPECT_EQ(t.directory, L"D:\\src\\app");
}

TEST(PlanShellOpen, RelativeCasesTheRulesLeaveOpenStayUsable) {
    // No folder between the "..\" run and the name: the base folder itself.
    auto t = PlanShellOpen(L"..\\a.txt", L"C:\\A\\B");
    EXPECT_EQ(t.file, L"C:\\A\\a.txt");
    EXPECT_EQ(t.directory, L"C:\\A");
    // More "..\" than folders: cutting stops at the drive.
    t = PlanShellOpen(L"..\\..\\..\\x\\a.txt", L"C:\\A");
    EXPECT_EQ(t.file, L"C:\\x\\a.txt");
    EXPECT_EQ(t.directory, L"C:\\x");
    // A drive root as the program's directory.
    t = PlanShellOpen(L"..\\x\\a.txt", L"C:\\");
    EXPECT_EQ(t.file, L"C:\\x\\a.txt");
}

TEST(LaunchFile, ACommandLineWhoseProgramIsMissingStartsNothing) {
    test::TempDir dir;
    std::int16_t result = -1;
    LaunchFile(nullptr, dir / L"Tools\\app.exe -x", result);
    EXPECT_EQ(result, 2);
    // The whole text is the path of a document that is not there.
    result = -1;
    LaunchFile(nullptr, dir / L"Tools\\APP.Exe -x", result);
    EXPECT_EQ(result, 2);
}

TEST(LaunchFile, AMissingDocumentIsNotStarted) {
    test::TempDir dir;
    std::int16_t result = -1;
    LaunchFile(nullptr, dir / L"none.hlp", result);
    EXPECT_EQ(result, 2);
}

TEST(RunAndWait, AMissingProgramStartsNothing) {
    test::TempDir dir;
    EXPECT_FALSE(RunAndWait(dir / L"VB98\\VB6.EXE /make \"x.vbp\""));
}

}  // namespace
}  // namespace kinoha
