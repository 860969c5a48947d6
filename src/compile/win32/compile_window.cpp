// The batch compile window "自動コンパイル画面": its controls, forwarded to the logic
// (compile/compile_run.h); the window's frame, layout and run view are the shared list-run
// window's (ui/run_window.h).
#include <windows.h>

#include "compile/compile_run.h"
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

class CompileWindow final : public RunWindow<CompileView> {
  public:
    void SetRunning(bool running) override {
        // The button that takes the pressed one's place shows first, so the focus moves onto it.
        HWND shown = running ? cmdStop_ : cmdMake_;
        HWND hidden = running ? cmdMake_ : cmdStop_;
        ShowWindow(shown, SW_SHOW);
        HandFocusOn(hidden);
        ShowWindow(hidden, SW_HIDE);
        for (HWND c : {list_, cmdEnd_}) {
            if (running) HandFocusOn(c);
            EnableWindow(c, running ? FALSE : TRUE);
        }
    }

  private:
    void CreateControls() override {
        // Created in tab order.
        cmdEnd_ = AddButton(L"終了", kEndPlace, [this] { SendMessageW(Handle(), WM_CLOSE, 0, 0); });
        AddList();
        cmdMake_ = AddButton(L"コンパイル開始", kMakePlace, [this] { run_.Make(); });
        AddControl(L"STATIC", L"選択したファイルを自動でコンパイルします。", SS_LEFT | SS_NOPREFIX,
                   kTitlePlace, Follows::Nothing, true);
        AddStatusLine();
        cmdStop_ = AddButton(L"コンパイル中止", kMakePlace, [this] { run_.Stop(); });
        ShowWindow(cmdStop_, SW_HIDE);
        AddTooltip(Handle(), list_,
                   L"プロジェクトグループは、登録されたプロジェクトを全て対象とします");
    }
    HWND FirstFocus() const override { return cmdEnd_; }
    WindowGeometry Load() override {
        const WindowGeometry g = run_.Load();
        FillList(run_.Rows());
        return g;
    }
    bool MayClose(const WindowGeometry& current) override { return run_.Unload(current); }

    HWND cmdEnd_ = nullptr, cmdMake_ = nullptr, cmdStop_ = nullptr;
    CompileRun run_{*this};
};

SingleWindow<CompileWindow> gWindow;

}  // namespace

void ShowCompileWindow(HWND) {
    gWindow.Show(kClassName, kCaption);
}

}  // namespace kinoha::ui
