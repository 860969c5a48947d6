#include <gtest/gtest.h>

#include <cstdio>

#include "app/globals.h"
#include "catalogue/catalogue.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        ResetMenus();
        gPrjDir = dir_.path();
    }
    void TearDown() override {
        platform::SetEventPumpForTesting({});
        ResetGlobals();
        ResetMenus();
    }
    // A project compiling to `exe` in its own folder.
    std::wstring AddProject(const std::wstring& relative, const std::string& exe) {
        const std::wstring path = dir_ / relative;
        test::WriteFile(path, "Type=Exe\r\nExeName32=\"" + exe + "\"\r\n");
        return path;
    }
    static std::vector<std::wstring> VisibleTags(const MenuArray& menu) {
        std::vector<std::wstring> tags;
        for (const auto& entry : menu) {
            if (entry.visible) tags.push_back(entry.tag);
        }
        return tags;
    }
    test::TempDir dir_;
};

std::wstring Number(int i) {
    wchar_t buf[8];
    std::swprintf(buf, 8, L"%03d", i);
    return buf;
}

TEST_F(Catalogue, TheFirstHundredProjectsInSortedOrderAndTheRestCounted) {
    // Mixed letter case: the order must ignore it.
    std::vector<std::wstring> expected, expectedExes;
    for (int i = 119; i >= 0; --i) {
        const std::wstring folder = (i % 2 ? L"Proj" : L"proj") + Number(i);
        AddProject(folder + L"\\p.vbp", "p.exe");
    }
    for (int i = 0; i < 120; ++i) {
        const std::wstring folder = (i % 2 ? L"Proj" : L"proj") + Number(i);
        expected.push_back(dir_ / (folder + L"\\p.vbp"));
        expectedExes.push_back(dir_ / (folder + L"\\p.exe"));
    }
    BuildCatalogue(true);
    EXPECT_EQ(lstPrj.Count(), 120u);
    EXPECT_EQ(VisibleTags(mnuTSK),
              std::vector<std::wstring>(expected.begin(), expected.begin() + 100));
    EXPECT_EQ(mnuTSK[99].caption, expected[99]);
    // Every project is read, so no executable is out of reach of the quick-open window.
    EXPECT_EQ(lstExe, expectedExes);
    EXPECT_EQ(VisibleTags(mnuEXE),
              std::vector<std::wstring>(expectedExes.begin(), expectedExes.begin() + 100));
    EXPECT_EQ(gMoreProjects, 20u);
    EXPECT_EQ(gMoreExes, 20u);
    EXPECT_EQ(MoreEntriesCaption(gMoreProjects), L"その他（20 件）…");

    // Exclusions take projects out of the count as well.
    lstJyogai = {L"proj11"};
    BuildCatalogue(false);
    EXPECT_EQ(gMoreProjects, 15u);  // the five even ones of 110 to 119 are excluded
    lstJyogai = {L"proj"};
    BuildCatalogue(false);
    EXPECT_EQ(gMoreProjects, 0u);
}

TEST_F(Catalogue, ExecutablesBeyondTheHundredthGetNoEntry) {
    std::string group = "VBGROUP 5.0\r\n";
    for (int i = 0; i < 105; ++i) {
        const std::wstring name = L"m" + Number(i);
        AddProject(L"members\\" + name + L".vbp", platform::EncodeAnsi(name) + ".exe");
        group += "Project=members\\" + platform::EncodeAnsi(name) + ".vbp\r\n";
    }
    test::WriteFile(dir_ / L"all.vbg", group);
    lstJyogai = {L"members"};
    BuildCatalogue(true);
    EXPECT_EQ(VisibleTags(mnuTSK), std::vector<std::wstring>{dir_ / L"all.vbg"});
    ASSERT_EQ(lstExe.size(), 105u);
    EXPECT_EQ(lstExe[104], dir_ / L"members\\m104.exe");
    EXPECT_EQ(VisibleTags(mnuEXE), std::vector<std::wstring>(lstExe.begin(), lstExe.begin() + 100));
}

