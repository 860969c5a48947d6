#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/case_fold.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::platform {
namespace {

std::vector<std::wstring> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::wstring> names;
    for (const auto& e : entries) {
        if (e.name != L"." && e.name != L"..") names.push_back(e.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Pattern, MatchesAsWindowsDoes) {
    EXPECT_TRUE(MatchesPattern(L"App.VBP", L"*.vbp"));
    EXPECT_TRUE(MatchesPattern(L"ａｂ.vbp", L"ＡＢ.VBP"));  // full-width letters fold too
    EXPECT_FALSE(MatchesPattern(L"app.vbproj", L"*.vbp"));
    EXPECT_FALSE(MatchesPattern(L"app.vb", L"*.vbp"));
    EXPECT_TRUE(MatchesPattern(L"vb6.exe", L"vb?.exe"));
    EXPECT_FALSE(MatchesPattern(L"vb.exe", L"vb?.exe"));
    EXPECT_TRUE(MatchesPattern(L"noextension", L"*.*"));
    EXPECT_TRUE(MatchesPattern(L"a.b.vbg", L"*.vbg"));
}

TEST(Files, FindEntriesListsByPatternWithFlags) {
    test::TempDir dir;
    test::WriteFile(dir / L"a.vbp", "x");
    test::WriteFile(dir / L"B.VBP", "x");
    test::WriteFile(dir / L"c.frm", "x");
    test::MakeDirectory(dir / L"old.vbp");
    std::vector<DirEntry> entries;
    ASSERT_TRUE(FindEntries(dir.path(), L"*.vbp", entries));
    EXPECT_EQ(Names(entries), (std::vector<std::wstring>{L"B.VBP", L"a.vbp", L"old.vbp"}));
    for (const auto& e : entries) {
        EXPECT_EQ(e.isDirectory, e.name == L"old.vbp") << e.name.size();
        EXPECT_EQ(e.isOrdinaryFile, e.name != L"old.vbp");
    }
    EXPECT_FALSE(FindEntries(dir.path(), L"*.vbg", entries));
    EXPECT_FALSE(FindEntries(dir / L"missing", L"*.*", entries));
}

TEST(Files, LookupFileFindsOrdinaryFilesOnly) {
    test::TempDir dir;
    test::WriteFile(dir / L"tool.exe", "MZ");
    test::MakeDirectory(dir / L"folder");
    EXPECT_TRUE(LookupFile(dir / L"tool.exe"));
    EXPECT_TRUE(LookupFile(dir / L"t??l.*"));
    EXPECT_FALSE(LookupFile(dir / L"folder"));
    EXPECT_FALSE(LookupFile(dir / L"none.exe"));
    EXPECT_FALSE(LookupFile(dir / L"folder\\"));
    EXPECT_FALSE(LookupFile(L""));
}

TEST(Files, ReplaceFileAtomicallyKeepsTheOldFileOnEveryFailure) {
    test::TempDir dir;
    const std::wstring path = dir / L"report.csv";
    test::WriteFile(path, "old content");
    for (int step = 1; step <= 4; ++step) {
        SetWriteFaultForTesting(step);
        EXPECT_FALSE(ReplaceFileAtomically(path, "new")) << "step " << step;
        SetWriteFaultForTesting(0);
        EXPECT_EQ(test::ReadFile(path), "old content") << "step " << step;
    }
    std::vector<DirEntry> entries;
    FindEntries(dir.path(), L"*", entries);
    EXPECT_EQ(Names(entries), std::vector<std::wstring>{L"report.csv"}) << "no temporary left";
    ASSERT_TRUE(ReplaceFileAtomically(path, "new"));
    EXPECT_EQ(test::ReadFile(path), "new");
}

TEST(Files, ReplaceFileAtomicallyRefusesAReadOnlyFile) {
    test::TempDir dir;
    const std::wstring path = dir / L"locked.csv";
    test::WriteFile(path, "keep");
    test::SetReadOnly(path, true);
    EXPECT_FALSE(ReplaceFileAtomically(path, "new"));
    test::SetReadOnly(path, false);
    EXPECT_EQ(test::ReadFile(path), "keep");
    EXPECT_FALSE(ReplaceFileAtomically(dir / L"no\\such\\folder.csv", "x"));
}

TEST(Files, AReplaceRemovesTheStaleTemporariesOfItsTarget) {
    test::TempDir dir;
    const std::wstring target = dir / L"Sales_Step.csv";
    test::WriteFile(target, "old");
    // Left by killed writes a while ago, by one still writing, and look-alikes that are not ours.
    const std::vector<std::wstring> stale = {L".Sales_Step.csv.kinoha-4242-0.tmp",
                                             L".Sales_Step.csv.kinoha-17-12.tmp"};
    const std::vector<std::wstring> kept = {
        L".Sales_Step.csv.kinoha-4243-0.tmp", L".Sales_Step.csv.kinoha-x-1.tmp",
        L".Other_Step.csv.kinoha-1-1.tmp", L"Sales_Step.csv.kinoha-1-1.tmp"};
    for (const auto& name : stale) test::WriteFile(dir / name, "partial");
    for (const auto& name : kept) test::WriteFile(dir / name, "keep");
    for (const auto& name : stale) test::SetModifiedAgo(dir / name, 120);
    for (std::size_t i = 1; i < kept.size(); ++i) test::SetModifiedAgo(dir / kept[i], 120);

    ASSERT_TRUE(ReplaceFileAtomically(target, "new"));
    EXPECT_EQ(test::ReadFile(target), "new");
    for (const auto& name : stale) EXPECT_FALSE(test::PathExists(dir / name)) << test::Utf8(name);
    for (const auto& name : kept) EXPECT_TRUE(test::PathExists(dir / name)) << test::Utf8(name);
}

TEST(Files, ModifiedTimeAndIdentity) {
    test::TempDir dir;
    test::WriteFile(dir / L"a.bas", "x");
    LocalDateTime t;
    ASSERT_TRUE(FileModifiedLocal(dir / L"a.bas", t));
    EXPECT_GE(t.year, 2020);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12 && t.hour >= 0 && t.hour <= 23);
    EXPECT_FALSE(FileModifiedLocal(dir / L"none.bas", t));

    test::MakeDirectory(dir / L"x");
    std::string a, b, c;
    ASSERT_TRUE(DirectoryIdentity(dir / L"x", a));
    ASSERT_TRUE(DirectoryIdentity(dir / L"x\\..\\x", b));
    ASSERT_TRUE(DirectoryIdentity(dir.path(), c));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(Files, CanCreateFileInAndEnsureDirectory) {
    test::TempDir dir;
    EXPECT_TRUE(CanCreateFileIn(dir.path()));
    EXPECT_FALSE(CanCreateFileIn(dir / L"missing"));
    EXPECT_TRUE(EnsureDirectory(dir / L"a\\b\\c"));
    EXPECT_TRUE(test::PathExists(dir / L"a\\b\\c"));
    EXPECT_TRUE(CanCreateFileIn(dir / L"a\\b\\c"));
}

#ifndef _WIN32
TEST(PosixFiles, AReplaceKeepsOnlyThePermissionBitsOfTheOldFile) {
    test::TempDir dir;
    const std::wstring report = dir / L"App_Step.csv";
    test::WriteFile(report, "planted");
    ASSERT_EQ(chmod(test::Utf8(dir.path() + L"/App_Step.csv").c_str(), 06777), 0);
    ASSERT_TRUE(ReplaceFileAtomically(report, "new"));
    struct stat st;
    ASSERT_EQ(stat(test::Utf8(dir.path() + L"/App_Step.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0777u);  // no set-user-ID, set-group-ID or sticky bit
}

TEST(PosixPaths, WindowsPathsResolveIgnoringLetterCase) {
    test::TempDir dir;
    test::WriteFile(dir / L"Forms\\BlackLight.frm", "VERSION 5.00\r\n");
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(dir / L"forms\\Blacklight.frm", bytes));
    EXPECT_EQ(bytes, "VERSION 5.00\r\n");
    EXPECT_TRUE(LookupFile(dir / L"FORMS\\BLACKLIGHT.FRM"));
    // A new file in an existing folder of another case lands in that folder.
    ASSERT_TRUE(ReplaceFileAtomically(dir / L"forms\\new.csv", "n"));
    EXPECT_EQ(test::ReadFile(dir / L"Forms\\new.csv"), "n");
}
#endif

}  // namespace
}  // namespace kinoha::platform
