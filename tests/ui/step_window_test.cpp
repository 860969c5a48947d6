// The Win32 step count window on the real window system (under Wine in CI): its controls, the
// focus order, the held width, closing, and one run driven through its buttons.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "step/step_fixtures.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring Text(HWND h) {
    wchar_t buf[512] = {};
    GetWindowTextW(h, buf, 512);
    return buf;
}

// A child's place in twips within the client area.
TwipsRect Place(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const UINT dpi = WindowDpi(parent);
    return {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi),
            PixelsToTwips(r.right - r.left, dpi), PixelsToTwips(r.bottom - r.top, dpi)};
}

// Twips survive the round trip through pixels to within one pixel.
void ExpectPlace(const TwipsRect& got, const TwipsRect& want, const std::wstring& what) {
    const int pixel = 1440 / 96 + 1;
    EXPECT_NEAR(got.left, want.left, pixel) << std::string(what.begin(), what.end());
    EXPECT_NEAR(got.top, want.top, pixel);
    EXPECT_NEAR(got.width, want.width, pixel);
    EXPECT_NEAR(got.height, want.height, pixel);
}

class StepWindowUi : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        test::WriteAnsiFile(dir / L"A\\m.bas", L"Attribute VB_Name = \"M\"\ny = 2\n");
        test::WriteAnsiFile(dir / L"A\\A.vbp", L"Module=M; m.bas\n");
        lstPrj.Add(dir / L"A\\A.vbp");
        gTop = 300, gLeft = 450, gHeight = 4515, gWidth = 6630;
        gUnder = 2;
        ShowStepWindow(nullptr);
        Pump();
        hwnd = FindWindowW(L"KinohaStep", nullptr);
        ASSERT_NE(hwnd, nullptr);
        // Children in creation order, which is the focus order.
        for (HWND c = GetWindow(hwnd, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
            children.push_back(c);
        ASSERT_EQ(children.size(), 8u);
    }
    void TearDown() override {
        gStop = true;
        if (IsWindow(hwnd)) SendMessageW(hwnd, WM_CLOSE, 0, 0);
        Pump();
        ResetGlobals();
    }
    HWND Child(int i) const { return children[static_cast<std::size_t>(i)]; }
    int OuterHeightTwips() const {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return PixelsToTwips(r.bottom - r.top, WindowDpi(hwnd));
    }

    test::TempDir dir;
    HWND hwnd = nullptr;
    std::vector<HWND> children;
    enum { cmdEnd, lstData, chkUnder, cmdCsvWake, cmdMake, cmdStop, lblTitle, lblStatus };
};

