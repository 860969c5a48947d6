#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "app/globals.h"
#include "catalogue/background_catalogue.h"
#include "catalogue/catalogue.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

using namespace std::chrono_literals;

// The user-interface thread's side: the worker's "ready" wakes the test, which hands over.
class BackgroundBuild : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        ResetMenus();
        gPrjDir = dir_.path();
    }
    void TearDown() override {
        BackgroundCatalogue::SetStepDelayForTesting(0ms);
        ResetGlobals();
        ResetMenus();
    }
    void WaitReady() {
        std::unique_lock lock(mutex_);
        ASSERT_TRUE(cv_.wait_for(lock, 20s, [&] { return ready_ > 0; }));
        --ready_;
    }
    bool ReadyWithin(std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, wait, [&] { return ready_ > 0; });
    }
    std::vector<std::wstring> Shown() const {
        std::vector<std::wstring> tags;
        for (const auto& entry : mnuTSK) {
            if (entry.visible) tags.push_back(entry.tag);
        }
        return tags;
    }
    std::wstring AddProject(const std::wstring& relative) {
        const std::wstring path = dir_ / relative;
        test::WriteFile(path, "ExeName32=\"p.exe\"\r\n");
        return path;
    }

    test::TempDir dir_;
    std::mutex mutex_;
    std::condition_variable cv_;
    int ready_ = 0;
    BackgroundCatalogue worker_{[this] {
        std::lock_guard lock(mutex_);
        ++ready_;
        cv_.notify_all();
    }};
};

TEST_F(BackgroundBuild, SearchesOnAWorkerAndHandsOverWholeWithoutInterleaving) {
    const auto a = AddProject(L"a\\a.vbp");
    worker_.Request(true);
    WaitReady();
    EXPECT_TRUE(Shown().empty());  // nothing changes before the hand-over
    worker_.HandOver();
    EXPECT_EQ(Shown(), std::vector<std::wstring>{a});
    EXPECT_FALSE(worker_.Busy());
    EXPECT_EQ(SearchStateCaption(), L"");

    // A slow search: the old catalogue stays while it runs, and the builds asked for meanwhile
    // wait for its hand-over, then run as one build that searches again.
    const auto b = AddProject(L"b\\b.vbp");
    BackgroundCatalogue::SetStepDelayForTesting(100ms);
    const auto generation = gMenuGeneration;
    worker_.Request(true);
    EXPECT_EQ(SearchStateCaption(), L"検索中…");
    gFileNamesOnly = true;
    worker_.Request(false);
    const auto c = AddProject(L"c\\c.vbp");
    worker_.Request(true);
    worker_.HandOver();  // nothing has finished: no effect
    EXPECT_EQ(Shown(), std::vector<std::wstring>{a});
    EXPECT_EQ(gMenuGeneration, generation);
    BackgroundCatalogue::SetStepDelayForTesting(0ms);
    WaitReady();
    worker_.HandOver();
    EXPECT_EQ(gMenuGeneration, generation + 1);
    EXPECT_TRUE(worker_.Busy());  // the queued build started only now
    EXPECT_EQ(SearchStateCaption(), L"検索中…");
    WaitReady();
    worker_.HandOver();
    EXPECT_EQ(gMenuGeneration, generation + 2);
    EXPECT_EQ(Shown(), (std::vector<std::wstring>{a, b, c}));
    EXPECT_EQ(mnuTSK[2].caption, L"c.vbp");
    EXPECT_FALSE(ReadyWithin(200ms));  // one queued build, not two
    EXPECT_FALSE(worker_.Busy());
}

TEST_F(BackgroundBuild, AVanishedDirectoryKeepsTheOldCatalogueUntilASearchSucceeds) {
    const auto a = AddProject(L"a\\a.vbp");
    worker_.Request(true);
    WaitReady();
    worker_.HandOver();
    const std::wstring kept = gPrjDir;
    gPrjDir = dir_ / L"gone";  // a network drop, seen as a missing directory
    test::MakeDirectory(gPrjDir);
    BackgroundCatalogue::SetStepDelayForTesting(300ms);  // gone before the walk ends
    worker_.Request(true);
    test::RemoveTree(gPrjDir);
    WaitReady();
    worker_.HandOver();
    EXPECT_EQ(Shown(), std::vector<std::wstring>{a});
    EXPECT_EQ(lstPrj.Count(), 1u);
    EXPECT_EQ(SearchStateCaption(), L"検索失敗：プロジェクトのディレクトリが見つかりません");

    gPrjDir = kept;
    BackgroundCatalogue::SetStepDelayForTesting(0ms);
    worker_.Request(true);
    WaitReady();
    worker_.HandOver();
    EXPECT_EQ(SearchStateCaption(), L"");
    EXPECT_EQ(Shown(), std::vector<std::wstring>{a});
}

}  // namespace
}  // namespace kinoha
