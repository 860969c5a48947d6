#include <gtest/gtest.h>

#include "app/globals.h"
#include "step/step_fixtures.h"
#include "step/step_projects.h"

namespace kinoha {
namespace {

class StepProjectsTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
    std::wstring Make(const std::wstring& relative) {
        test::WriteAnsiFile(dir / relative, L"Type=Exe\n");
        return dir / relative;
    }
    test::TempDir dir;
};

TEST_F(StepProjectsTest, GroupGivesItsExistingProjectsStartupProjectFirst) {
    const std::wstring a = Make(L"A\\A.vbp");
    const std::wstring b = Make(L"B\\B.vbp");
    test::WriteAnsiFile(dir / L"g\\G.vbg",
                        L"VBGROUP 5.0\n"
                        L"StartupProject=..\\A\\A.vbp\n"
                        L"Project=..\\B\\B.vbp\n"
                        L"Project=..\\Gone\\Gone.vbp\n"
                        L"Project=\n");
    std::vector<std::wstring> lstData{L"kept"};
    AddGroupProjects(dir / L"g\\G.vbg", lstData);
    EXPECT_EQ(lstData, (std::vector<std::wstring>{L"kept", a, b}));
    AddGroupProjects(dir / L"g\\Missing.vbg", lstData);
    EXPECT_EQ(lstData.size(), 3u);
}

TEST_F(StepProjectsTest, WindowListAppliesExclusionsAndSplitsGroups) {
    const std::wstring a = Make(L"A\\A.vbp");
    const std::wstring old = Make(L"old\\Old.vbp");
    const std::wstring golden = Make(L"src\\golden.vbp");
    test::WriteAnsiFile(dir / L"G.VBG", L"Project=old\\Old.vbp\nProject=A\\A.vbp\n");
    test::WriteAnsiFile(dir / L"old\\OldGroup.vbg", L"Project=..\\A\\A.vbp\n");
    for (const auto& row : {a, old, golden, dir / L"G.VBG", dir / L"old\\OldGroup.vbg"})
        lstPrj.Add(row);
    lstJyogai = {L"old"};
    std::vector<std::wstring> lstData{L"stale"};
    FillStepProjectList(lstData);
    // "old" hides old\ and golden (substring); the group G is not excluded, so its member in
    // old\ comes in through it; the group in old\ is not expanded. A appears twice.
    std::vector<std::wstring> want;
    for (const auto& row : lstPrj) {
        if (row == a) want.push_back(a);
        if (row == dir / L"G.VBG") want.insert(want.end(), {old, a});
    }
    EXPECT_EQ(lstData, want);

    lstJyogai = {L"OLD"};  // case-sensitive: hides nothing
    FillStepProjectList(lstData);
    EXPECT_EQ(lstData.size(), 3u + 2u + 1u);
    lstJyogai = {L""};  // an empty string is in every path
    FillStepProjectList(lstData);
    EXPECT_TRUE(lstData.empty());
}

}  // namespace
}  // namespace kinoha
