#include <gtest/gtest.h>

#include "app/globals.h"
#include "catalogue/catalogue.h"
#include "catalogue/group_file.h"
#include "cli/step_tool.h"
#include "step/step_fixtures.h"
#include "step/step_projects.h"

namespace kinoha {
namespace {

#ifdef _WIN32
// Only Windows paths of the test folder start with a drive letter.
// The one reading of a group file serves the executable menu, the step count window's list and
// kinoha-step: a member the group names by an absolute path is seen by all three.
TEST(GroupFile, AMemberNamedByAnAbsolutePathIsSeenByTheMenuTheStepListAndKinohaStep) {
    ResetGlobals();
    ResetMenus();
    test::TempDir dir;
    // Outside the project directory: only the group brings it in.
    const std::wstring project = dir / L"elsewhere\\A.vbp";
    test::WriteAnsiFile(dir / L"elsewhere\\MA.bas", L"Attribute VB_Name = \"MA\"\nx = 1\n");
    test::WriteAnsiFile(project, L"Type=Exe\nModule=MA; MA.bas\nExeName32=\"A.exe\"\n");
    const std::wstring group = dir / L"prj\\G.vbg";
    test::WriteAnsiFile(group, L"VBGROUP 5.0\nStartupProject=" + project + L"\n");
    EXPECT_EQ(GroupProjects(group), std::vector<std::wstring>{project});

    gPrjDir = dir / L"prj";
    BuildCatalogue(true);
    EXPECT_EQ(lstExe, std::vector<std::wstring>{dir / L"elsewhere\\A.exe"});
    EXPECT_TRUE(mnuEXE[0].visible);
    EXPECT_EQ(mnuEXE[0].tag, dir / L"elsewhere\\A.exe");

    std::vector<std::wstring> lstData;
    FillStepProjectList(lstData);
    EXPECT_EQ(lstData, std::vector<std::wstring>{project});

    std::wstring out, err;
    const int status = RunStepTool(
        {group}, [&](const std::wstring& t) { out += t; },
        [&](const std::wstring& t) { err += t; });
    EXPECT_EQ(status, 0) << test::Utf8(err);
    EXPECT_NE(out.find(L"members 1, screen 0, code 1"), std::wstring::npos) << test::Utf8(out);
    EXPECT_TRUE(test::PathExists(dir / L"elsewhere\\A_Step.csv"));
    ResetGlobals();
    ResetMenus();
}
#endif

}  // namespace
}  // namespace kinoha
