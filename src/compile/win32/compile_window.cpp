// The batch compile window "自動コンパイル画面": its controls, forwarded to the logic
// (compile/compile_run.h); the window's frame, layout and run view are the shared list-run
// window's (ui/run_window.h).
#include <windows.h>

#include "app/text_helpers.h"
#include "compile/compile_run.h"
#include "platform/platform.h"
#include "ui/program_windows.h"
#include "ui/run_window.h"

namespace kinoha::ui {
namespace {

constexpr wchar_t kClassName[] = L"KinohaCompile";
constexpr wchar_t kCaption[] = L"自動コンパイル画面";

// Design places in twips, client coordinates.
constexpr TwipsRect kTitlePlace{120, 120, 6135, 375};
constexpr TwipsRect kMakePlace{3480, 3240, 1575, 495};
constexpr TwipsRect kEndPlace{5280, 3240, 1095, 495};
constexpr TwipsRect kChangedPlace{120, 3300, 3255, 255};
// The row of the constants between the list and the bottom row; the list is shorter by it.
constexpr int kDefinesRow = 465;
constexpr TwipsRect kDefinesLabel{120, 2850, 2055, 255};
constexpr TwipsRect kDefinesField{2280, 2805, 2400, 330};
constexpr TwipsRect kJobsLabel{4780, 2850, 960, 255};
constexpr TwipsRect kJobsField{5760, 2805, 615, 330};
constexpr wchar_t kJobsTip[] =
    L"同時にコンパイルする数（1～64）：参照先のコンパイルが終わったものから並行して開始する";
constexpr wchar_t kDefinesTip[] =
    L"VB の /d に渡す定数：「名前=整数」を「:」で区切る（例 VBIDE=0:DEBUG_LOG=-1）";
constexpr wchar_t kListTip[] = L"プロジェクトグループは、登録されたプロジェクトを全て対象とします";
constexpr wchar_t kChangedTip[] =
    L"チェック有り＝出力ファイルより新しいファイルがあるプロジェクトと、それを参照する"
    L"プロジェクトだけをコンパイルする";

std::wstring EditText(HWND edit) {
    const int n = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), n + 1)));
    return text;
}

// A row with its last result in front: "【成功 1.2秒】path", "【最新】path".
std::wstring MarkedRow(const std::wstring& path, const CompileOutcome* outcome) {
    if (outcome == nullptr) return path;
    std::wstring mark = L"【" + std::wstring(ResultLabel(outcome->result));
    // Only a compile takes time worth showing.
    if (outcome->result == CompileResult::Succeeded || outcome->result == CompileResult::Failed)
        mark += L" " + SecondsText(outcome->seconds);
    return mark + L"】" + path;
}

class CompileWindow final : public RunWindow<CompileView> {
  public:
    void SetRunning(bool running) override {
        // The button that takes the pressed one's place shows first, so the focus moves onto it.
        HWND shown = running ? cmdStop_ : cmdMake_;
        HWND hidden = running ? cmdMake_ : cmdStop_;
        ShowWindow(shown, SW_SHOW);
        HandFocusOn(hidden);
        ShowWindow(hidden, SW_HIDE);
        for (HWND c : {list_, cmdEnd_, chkChanged_, txtDefines_, txtJobs_}) {
            if (running) HandFocusOn(c);
            EnableWindow(c, running ? FALSE : TRUE);
        }
    }
    void WarningSound() override { MessageBeep(MB_ICONEXCLAMATION); }
    void SetRowResult(std::size_t row, const CompileOutcome* outcome) override {
        if (row < run_.Rows().size()) SetListRow(row, MarkedRow(run_.Rows()[row], outcome));
    }
    // With the program associated with ".log" files, as the step window opens its report.
    void OpenLog(const std::wstring& path) override {
        platform::ShellOpen(Handle(), path, FolderOf(path));
    }
    void SetChangedOnly(bool ticked) override {
        SendMessageW(chkChanged_, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void SetDefines(const std::wstring& text) override {
        SetWindowTextW(txtDefines_, text.c_str());
    }
    void SetJobs(const std::wstring& text) override { SetWindowTextW(txtJobs_, text.c_str()); }
    void SetRowRunning(std::size_t row, double seconds) override {
        if (row < run_.Rows().size())
            SetListRow(row, L"【実行中 " + SecondsText(seconds) + L"】" + run_.Rows()[row]);
    }

  private:
    void CreateControls() override {
        // Created in tab order.
        cmdEnd_ = AddButton(L"終了", kEndPlace, [this] { SendMessageW(Handle(), WM_CLOSE, 0, 0); });
        AddList(kDefinesRow);
        cmdMake_ = AddButton(L"コンパイル開始", kMakePlace, [this] { run_.Make(); });
        AddControl(L"STATIC", L"選択したファイルを自動でコンパイルします。", SS_LEFT | SS_NOPREFIX,
                   kTitlePlace, Follows::Nothing, true);
        AddStatusLine();
        cmdStop_ = AddButton(L"コンパイル中止", kMakePlace, [this] { run_.Stop(); });
        ShowWindow(cmdStop_, SW_HIDE);
        chkChanged_ = AddButton(
            L"更新分のみコンパイル", kChangedPlace, [this] { run_.ChangedOnly_Click(); },
            BS_CHECKBOX);
        txtDefines_ =
            AddEdit(kDefinesField, [this] { run_.Defines_Change(EditText(txtDefines_)); });
        txtJobs_ = AddEdit(kJobsField, [this] { run_.Jobs_Change(EditText(txtJobs_)); });
        // Labels last, under the other controls.
        AddControl(L"STATIC", L"条件付きコンパイル引数", SS_LEFT | SS_NOPREFIX, kDefinesLabel,
                   Follows::ButtonRow);
        AddControl(L"STATIC", L"同時実行数", SS_LEFT | SS_NOPREFIX, kJobsLabel, Follows::ButtonRow);
        AddTooltip(Handle(), list_, kListTip);
        AddTooltip(Handle(), txtDefines_, kDefinesTip);
        AddTooltip(Handle(), txtJobs_, kJobsTip);
        AddTooltip(Handle(), chkChanged_, kChangedTip);
    }
    // A failed row opens its log; its result and why (a failure's first error line) are the
    // list's tooltip while it has the caret.
    void OnListActivated(std::size_t row) override { run_.OpenRow(row); }
    void OnListCaretMoved(std::size_t row) override {
        const std::wstring details = run_.RowDetails(row);
        SetTooltipText(Handle(), list_, details.empty() ? std::wstring(kListTip) : details);
    }
    HWND FirstFocus() const override { return cmdEnd_; }
    WindowGeometry Load() override {
        const WindowGeometry g = run_.Load();
        FillList(run_.Rows());
        return g;
    }
    bool MayClose(const WindowGeometry& current) override { return run_.Unload(current); }

    HWND txtJobs_ = nullptr;
    HWND cmdEnd_ = nullptr, cmdMake_ = nullptr, cmdStop_ = nullptr, chkChanged_ = nullptr,
         txtDefines_ = nullptr;
    CompileRun run_{*this};
};

SingleWindow<CompileWindow> gWindow;

}  // namespace

void ShowCompileWindow(HWND) {
    gWindow.Show(kClassName, kCaption);
}

}  // namespace kinoha::ui