TEST_F(StepWindowUi, ControlsTextsPlacesAndFocusOrder) {
    EXPECT_EQ(Text(hwnd), L"ステップ算出");
    EXPECT_EQ(Text(Child(lblTitle)),
              L"選択したﾌﾟﾛｼﾞｪｸﾄのｽﾃｯﾌﾟをﾌﾟﾛｼﾞｪｸﾄ名_Step.csvとして作成します。");
    EXPECT_EQ(Text(Child(chkUnder)), L"＿の行を１行と扱う");
    EXPECT_EQ(Text(Child(cmdCsvWake)), L"算出後、結果表示");
    EXPECT_EQ(Text(Child(cmdMake)), L"算出のみ");
    EXPECT_EQ(Text(Child(cmdStop)), L"算出中止");
    EXPECT_EQ(Text(Child(cmdEnd)), L"終了");
    EXPECT_EQ(Text(Child(lblStatus)), L"複数選択可能：　[Shitt]＝連続選択　[Ctrl]＝個別選択");
    EXPECT_FALSE(IsWindowVisible(Child(cmdStop)));
    EXPECT_EQ(SendMessageW(Child(chkUnder), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageW(Child(lstData), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(GetWindowLongW(Child(lstData), GWL_STYLE) & LBS_EXTENDEDSEL, LBS_EXTENDEDSEL);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX, 0);

    ExpectPlace(Place(hwnd, Child(lblTitle)), {120, 120, 8135, 375}, L"lblTitle");
    ExpectPlace(Place(hwnd, Child(lstData)), {120, 360, 6255, 2740}, L"lstData");
    ExpectPlace(Place(hwnd, Child(chkUnder)), {120, 3300, 2055, 255}, L"chkUnder");
    ExpectPlace(Place(hwnd, Child(cmdCsvWake)), {2280, 3240, 1695, 495}, L"cmdCsvWake");
    ExpectPlace(Place(hwnd, Child(cmdMake)), {4080, 3240, 1095, 495}, L"cmdMake");
    ExpectPlace(Place(hwnd, Child(cmdEnd)), {5280, 3240, 1095, 495}, L"cmdEnd");
    ExpectPlace(Place(hwnd, Child(lblStatus)), {0, 3848, 6495, 255}, L"lblStatus");

    // "終了" first; the hidden stop button is skipped until a run shows it.
    std::vector<HWND> order;
    HWND f = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    for (int i = 0; i < 6 && f != nullptr; ++i, f = GetNextDlgTabItem(hwnd, f, FALSE))
        order.push_back(f);
    EXPECT_EQ(order, (std::vector<HWND>{Child(cmdEnd), Child(lstData), Child(chkUnder),
                                        Child(cmdCsvWake), Child(cmdMake), Child(cmdEnd)}));
}

TEST_F(StepWindowUi, OnlyTheHeightFollowsAndClosingStoresTheGeometry) {
    const UINT dpi = WindowDpi(hwnd);
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, r.left, r.top, TwipsToPixels(9000, dpi),
                 TwipsToPixels(4515 + 600, dpi), SWP_NOZORDER | SWP_NOMOVE);
    Pump();
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, TwipsToPixels(6630, dpi));
    const int h = OuterHeightTwips();
    EXPECT_NEAR(h, 5115, 15);
    ExpectPlace(Place(hwnd, Child(cmdEnd)), {5280, h - 1275, 1095, 495}, L"cmdEnd");
    ExpectPlace(Place(hwnd, Child(chkUnder)), {120, h - 1215, 2055, 255}, L"chkUnder");
    ExpectPlace(Place(hwnd, Child(lstData)), {120, 360, 6255, h - 1775}, L"lstData");
    ExpectPlace(Place(hwnd, Child(lblStatus)), {0, h - 667, 6495, 255}, L"lblStatus");

    // Another window's run refuses the close; the geometry is stored all the same.
    gStop = false;
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(gHeight, h);
    EXPECT_NEAR(gWidth, 6630, 15);
    EXPECT_NEAR(gLeft, PixelsToTwips(r.left, dpi), 1);
    gStop = true;
    SendMessageW(Child(cmdEnd), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));

    // Opened again, it takes the stored geometry.
    ShowStepWindow(nullptr);
    Pump();
    hwnd = FindWindowW(L"KinohaStep", nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_NEAR(OuterHeightTwips(), h, 15);
}

TEST_F(StepWindowUi, ARunThroughTheButtons) {
    ShowStepWindow(nullptr);  // the entry chosen again: still one window
    Pump();
    int windows = 0;
    EnumWindows(
        [](HWND w, LPARAM count) {
            wchar_t cls[32] = {};
            GetClassNameW(w, cls, 32);
            if (std::wstring(cls) == L"KinohaStep") ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 1);

    SendMessageW(Child(chkUnder), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(Child(chkUnder), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(gUnder, 1);
    SendMessageW(Child(lstData), LB_SETSEL, TRUE, 0);
    SendMessageW(Child(cmdMake), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(Child(lblStatus)), L"算出終了");
    EXPECT_TRUE(IsWindowVisible(Child(cmdMake)));
    EXPECT_FALSE(IsWindowVisible(Child(cmdStop)));
    EXPECT_TRUE(IsWindowEnabled(Child(lstData)));
    EXPECT_TRUE(test::PathExists(dir / L"A\\A_Step.csv"));
    EXPECT_TRUE(gStop);
}

}  // namespace
}  // namespace kinoha::ui
