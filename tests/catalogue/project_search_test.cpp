#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/project_search.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

class ProjectSearch : public ::testing::Test {
  protected:
    std::wstring Rel(const std::wstring& full) const { return full.substr(dir_.path().size() + 1); }
    std::vector<std::wstring> Found(const std::wstring& pattern, bool recurse = true) {
        std::vector<std::wstring> list{L"stale"};
        EXPECT_TRUE(SearchFiles(dir_.path(), pattern, recurse, list, true, true));
        for (auto& item : list) item = Rel(item);
        return list;
    }
    test::TempDir dir_;
};

TEST_F(ProjectSearch, PreOrderOwnMatchesFirst) {
    test::WriteFile(dir_ / L"sub\\a.vbp", "");
    test::WriteFile(dir_ / L"sub\\deep\\c.vbp", "");
    test::WriteFile(dir_ / L"top.vbp", "");
    test::WriteFile(dir_ / L"zz\\z.VBP", "");
    test::WriteFile(dir_ / L"sub\\b.frm", "");
    EXPECT_EQ(Found(L"*.vbp"), (std::vector<std::wstring>{L"top.vbp", L"sub\\a.vbp",
                                                          L"sub\\deep\\c.vbp", L"zz\\z.VBP"}));
    EXPECT_EQ(Found(L"*.vbp", false), std::vector<std::wstring>{L"top.vbp"});
}

TEST_F(ProjectSearch, DotDirectoriesAreSkippedAndMatchingDirectoriesEnteredNotListed) {
    test::WriteFile(dir_ / L".svn\\hidden.vbp", "");
    test::WriteFile(dir_ / L".git\\x\\hidden.vbp", "");
    test::MakeDirectory(dir_ / L"old.vbp");
    test::WriteFile(dir_ / L"old.vbp\\inner.vbp", "");
    EXPECT_EQ(Found(L"*.vbp"), (std::vector<std::wstring>{L"old.vbp\\inner.vbp"}));
}

TEST_F(ProjectSearch, MissingDirectoryAndAppendingWithoutClearing) {
    std::vector<std::wstring> list{L"kept"};
    EXPECT_TRUE(SearchFiles(dir_ / L"missing", L"*.vbp", true, list, false, true));
    EXPECT_EQ(list, std::vector<std::wstring>{L"kept"});

    test::WriteFile(dir_ / L"g.vbg", "");
    test::WriteFile(dir_ / L"p.vbp", "");
    ASSERT_TRUE(SearchFiles(dir_.path(), L"*.vbg", true, list, true, true));
    ASSERT_TRUE(SearchFiles(dir_.path(), L"*.vbp", true, list, false, false));
    EXPECT_EQ(list, (std::vector<std::wstring>{dir_ / L"g.vbg", L"p.vbp"}));
}

TEST_F(ProjectSearch, PathRowsAreAFileOrADirectorysGroupsAndProjectsSorted) {
    test::WriteFile(dir_ / L"s\\b.vbp", "");
    test::WriteFile(dir_ / L"a.vbg", "");
    test::WriteFile(dir_ / L"C.vbp", "");
    std::vector<std::wstring> rows;
    EXPECT_TRUE(AddPathRows(dir_.path(), rows));
    EXPECT_TRUE(AddPathRows(dir_ / L"C.vbp", rows));
    EXPECT_FALSE(AddPathRows(dir_ / L"missing", rows));
    EXPECT_EQ(rows, (std::vector<std::wstring>{dir_ / L"a.vbg", dir_ / L"C.vbp", dir_ / L"s\\b.vbp",
                                               dir_ / L"C.vbp"}));
}

TEST_F(ProjectSearch, PumpsEventsWhileSearching) {
    int pumps = 0;
    platform::SetEventPumpForTesting([&] { ++pumps; });
    test::WriteFile(dir_ / L"a\\x.vbp", "");
    test::WriteFile(dir_ / L"b\\y.vbp", "");
    Found(L"*.vbp");
    platform::SetEventPumpForTesting({});
    // Before each of three directories, before two descents, before two matches.
    EXPECT_EQ(pumps, 7);
}

// A symbolic link natively; on Windows a directory symbolic link or a junction; under Wine 8,
// which makes neither, a symbolic link of the host, which Wine shows as a link.
TEST_F(ProjectSearch, EveryDirectoryIsEnteredOnceHoweverManyLinksLeadToIt) {
    test::WriteFile(dir_ / L"a\\b\\p.vbp", "");
    const std::string loop = test::MakeDirectoryLink(dir_ / L"a\\b\\loop", dir_ / L"a");
    if (!loop.empty()) GTEST_SKIP() << "no directory link can be made here: " << loop;
    ASSERT_EQ(test::MakeDirectoryLink(dir_ / L"side", dir_ / L"a\\b"), "");  // a second way in
    std::vector<platform::DirEntry> entries;
    ASSERT_TRUE(platform::FindEntries(dir_ / L"a\\b", L"loop", entries));
    EXPECT_TRUE(entries.at(0).isLink && entries.at(0).isDirectory);
    EXPECT_EQ(Found(L"*.vbp"), std::vector<std::wstring>{L"a\\b\\p.vbp"});
    test::RemoveDirectoryLink(dir_ / L"side");
    test::RemoveDirectoryLink(dir_ / L"a\\b\\loop");
    EXPECT_TRUE(test::PathExists(dir_ / L"a\\b\\p.vbp"));

    // A diamond: each level holds two links to the next, so every level doubles the ways down.
    const std::wstring tree = dir_ / L"tree", levels = dir_ / L"levels";
    const auto level = [&](int i) { return i == 0 ? tree : levels + L"\\L" + std::to_wstring(i); };
    for (int i = 0; i < 4; ++i)
        test::MakeDirectory(level(i));  // targets first: Wine shows no link to nothing
    test::WriteFile(level(4) + L"\\deep.vbp", "");
    for (int i = 0; i < 4; ++i) {
        const std::wstring from = level(i), to = level(i + 1);
        for (const wchar_t* name : {L"\\x", L"\\y"})
            ASSERT_EQ(test::MakeDirectoryLink(from + name, to), "");
    }
    std::vector<std::wstring> list;
    ASSERT_TRUE(SearchFiles(tree, L"*.vbp", true, list, true, true));
    EXPECT_EQ(list, std::vector<std::wstring>{tree + L"\\x\\x\\x\\x\\deep.vbp"});
}

}  // namespace
}  // namespace kinoha