TEST_F(Catalogue, ExclusionsAreExactSubstringsOfTheFullPath) {
    const auto a = AddProject(L"src\\old\\a.vbp", "a.exe");
    const auto b = AddProject(L"src\\bold\\b.vbp", "b.exe");
    const auto c = AddProject(L"src\\new\\c.vbp", "c.exe");
    lstJyogai = {L"zzz", L"old"};
    BuildCatalogue(true);
    EXPECT_EQ(VisibleTags(mnuTSK), std::vector<std::wstring>{c});
    EXPECT_EQ(lstExe, std::vector<std::wstring>{dir_ / L"src\\new\\c.exe"});

    lstJyogai = {L"OLD"};
    BuildCatalogue(false);
    EXPECT_EQ(VisibleTags(mnuTSK), (std::vector<std::wstring>{b, c, a}));

    // An empty entry hides every project; executable entry 0 stays with what it showed.
    lstJyogai = {L"x", L""};
    BuildCatalogue(false);
    EXPECT_TRUE(VisibleTags(mnuTSK).empty());
    EXPECT_TRUE(lstExe.empty());
    EXPECT_EQ(VisibleTags(mnuEXE), std::vector<std::wstring>{dir_ / L"src\\bold\\b.exe"});
    EXPECT_TRUE(mnuEXE[0].pictured);
}

TEST_F(Catalogue, GroupsGiveExecutablesButNoEntriesForTheirMembers) {
    AddProject(L"a\\a.vbp", "A.exe");
    AddProject(L"b\\b.vbp", "B.exe");
    const auto group = dir_ / L"grp\\g.vbg";
    test::WriteFile(group,
                    "VBGROUP 5.0\r\nStartupProject=..\\a\\a.vbp\r\nProject=..\\b\\b.vbp\r\n");
    // Kinds come from the file's own name: a project in a folder named "x.vbg" is a project
    // (the folder is no group), and a DLL built into a folder named "out.exe" no executable.
    const auto inVbgFolder = AddProject(L"x.vbg\\p.vbp", "P.exe");
    test::WriteFile(dir_ / L"lib\\d.vbp",
                    "Type=OleDll\r\nExeName32=\"D.dll\"\r\nPath32=\"out.exe\"\r\n");
    lstJyogai = {L"\\b\\"};
    BuildCatalogue(true);
    // The member a.vbp is also found by the search: its executable comes twice.
    EXPECT_EQ(VisibleTags(mnuTSK), (std::vector<std::wstring>{dir_ / L"a\\a.vbp", group,
                                                              dir_ / L"lib\\d.vbp", inVbgFolder}));
    EXPECT_EQ(lstExe, (std::vector<std::wstring>{dir_ / L"a\\A.exe", dir_ / L"a\\A.exe",
                                                 dir_ / L"b\\B.exe", dir_ / L"x.vbg\\P.exe"}));
}

