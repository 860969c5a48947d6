// The version window and its system menu as real windows (under Wine in CI).
#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "info/version_text.h"
#include "info/win32/browser_host.h"
#include "info/win32/system_menu.h"
#include "ui/program_windows.h"

namespace kinoha::ui {
namespace {

std::wstring Text(HWND window) {
    wchar_t buf[1024] = {};
    GetWindowTextW(window, buf, 1024);
    return buf;
}

// A window whose system menu ends with Close (Wine adds more after it), optionally cut down to
// a dialog's Move, separator, Close.
HMENU MenuEndingInClose(HWND window, bool dialogLike) {
    HMENU menu = GetSystemMenu(window, FALSE);
    for (int n = GetMenuItemCount(menu); n > 0 && GetMenuItemID(menu, n - 1) != SC_CLOSE; --n) {
        DeleteMenu(menu, static_cast<UINT>(n - 1), MF_BYPOSITION);
    }
    if (dialogLike) {
        for (UINT c : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
            DeleteMenu(menu, c, MF_BYCOMMAND);
        }
    }
    return menu;
}

TEST(RemoveCloseMenu, TakesTheCloseCommandAndTheSeparatorAboveIt) {
    HWND window = CreateWindowExW(0, L"STATIC", L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    HMENU menu = MenuEndingInClose(window, false);
    ASSERT_EQ(GetMenuItemCount(menu), 7);  // the standard menu
    const UINT maximize = GetMenuItemID(menu, 4);
    EXPECT_TRUE(CloseMenuPresent(window));
    RemoveCloseMenu(window);
    RemoveCloseMenu(window);  // a second call finds nothing more to take
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    EXPECT_EQ(GetMenuItemID(menu, 4), maximize);
    EXPECT_FALSE(CloseMenuPresent(window));

    GetSystemMenu(window, TRUE);  // back to the standard menu
    menu = MenuEndingInClose(window, true);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    RemoveCloseMenu(window);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_MOVE));
    DestroyWindow(window);
}

TEST(HomePageHost, AnUnknownAutomationObjectIsNotCreated) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(Win32HomePageHost(L"Kinoha.NoSuchObject").CreateBrowser(), nullptr);
    CoUninitialize();
}

TEST(VersionWindowUi, ShowsTheBlockAndTheLinkAndOnlyOkClosesIt) {
    ShowVersionWindow(nullptr);
    ShowVersionWindow(nullptr);  // the same window again
    HWND window = FindWindowW(L"KinohaVersion", nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, window, L"KinohaVersion", nullptr), nullptr);
    EXPECT_EQ(Text(window), L"Kinoha バージョン情報 VB6用");
    std::vector<std::wstring> statics;
    for (HWND c = nullptr; (c = FindWindowExW(window, c, L"STATIC", nullptr)) != nullptr;) {
        statics.push_back(Text(c));
    }
    std::sort(statics.begin(), statics.end());
    EXPECT_EQ(statics, (std::vector<std::wstring>{VersionBlockText(), BuiltHomePageLink().text}));

    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(window));
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace kinoha::ui
