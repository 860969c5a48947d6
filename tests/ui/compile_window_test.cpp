// The batch compile window on the real window system (under Wine in CI): the list, the tab order,
// the held width and the layout that follows the height, and the geometry at open and close.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/globals.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

class CompileWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override {
        if (HWND w = Window()) {
            SendMessageW(w, WM_CLOSE, 0, 0);
        }
        ResetGlobals();
    }

    static HWND Window() { return FindWindowW(L"KinohaCompile", nullptr); }
    HWND Open() {
        ShowCompileWindow(nullptr);
        HWND w = Window();
        EXPECT_NE(w, nullptr);
        return w;
    }
    static HWND Child(HWND w, const wchar_t* cls, const wchar_t* text) {
        return FindWindowExW(w, nullptr, cls, text);
    }
    // A child's rectangle in the window's client coordinates.
    static RECT Place(HWND w, HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static RECT Outer(HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r;
    }
};

TEST_F(CompileWindowTest, OneWindowWithTheCatalogueMinusTheExclusionsAndTheTabOrder) {
    lstPrj.Add(L"C:\\a\\A.vbp");
    lstPrj.Add(L"C:\\old\\B.vbp");
    lstPrj.Add(L"C:\\g.vbg");
    lstJyogai = {L"old"};
    HWND w = Open();
    ShowCompileWindow(nullptr);  // again: the same window
    EXPECT_EQ(Window(), w);
    EXPECT_EQ(FindWindowExW(nullptr, w, L"KinohaCompile", nullptr), nullptr);

    HWND list = FindWindowExW(w, nullptr, L"LISTBOX", nullptr);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    wchar_t row[64] = {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_STREQ(row, L"C:\\a\\A.vbp");
    SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
    EXPECT_STREQ(row, L"C:\\g.vbg");
    EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 0);

    HWND end = Child(w, L"BUTTON", L"終了");
    HWND make = Child(w, L"BUTTON", L"コンパイル開始");
    HWND stop = Child(w, L"BUTTON", L"コンパイル中止");
    EXPECT_TRUE(IsWindowVisible(make));
    EXPECT_FALSE(IsWindowVisible(stop));
    EXPECT_EQ(GetFocus(), end);
    EXPECT_EQ(GetNextDlgTabItem(w, end, FALSE), list);
    EXPECT_EQ(GetNextDlgTabItem(w, list, FALSE), make);
    // The hidden stop button is skipped; the check box, unticked by the settings, and the
    // constants' and the jobs' fields come last.
    HWND changed = Child(w, L"BUTTON", L"更新分のみコンパイル");
    EXPECT_EQ(GetNextDlgTabItem(w, make, FALSE), changed);
    HWND defines = GetNextDlgTabItem(w, changed, FALSE);
    HWND jobs = GetNextDlgTabItem(w, defines, FALSE);
    EXPECT_NE(jobs, end);
    EXPECT_EQ(GetNextDlgTabItem(w, jobs, FALSE), end);
    EXPECT_NE(Child(w, L"STATIC", L"同時実行数"), nullptr);
    EXPECT_NE(Child(w, L"STATIC", L"条件付きコンパイル引数"), nullptr);
    EXPECT_EQ(SendMessageW(changed, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_NE(Child(w, L"STATIC", L"複数選択可能：\u3000[Shift]＝連続選択\u3000[Ctrl]＝個別選択"),
              nullptr);
}

TEST_F(CompileWindowTest, TheWidthHoldsAndTheControlsFollowTheHeight) {
    HWND w = Open();
    const UINT dpi = WindowDpi(w);
    const RECT before = Outer(w);
    EXPECT_EQ(before.right - before.left, TwipsToPixels(6630, dpi));
    EXPECT_EQ(before.bottom - before.top, TwipsToPixels(4515, dpi));
    HWND list = FindWindowExW(w, nullptr, L"LISTBOX", nullptr);
    HWND end = Child(w, L"BUTTON", L"終了");
    HWND status = FindWindowExW(w, Child(w, L"STATIC", nullptr), L"STATIC", nullptr);
    const RECT list0 = Place(w, list), end0 = Place(w, end), status0 = Place(w, status);

    // 300 twips higher and wider: the width snaps back, the rest moves down by 300 twips.
    const int grow = TwipsToPixels(300, dpi);
    SetWindowPos(w, nullptr, 0, 0, before.right - before.left + 50,
                 before.bottom - before.top + grow, SWP_NOMOVE | SWP_NOZORDER);
    const RECT after = Outer(w);
    EXPECT_EQ(after.right - after.left, TwipsToPixels(6630, dpi));
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + grow);
    const RECT list1 = Place(w, list), end1 = Place(w, end), status1 = Place(w, status);
    EXPECT_NEAR(end1.top - end0.top, grow, 1);
    EXPECT_NEAR(status1.top - status0.top, grow, 1);
    EXPECT_NEAR((list1.bottom - list1.top) - (list0.bottom - list0.top), grow, 1);
    EXPECT_EQ(list1.left, list0.left);
    EXPECT_EQ(end1.left, end0.left);
    // The status line stays inside the client area.
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_LE(status1.bottom, client.bottom);

    // Too low for the list: its height stays, nothing breaks.
    SetWindowPos(w, nullptr, 0, 0, 100, TwipsToPixels(1000, dpi), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Place(w, list).bottom - Place(w, list).top, list1.bottom - list1.top);
}

TEST_F(CompileWindowTest, TheStoredGeometryIsAppliedAndRecordedAtClose) {
    gLeft = 1500;
    gTop = 750;
    gHeight = 6000;
    gWidth = 9000;  // held at 6630
    HWND w = Open();
    const UINT dpi = WindowDpi(w);
    const RECT r = Outer(w);
    EXPECT_EQ(r.left, TwipsToPixels(1500, dpi));
    EXPECT_EQ(r.top, TwipsToPixels(750, dpi));
    EXPECT_EQ(r.bottom - r.top, TwipsToPixels(6000, dpi));
    EXPECT_EQ(r.right - r.left, TwipsToPixels(6630, dpi));

    SetWindowPos(w, nullptr, TwipsToPixels(3000, dpi), TwipsToPixels(1500, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(w, SW_MINIMIZE);  // closed while minimised: the place it is restored to
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(gLeft, 3000);
    EXPECT_EQ(gTop, 1500);
    EXPECT_EQ(gHeight, 6000);
    EXPECT_EQ(gWidth, 6630);
}

TEST_F(CompileWindowTest, APlaceOffEveryMonitorOpensOnTheNearestWorkArea) {
    gLeft = -200000;
    gTop = 300000;
    HWND w = Open();
    const RECT r = Outer(w);
    EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &info);
    EXPECT_GE(r.left, info.rcWork.left);
    EXPECT_LE(r.bottom, info.rcWork.bottom);
}

}  // namespace
}  // namespace kinoha::ui
