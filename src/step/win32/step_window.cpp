// The step count window "ステップ算出" (frmStep). Its events go to StepWindowLogic; this file
// only makes the controls and applies what the logic decides. The window's frame, layout and
// run view are the shared list-run window's (ui/run_window.h).
#include <windows.h>

#include <cstdint>

#include "app/launch.h"
#include "dialogs/win32/file_dialogs.h"
#include "step/step_window_logic.h"
#include "ui/program_windows.h"
#include "ui/run_window.h"

namespace kinoha::ui {
namespace {

constexpr const wchar_t* kClass = L"KinohaStep";
constexpr const wchar_t* kCaption = L"ステップ算出";

// Design places in twips; the bottom row moves with the height (Form_Resize).
constexpr TwipsRect kTitle{120, 120, 8135, 375};
constexpr TwipsRect kUnder{120, 3300, 2055, 255};
constexpr TwipsRect kCsvWake{2280, 3240, 1695, 495};
constexpr TwipsRect kMake{4080, 3240, 1095, 495};
constexpr TwipsRect kEnd{5280, 3240, 1095, 495};
// The row of the counting options and the changed-step count, between the list and the bottom
// row; it moves with the bottom row, and the list is shorter by it.
constexpr int kOptionRow = 465;
constexpr TwipsRect kCtl{120, 2850, 2055, 255};
constexpr TwipsRect kVbCmt{2280, 2850, 1695, 255};
constexpr TwipsRect kDiff{4080, 2775, 2295, 390};

class StepWindow final : public RunWindow<StepView> {
  public:
    // StepView
    void SetProjects(const std::vector<std::wstring>& rows) override { FillList(rows); }
    void SetVisible(StepControl control, bool visible) override {
        HWND h = Item(control);
        if (!visible) HandFocusOn(h);
        ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
    }
    void SetEnabled(StepControl control, bool enabled) override {
        HWND h = Item(control);
        if (!enabled) HandFocusOn(h);
        EnableWindow(h, enabled ? TRUE : FALSE);
    }
    void SetCheck(StepControl box, CheckState state) override {
        const WPARAM check =
            state == CheckState::Ticked
                ? BST_CHECKED
                : (state == CheckState::Greyed ? BST_INDETERMINATE : BST_UNCHECKED);
        SendMessageW(Item(box), BM_SETCHECK, check, 0);
    }
    std::wstring ChooseOlderVersion(const std::wstring& startFolder) override {
        return ChooseFolderOrFile(
            Handle(), L"比較する旧バージョンのフォルダ、またはプロジェクトファイルを指定して下さい",
            startFolder);
    }
    void OpenReport(const std::wstring& path) override {
        std::int16_t result = 0;
        LaunchFile(Handle(), path, result);
    }
    // After the click has been handled: the window goes with the close.
    void CloseWindow() override { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

  private:
    HWND Item(StepControl control) const {
        switch (control) {
            case StepControl::lstData:
                return list_;
            case StepControl::chkUnder:
                return chkUnder_;
            case StepControl::cmdCsvWake:
                return cmdCsvWake_;
            case StepControl::cmdMake:
                return cmdMake_;
            case StepControl::cmdStop:
                return cmdStop_;
            case StepControl::cmdEnd:
                return cmdEnd_;
            case StepControl::chkCtl:
                return chkCtl_;
            case StepControl::chkVbCmt:
                return chkVbCmt_;
            case StepControl::cmdDiff:
                return cmdDiff_;
        }
        return nullptr;
    }

    void CreateControls() override {
        // Created in the keyboard focus order: the buttons of the bottom row and the list take
        // the focus in this order, "終了" first.
        cmdEnd_ = AddButton(L"終了", kEnd, [this] { logic_.cmdEnd_Click(); });
        AddList(kOptionRow);
        chkUnder_ = AddButton(
            L"＿の行を１行と扱う", kUnder, [this] { logic_.chkUnder_Click(); }, BS_3STATE);
        cmdCsvWake_ =
            AddButton(L"算出後、結果表示", kCsvWake, [this] { logic_.cmdCsvWake_Click(); });
        cmdMake_ = AddButton(L"算出のみ", kMake, [this] { logic_.cmdMake_Click(); });
        cmdStop_ = AddButton(L"算出中止", kMake, [this] { logic_.cmdStop_Click(); });
        // The options row after the buttons of the classic window, whose order stays.
        chkCtl_ = AddButton(
            L"ﾕｰｻﾞｰｺﾝﾄﾛｰﾙも算出", kCtl, [this] { logic_.chkCtl_Click(); }, BS_CHECKBOX);
        chkVbCmt_ = AddButton(
            L"VB式ｺﾒﾝﾄ判定", kVbCmt, [this] { logic_.chkVbCmt_Click(); }, BS_CHECKBOX);
        cmdDiff_ = AddButton(L"差分算出...", kDiff, [this] { logic_.cmdDiff_Click(); });
        // Labels last, under the other controls: the title's lower edge lies under the list.
        AddControl(L"STATIC", L"選択したﾌﾟﾛｼﾞｪｸﾄのｽﾃｯﾌﾟをﾌﾟﾛｼﾞｪｸﾄ名_Step.csvとして作成します。",
                   SS_LEFT | SS_NOPREFIX, kTitle, Follows::Nothing, true);
        AddStatusLine();
        AddTooltip(Handle(), list_,
                   L"プロジェクトグループは、登録されたプロジェクトを１個づつ分割しています");
        AddTooltip(Handle(), chkUnder_,
                   L"チェック有り＝＿を使って複数行にしている箇所を１行として扱う");
        AddTooltip(
            Handle(), chkCtl_,
            L"チェック有り＝ユーザーコントロール（.ctl）とプロパティページ（.pag）も算出する");
        AddTooltip(
            Handle(), chkVbCmt_,
            L"チェック有り＝行頭の空白・タブの後が ' か Rem（大文字小文字は問わない）の行だけを"
            L"コメントとする");
        AddTooltip(Handle(), cmdDiff_,
                   L"旧バージョンと比べた追加・変更・削除ステップをﾌﾟﾛｼﾞｪｸﾄ名_StepDiff.csvとして"
                   L"作成します");
    }
    HWND FirstFocus() const override { return cmdEnd_; }
    WindowGeometry Load() override { return logic_.Form_Load(); }
    bool MayClose(const WindowGeometry& current) override { return logic_.Form_Unload(current); }

    HWND chkUnder_ = nullptr, cmdCsvWake_ = nullptr, cmdMake_ = nullptr, cmdStop_ = nullptr,
         cmdEnd_ = nullptr, chkCtl_ = nullptr, chkVbCmt_ = nullptr, cmdDiff_ = nullptr;
    StepWindowLogic logic_{*this};
};

SingleWindow<StepWindow> gStep;

}  // namespace

void ShowStepWindow(HWND) {
    gStep.Show(kClass, kCaption);
}

}  // namespace kinoha::ui