TEST_F(Catalogue, CaptionsAndPictureWidths) {
    const auto app = dir_ / L"src\\app\\app.vbp";
    test::WriteFile(app, "Path32=\"..\\bin\"\r\nExeName32=\"App.exe\"\r\n");
    test::WriteFile(dir_ / L"zen\\z.vbp",
                    "ExeName32=\"" + platform::EncodeAnsi(L"全角.exe") + "\"\r\n");
    test::WriteFile(dir_ / L"zen\\h.vbp", "ExeName32=\"ab.exe\"\r\n");
    gFileNamesOnly = true;
    BuildCatalogue(true);
    EXPECT_EQ(mnuTSK[0].caption, L"app.vbp");
    EXPECT_EQ(mnuTSK[0].tag, app);
    ASSERT_EQ(VisibleTags(mnuEXE).size(), 3u);
    EXPECT_EQ(mnuEXE[0].text, L"App.exe");
    EXPECT_EQ(mnuEXE[0].tag, dir_ / L"src\\bin\\App.exe");
    EXPECT_EQ(mnuEXE[0].bitmapWidth, 72);
    EXPECT_EQ(mnuEXE[0].caption, L"mnuEXE00");  // the item's own caption is never set
    // Two full-width characters in place of two half-width ones: 12 pixels more each.
    EXPECT_EQ(mnuEXE[1].text, L"ab.exe");
    EXPECT_EQ(mnuEXE[2].text, L"全角.exe");
    EXPECT_EQ(mnuEXE[2].bitmapWidth, mnuEXE[1].bitmapWidth + 12);

    gFileNamesOnly = false;
    BuildCatalogue(false);
    EXPECT_EQ(mnuTSK[0].caption, app);
    EXPECT_EQ(mnuEXE[0].text, mnuEXE[0].tag);
    EXPECT_EQ(mnuEXE[0].bitmapWidth, 30 + 6 * static_cast<int>(mnuEXE[0].tag.size()));
}

TEST_F(Catalogue, PictureWidthStaysWithinSixteenBits) {
    EXPECT_EQ(ExePictureWidth(0), 30);
    EXPECT_EQ(ExePictureWidth(5456), 32766);
    EXPECT_EQ(ExePictureWidth(5457), 32767);
    EXPECT_EQ(ExePictureWidth(100000), 32767);
}

TEST_F(Catalogue, ExecutableMenuBeforeAnyExecutableAndAfterShrinking) {
    BuildCatalogue(true);  // an empty project directory
    EXPECT_TRUE(mnuEXE[0].visible);
    EXPECT_EQ(mnuEXE[0].caption, L"mnuEXE00");
    EXPECT_EQ(mnuEXE[0].tag, L"");
    EXPECT_FALSE(mnuEXE[0].pictured);
    EXPECT_EQ(mnuTSK[5].caption, L"mnuTSK5");

    AddProject(L"a\\a.vbp", "a.exe");
    AddProject(L"b\\b.vbp", "b.exe");
    BuildCatalogue(true);
    EXPECT_EQ(VisibleTags(mnuEXE).size(), 2u);
    lstJyogai = {L"\\b\\"};
    BuildCatalogue(false);
    EXPECT_EQ(VisibleTags(mnuEXE), std::vector<std::wstring>{dir_ / L"a\\a.exe"});
    EXPECT_FALSE(mnuEXE[1].pictured);
    EXPECT_EQ(mnuEXE[1].bitmapWidth, 20);
}

TEST_F(Catalogue, WithoutProjectDirectoryOnlyTheProjectMenuIsHidden) {
    AddProject(L"a\\a.vbp", "a.exe");
    BuildCatalogue(true);
    const MenuArray exeBefore = mnuEXE;
    gPrjDir.clear();
    const auto generation = gMenuGeneration;
    BuildCatalogue(true);
    EXPECT_GT(gMenuGeneration, generation);
    EXPECT_TRUE(VisibleTags(mnuTSK).empty());
    EXPECT_TRUE(lstExe.empty());
    EXPECT_EQ(lstPrj.Count(), 1u);
    EXPECT_EQ(VisibleTags(mnuEXE), VisibleTags(exeBefore));
    EXPECT_EQ(mnuEXE[0].text, exeBefore[0].text);
}

TEST_F(Catalogue, OnlyASearchingBuildSeesNewFiles) {
    AddProject(L"a\\a.vbp", "a.exe");
    BuildCatalogue(true);
    const auto added = AddProject(L"b\\b.vbp", "b.exe");
    BuildCatalogue(false);
    EXPECT_EQ(VisibleTags(mnuTSK).size(), 1u);
    BuildCatalogue(true);
    EXPECT_EQ(VisibleTags(mnuTSK).back(), added);
}

}  // namespace
}  // namespace kinoha
