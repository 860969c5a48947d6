#include <gtest/gtest.h>

#include "app/globals.h"
#include "step/step_fixtures.h"
#include "step/step_projects.h"

namespace kinoha {
namespace {

TEST(StepProjects, GroupsAreSplitAndExclusionsApplyToRowsOnly) {
    ResetGlobals();
    test::TempDir dir;
    for (const wchar_t* p :
         {L"A\\A.vbp", L"old\\Old.vbp", L"src\\golden.vbp", L"Sales.vbgroup\\S.vbp"})
        test::WriteAnsiFile(dir / p, L"Type=Exe\n");
    const std::wstring a = dir / L"A\\A.vbp", old = dir / L"old\\Old.vbp";
    // A group is known by its file name, not by a folder that says ".vbg".
    const std::wstring sales = dir / L"Sales.vbgroup\\S.vbp";
    // The start-up project first; a missing or empty member is skipped.
    test::WriteAnsiFile(dir / L"G.VBG",
                        L"VBGROUP 5.0\nStartupProject=old\\Old.vbp\nProject=A\\A.vbp\n"
                        L"Project=Gone\\Gone.vbp\nProject=\n");
    test::WriteAnsiFile(dir / L"old\\OldGroup.vbg", L"Project=..\\A\\A.vbp\n");
    for (const auto& row : {a, old, dir / L"src\\golden.vbp", dir / L"G.VBG",
                            dir / L"old\\OldGroup.vbg", dir / L"Missing.vbg", sales})
        lstPrj.Add(row);

    // "old" hides old\ and golden; the group G is kept, and brings Old.vbp in; the group
    // inside old\ is not expanded.
    lstJyogai = {L"old"};
    std::vector<std::wstring> lstData{L"stale"};
    FillStepProjectList(lstData);
    std::vector<std::wstring> want;
    for (const auto& row : lstPrj) {
        if (row == a || row == sales) want.push_back(row);
        if (row == dir / L"G.VBG") want.insert(want.end(), {old, a});
    }
    EXPECT_EQ(lstData, want);

    lstJyogai = {L"OLD"};  // case-sensitive: hides nothing
    FillStepProjectList(lstData);
    EXPECT_EQ(lstData.size(), 7u);
    lstJyogai = {L""};  // an empty string is in every path
    FillStepProjectList(lstData);
    EXPECT_TRUE(lstData.empty());
    ResetGlobals();
}

}  // namespace
}  // namespace kinoha
