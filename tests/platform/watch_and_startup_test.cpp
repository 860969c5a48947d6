#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

using namespace std::chrono_literals;

bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

// Wine 8 reports changes of the watched folder itself only, not of the folders below it.
bool UnderWine() {
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

TEST(DirectoryWatch, SeesProjectsAddedInTheTreeUntilDestroyed) {
    test::TempDir dir;
    test::MakeDirectory(dir / L"a\\b");
    EXPECT_EQ(platform::WatchDirectoryTree(dir / L"missing", [] {}), nullptr);

    std::atomic<int> calls{0};
    auto watch = platform::WatchDirectoryTree(dir.path(), [&] { ++calls; });
    ASSERT_NE(watch, nullptr);
    test::WriteFile(dir / L"top.vbp", "");
    EXPECT_TRUE(Eventually([&] { return calls > 0; }));
    if (!UnderWine()) {
        int before = calls;
        test::WriteFile(dir / L"a\\b\\new.vbp", "");
        EXPECT_TRUE(Eventually([&] { return calls > before; }));
        // A folder made after the watch started is watched too.
        test::MakeDirectory(dir / L"c");
        EXPECT_TRUE(Eventually([&] { return calls > before + 1; }));
        before = calls;
        test::WriteFile(dir / L"c\\later.vbp", "");
        EXPECT_TRUE(Eventually([&] { return calls > before; }));
    }

    watch.reset();
    std::this_thread::sleep_for(100ms);
    const int after = calls;
    test::WriteFile(dir / L"other.vbp", "");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(calls, after);
}

TEST(StartAtLogon, AddsAndRemovesTheEntryForThisProgram) {
#ifndef _WIN32
    test::TempDir config;
    setenv("XDG_CONFIG_HOME", test::Utf8(config.path()).c_str(), 1);
#endif
    const std::wstring program = platform::ProgramPath();
    ASSERT_FALSE(program.empty());
    platform::SetStartsAtLogon(program, false);
    EXPECT_FALSE(platform::StartsAtLogon(program));
    EXPECT_TRUE(platform::SetStartsAtLogon(program, true));
    EXPECT_TRUE(platform::StartsAtLogon(program));
    // An entry for another copy of the program is not this program's.
    EXPECT_FALSE(platform::StartsAtLogon(program + L"x"));
    EXPECT_TRUE(platform::SetStartsAtLogon(program, false));
    EXPECT_FALSE(platform::StartsAtLogon(program));
#ifndef _WIN32
    unsetenv("XDG_CONFIG_HOME");
#endif
}

}  // namespace
}  // namespace kinoha
