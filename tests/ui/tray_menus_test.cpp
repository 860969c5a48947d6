// The Win32 side of the tray menus, on the real menu and shell services (under Wine in CI).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/globals.h"
#include "catalogue/catalogue.h"
#include "support/test_files.h"
#include "tray/win32/exe_menu_pictures.h"
#include "tray/win32/tray_menus.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

std::wstring ThisProgram() {
    wchar_t buf[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, buf, MAX_PATH * 4);
    return buf;
}

int RedPixels(HDC dc, int size) {
    int red = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60) ++red;
        }
    }
    return red;
}

TEST(ExeMenuPictures, AnExistingExecutableGetsItsIconAMissingOneTheQuestionMark) {
    test::TempDir dir;
    ExeMenuPictures pictures;
    // On a host other than the project directory's, the executable is not looked at.
    pictures.Load({ThisProgram(), dir / L"bin\\NotYet.exe", L"\\\\elsewhere\\share\\App.exe"},
                  L"\\\\fileserver\\src", 96);
    EXPECT_EQ(pictures.Size(), 16);
    EXPECT_TRUE(pictures.HasIcon(0));
    EXPECT_FALSE(pictures.HasIcon(1));
    EXPECT_FALSE(pictures.HasIcon(2));

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT box{0, 0, 16, 16};
    SetTextColor(dc, RGB(0, 0, 255));
    pictures.Draw(1, dc, box);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));  // the menu's own text colour is kept
    EXPECT_GT(RedPixels(dc, 16), 5);              // a red question mark
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));  // on black
    const RECT all{0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    pictures.Draw(2, dc, box);
    EXPECT_EQ(RedPixels(dc, 16), 0);  // no question mark: a grey frame
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_GRAYTEXT));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST(ExeMenuPictures, TheSizeFollowsTheDpi) {
    ExeMenuPictures pictures;
    pictures.Load({ThisProgram()}, L"", 144);
    EXPECT_EQ(pictures.Size(), ui::MetricForDpi(SM_CXSMICON, 144));
    EXPECT_TRUE(pictures.HasIcon(0));
}

class TrayMenus : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        ResetMenus();
    }
    void TearDown() override {
        ResetGlobals();
        ResetMenus();
    }
    test::TempDir dir_;
};

std::wstring ItemText(HMENU menu, int position) {
    wchar_t buf[512] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), buf, 512, MF_BYPOSITION);
    return buf;
}

TEST_F(TrayMenus, WithoutProjectsTheMainMenuIsTheCommandsAndTheExeMenuItsFirstEntry) {
    HMENU main = MakeMainMenu(true);
    ASSERT_EQ(GetMenuItemCount(main), 16);
    EXPECT_EQ(GetMenuItemID(main, 0), 0u);  // the separator comes first
    EXPECT_EQ(ItemText(main, 1), L"クイックオープン\tCtrl+Alt+K");
    EXPECT_EQ(ItemText(main, 2), L"再検索");
    EXPECT_EQ(ItemText(main, 3), L"Windows 起動時に起動");
    EXPECT_NE(GetMenuState(main, kStartup, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(ItemText(main, 5), L"プロジェクトのディレクトリ指定");
    EXPECT_EQ(ItemText(main, 15), L"終了");
    EXPECT_EQ(GetMenuState(main, kFile, MF_BYCOMMAND) & MF_CHECKED, 0u);
    DestroyMenu(main);

    // While a search runs, and after one failed, a disabled first entry says so.
    gSearching = true;
    main = MakeMainMenu();
    EXPECT_EQ(ItemText(main, 0), L"検索中…");
    EXPECT_NE(GetMenuState(main, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    DestroyMenu(main);
    gSearching = false;
    gSearchFailure = L"プロジェクトのディレクトリが見つかりません";
    main = MakeMainMenu();
    EXPECT_EQ(ItemText(main, 0), L"検索失敗：プロジェクトのディレクトリが見つかりません");
    EXPECT_NE(GetMenuState(main, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    DestroyMenu(main);

    HMENU exe = MakeExeMenu();
    ASSERT_EQ(GetMenuItemCount(exe), 1);
    EXPECT_EQ(ItemText(exe, 0), L"mnuEXE00");
    DestroyMenu(exe);
}

TEST_F(TrayMenus, MoreThanAHundredProjectsEndEachMenuWithTheOverflowEntry) {
    for (int i = 0; i < 120; ++i) {
        const std::wstring name = L"p" + std::to_wstring(1000 + i);
        test::WriteFile(dir_ / (name + L"\\" + name + L".vbp"),
                        "Type=Exe\r\nExeName32=\"" + test::Utf8(name) + ".exe\"\r\n");
    }
    gPrjDir = dir_.path();
    gFileNamesOnly = true;
    BuildCatalogue(true);

    HMENU main = MakeMainMenu();
    ASSERT_EQ(GetMenuItemCount(main), 100 + 1 + 16);
    EXPECT_EQ(ItemText(main, 0), L"p1000.vbp");
    EXPECT_EQ(ItemText(main, 99), L"p1099.vbp");
    EXPECT_EQ(ItemText(main, 100), L"その他（20 件）…");
    EXPECT_EQ(GetMenuItemID(main, 100), static_cast<UINT>(kMore));
    EXPECT_NE(GetMenuState(main, kFile, MF_BYCOMMAND) & MF_CHECKED, 0u);
    DestroyMenu(main);

    HMENU exe = MakeExeMenu();
    ASSERT_EQ(GetMenuItemCount(exe), 101);
    EXPECT_EQ(ItemText(exe, 0), L"p1000.exe");
    EXPECT_EQ(ItemText(exe, 100), L"その他（20 件）…");
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(exe, 99, TRUE, &item));
    EXPECT_EQ(item.wID, kExeBase + 99u);
    EXPECT_EQ(item.hbmpItem, HBMMENU_CALLBACK);  // the picture is drawn by the tray window
    DestroyMenu(exe);
}

}  // namespace
}  // namespace kinoha::ui
