// The exclusion editor and the version window as real windows (under Wine in CI): their
// controls, what closing does, and the Close command that the version window lacks.
#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/globals.h"
#include "catalogue/menu_model.h"
#include "info/version_text.h"
#include "info/win32/browser_host.h"
#include "info/win32/system_menu.h"
#include "support/test_files.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

std::wstring Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<std::wstring> ChildTexts(HWND parent, const wchar_t* className) {
    std::vector<std::wstring> texts;
    for (HWND c = FindWindowExW(parent, nullptr, className, nullptr); c != nullptr;
         c = FindWindowExW(parent, c, className, nullptr)) {
        texts.push_back(Text(c));
    }
    return texts;
}

int CountWindows(const wchar_t* className) {
    int n = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, className, nullptr)) {
        ++n;
    }
    return n;
}

HWND PlainWindow(DWORD style) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KinohaTestPlain";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(0, L"KinohaTestPlain", L"plain", style, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// The window's system menu cut to the items up to its Close command (Wine adds more after it).
HMENU MenuEndingInClose(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    int count = GetMenuItemCount(menu);
    while (count > 0 && GetMenuItemID(menu, count - 1) != SC_CLOSE) {
        DeleteMenu(menu, static_cast<UINT>(--count), MF_BYPOSITION);
    }
    return menu;
}

TEST(RemoveCloseMenu, TheStandardMenuKeepsItsFirstFiveItems) {
    HWND window = PlainWindow(WS_OVERLAPPEDWINDOW);
    HMENU menu = MenuEndingInClose(window);
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    std::vector<UINT> before;
    for (int i = 0; i < 5; ++i) before.push_back(GetMenuItemID(menu, i));
    EXPECT_TRUE(CloseMenuPresent(window));

    RemoveCloseMenu(window);
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(GetMenuItemID(menu, i), before[i]) << i;
    EXPECT_FALSE(CloseMenuPresent(window));

    RemoveCloseMenu(window);  // nothing more to take
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    DestroyWindow(window);
}

TEST(RemoveCloseMenu, AShortMenuLosesItsCloseCommandAndNothingElse) {
    HWND window = PlainWindow(WS_OVERLAPPEDWINDOW);
    HMENU menu = MenuEndingInClose(window);
    // A menu like a dialog's: Move, separator, Close.
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    RemoveCloseMenu(window);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(SC_MOVE));
    DestroyWindow(window);
}

TEST(RemoveCloseMenu, TheSystemsOwnMenuLosesItsCloseCommand) {
    HWND window = PlainWindow(WS_OVERLAPPEDWINDOW);
    const int count = GetMenuItemCount(GetSystemMenu(window, FALSE));
    RemoveCloseMenu(window);
    HMENU menu = GetSystemMenu(window, FALSE);
    EXPECT_EQ(GetMenuItemCount(menu), count - 2);
    EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    DestroyWindow(window);
}

TEST(HomePageHost, AnUnknownAutomationObjectIsNotCreated) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Win32HomePageHost host(L"Kinoha.NoSuchObject");
    EXPECT_EQ(host.CreateBrowser(), nullptr);
    CoUninitialize();
}

TEST(VersionWindowUi, ShowsTheBlockAndTheLinkAndOnlyOkClosesIt) {
    ShowVersionWindow(nullptr);
    HWND window = FindWindowW(L"KinohaVersion", nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Text(window), L"Kinoha バージョン情報 VB6用");
    std::vector<std::wstring> statics = ChildTexts(window, L"STATIC");
    std::sort(statics.begin(), statics.end());
    EXPECT_EQ(statics, (std::vector<std::wstring>{VersionBlockText(), kHomePageAddress}));
    // No taskbar button: neither an unowned window nor one that asks for it.
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    ShowVersionWindow(nullptr);
    EXPECT_EQ(CountWindows(L"KinohaVersion"), 1);

    HWND ok = FindWindowExW(window, nullptr, L"BUTTON", L"OK");
    ASSERT_NE(ok, nullptr);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok), BN_CLICKED),
                 reinterpret_cast<LPARAM>(ok));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(CountWindows(L"KinohaVersion"), 0);
}

class ExclusionEditorUi : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        ResetMenus();
    }
    void TearDown() override {
        if (HWND w = FindWindowW(L"KinohaJyogai", nullptr)) DestroyWindow(w);
        ResetGlobals();
        ResetMenus();
    }
    static void Click(HWND window, HWND control, WORD code) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    }
    test::TempDir dir_;
};

TEST_F(ExclusionEditorUi, AddDeleteAndCloseReachTheListAndTheMenus) {
    gPrjDir = dir_.path();
    lstPrj.Add(dir_ / L"A\\a.vbp");
    lstPrj.Add(dir_ / L"B\\b.vbp");
    lstJyogai = {L"old", L"zzz"};
    gTop = -300;
    gLeft = 1500;
    ShowExclusionEditor(nullptr);
    HWND window = FindWindowW(L"KinohaJyogai", L"表示除外プロジェクト指定画面");
    ASSERT_NE(window, nullptr);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, TwipsToPixels(1500, WindowDpi(window)));
    EXPECT_EQ(r.top, 0);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, TwipsToPixels(6540, WindowDpi(window)));
    EXPECT_EQ(client.bottom, TwipsToPixels(4140, WindowDpi(window)));

    HWND combo = FindWindowExW(window, nullptr, L"COMBOBOX", nullptr);
    HWND list = FindWindowExW(window, nullptr, L"LISTBOX", nullptr);
    HWND add = FindWindowExW(window, nullptr, L"BUTTON", L"追加");
    HWND del = FindWindowExW(window, nullptr, L"BUTTON", L"削除");
    ASSERT_TRUE(combo && list && add && del);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Text(combo), L"");
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_FALSE(IsWindowEnabled(del));
    EXPECT_NE(GetWindowLongPtrW(list, GWL_STYLE) & LBS_EXTENDEDSEL, 0);

    SetWindowTextW(combo, (L" " + lstPrj[0]).c_str());  // a leading blank is kept
    Click(window, add, BN_CLICKED);
    SetWindowTextW(combo, lstPrj[0].c_str());
    Click(window, add, BN_CLICKED);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(lstJyogai.size(), 2u);  // not before a delete or the close

    SendMessageW(list, LB_SETSEL, TRUE, 0);
    SendMessageW(list, LB_SETSEL, TRUE, 2);
    Click(window, list, LBN_SELCHANGE);
    EXPECT_TRUE(IsWindowEnabled(del));
    Click(window, del, BN_CLICKED);
    EXPECT_FALSE(IsWindowEnabled(del));
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"zzz", lstPrj[0]}));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 0);

    ShowExclusionEditor(nullptr);  // brought forward, not opened twice
    EXPECT_EQ(CountWindows(L"KinohaJyogai"), 1);

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"zzz", lstPrj[0]}));
    ASSERT_TRUE(mnuTSK[0].visible);
    EXPECT_EQ(mnuTSK[0].tag, lstPrj[1]);
    EXPECT_FALSE(mnuTSK[1].visible);
    EXPECT_EQ(lstPrj.Count(), 2u);  // the closing build does not search the disk
}

}  // namespace
}  // namespace kinoha::ui
