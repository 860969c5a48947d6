#include "tray/win32/tray_window.h"

#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/globals.h"
#include "catalogue/background_catalogue.h"
#include "catalogue/catalogue.h"
#include "dialogs/settings_commands.h"
#include "dialogs/win32/file_dialogs.h"
#include "dialogs/win32/path_panel.h"
#include "platform/platform.h"
#include "start/start_sequence.h"
#include "tray/tray_commands.h"
#include "tray/tray_notices.h"
#include "tray/win32/exe_menu_pictures.h"
#include "tray/win32/quick_open_window.h"
#include "tray/win32/tray_menus.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kCatalogueReady = WM_APP + 2;    // a background build waits for its hand-over
constexpr UINT kDirectoryChanged = WM_APP + 3;  // the project tree changed
constexpr UINT kIconId = 1;
constexpr UINT_PTR kSettleTimer = 1;
// Changes to the tree are searched once they have settled, not once per file of a copy.
constexpr UINT kSettleMs = 2000;
constexpr ULONGLONG kLongestSettleMs = 10000;
constexpr int kOffScreenTwips = -10000;

class TrayWindow final : public TrayView {
  public:
    HWND hwnd = nullptr;
    SplashControl splash;
    UINT taskbarCreated = 0;
    bool iconAdded = false;
    ExeMenuPictures pictures;
    std::vector<std::size_t> exeEntries;  // mnuEXE indexes shown in the executables menu
    std::uint64_t picturesGeneration = ~std::uint64_t{0};
    UINT picturesDpi = 0;
    BackgroundCatalogue catalogue{[this] { PostMessageW(hwnd, kCatalogueReady, 0, 0); }};
    std::unique_ptr<platform::DirectoryWatch> watch;
    std::wstring watched;
    bool settling = false;  // a change waits for the tree to settle
    ULONGLONG firstChange = 0;

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        ui::ShowMessage(hwnd, title, text, icon);
    }
    void* NativeWindow() override { return hwnd; }
    // Every build runs in the background; HandOver publishes it on this thread.
    void RebuildCatalogue(bool research) override { catalogue.Request(research); }

    void OnCatalogueReady() {
        catalogue.HandOver();
        // The watch follows the project directory; a failed search drops it, and the next
        // successful one sets it up again (the directory may be back).
        if (!gSearchFailure.empty()) {
            watch.reset();
            watched.clear();
        } else if (!catalogue.Busy() && (!watch || watched != gPrjDir)) {
            watch.reset();
            watched = gPrjDir;
            if (!gPrjDir.empty()) {
                HWND target = hwnd;
                watch = platform::WatchDirectoryTree(
                    gPrjDir, [target] { PostMessageW(target, kDirectoryChanged, 0, 0); });
            }
        }
    }

    // The executables' pictures follow the catalogue's latest build and the window's DPI.
    void RefreshPictures() {
        const UINT dpi = WindowDpi(hwnd);
        if (picturesGeneration == gMenuGeneration && picturesDpi == dpi) return;
        std::vector<std::wstring> paths;
        exeEntries.clear();
        for (std::size_t i = 0; i < mnuEXE.size(); ++i) {
            if (!mnuEXE[i].visible) continue;
            exeEntries.push_back(i);
            paths.push_back(mnuEXE[i].pictured ? mnuEXE[i].tag : std::wstring());
        }
        pictures.Load(paths, gPrjDir, dpi);
        picturesGeneration = gMenuGeneration;
        picturesDpi = dpi;
    }
    void ShowPathPanel() override { ui::ShowPathPanel(); }
    void HidePathPanel() override { ui::HidePathPanel(); }
    std::wstring ChooseOpenFile(const std::wstring& initialDir, const std::wstring& filterText,
                                const std::wstring& filterPattern) override {
        return ui::ChooseOpenFile(hwnd, initialDir, filterText, filterPattern);
    }
    std::wstring ChooseFolder(const std::wstring& title) override {
        return ui::ChooseFolder(hwnd, title);
    }
    void EndProgramNow() override { ExitProcess(0); }
    void MoveSplashBack() override {
        if (splash.moveOnScreen != nullptr) splash.moveOnScreen();
    }
    void AddTrayIcon() override {
        NOTIFYICONDATAW data = IconRecord();
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kTrayCallback;
        data.hIcon = ProgramIcon(MetricForDpi(SM_CXSMICON, WindowDpi(hwnd)));
        lstrcpynW(data.szTip, L"Kinoha", ARRAYSIZE(data.szTip));
        iconAdded = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    }
    void UnloadSplash() override {
        if (splash.close != nullptr) splash.close();
    }
    void ShowFirstStartNotice() override {
        NOTIFYICONDATAW data = IconRecord();
        data.uFlags = NIF_INFO;
        data.dwInfoFlags = NIIF_INFO;
        lstrcpynW(data.szInfoTitle, FirstStartNoticeTitle().c_str(), ARRAYSIZE(data.szInfoTitle));
        lstrcpynW(data.szInfo, FirstStartNoticeText().c_str(), ARRAYSIZE(data.szInfo));
        Shell_NotifyIconW(NIM_MODIFY, &data);
    }

    void RemoveTrayIcon() {
        NOTIFYICONDATAW data = IconRecord();
        Shell_NotifyIconW(NIM_DELETE, &data);
        iconAdded = false;
    }
    NOTIFYICONDATAW IconRecord() const {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = hwnd;
        data.uID = kIconId;
        return data;
    }

    void OnTrayEvent(LPARAM event) {
        const TrayMenu which = ChooseTrayMenu(static_cast<double>(LOWORD(event)));
        if (which == TrayMenu::None) return;
        const UINT dpi = WindowDpi(hwnd);
        SetWindowPos(hwnd, nullptr, TwipsToPixels(kOffScreenTwips, dpi),
                     TwipsToPixels(kOffScreenTwips, dpi), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        platform::PumpEvents();
        if (which == TrayMenu::Executables) RefreshPictures();
        // The entries as this menu shows them: a build handed over while it is open must not
        // change what a chosen entry means.
        const MenuArray tsk = mnuTSK;
        const MenuArray exe = mnuEXE;
        HMENU menu = which == TrayMenu::Main
                         ? MakeMainMenu(platform::StartsAtLogon(platform::ProgramPath()))
                         : MakeExeMenu();
        POINT at{};
        GetCursorPos(&at);
        const UINT chosen = static_cast<UINT>(TrackPopupMenu(
            menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd, nullptr));
        DestroyMenu(menu);
        PostMessageW(hwnd, WM_NULL, 0, 0);
        // The chosen command runs before the next tray event is handled.
        if (chosen != 0) RunCommand(chosen, tsk, exe);
        if (IsWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
    }

    void RunCommand(UINT id, const MenuArray& tsk, const MenuArray& exe) {
        if (id >= kTskBase && id < kTskBase + 100) {
            OpenProject(tsk[id - kTskBase].tag, *this);
        } else if (id >= kExeBase && id < kExeBase + 100) {
            RunExecutable(exe[id - kExeBase].tag, *this);
        } else if (id == kMore || id == kQuickOpen) {
            ShowQuickOpen(hwnd, *this);
        } else if (id == kResearch) {
            catalogue.Request(true);
        } else if (id == kStartup) {
            ToggleStartsAtLogon();
        } else if (id == kDir) {
            ChooseProjectDirectory(*this);
        } else if (id == kPath) {
            ChooseVbExecutable(*this);
        } else if (id == kJyogai) {
            ShowExclusionEditor(hwnd, [this](bool research) { RebuildCatalogue(research); });
        } else if (id == kFile) {
            ToggleFileNamesOnly(*this);
        } else if (id == kMake) {
            ShowCompileWindow(hwnd);
        } else if (id == kStep) {
            ShowStepWindow(hwnd);
        } else if (id == kVersion) {
            ShowVersionWindow(hwnd);
        } else if (id == kHelp) {
            OpenHelp(*this);
        } else if (id == kEnd) {
            DestroyWindow(hwnd);
        }
    }

    std::size_t ExePosition(UINT id) const {
        for (std::size_t p = 0; p < exeEntries.size(); ++p) {
            if (kExeBase + exeEntries[p] == id) return p;
        }
        return exeEntries.size();
    }
};

TrayWindow gTray;

LRESULT CALLBACK TrayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kTrayCallback) {
        gTray.OnTrayEvent(lParam);
        return 0;
    }
    if (msg == kCatalogueReady) {
        gTray.OnCatalogueReady();
        return 0;
    }
    if (msg == kDirectoryChanged) {
        // Each change starts the wait anew, but a tree that never stops changing is still
        // searched after a while.
        const ULONGLONG now = GetTickCount64();
        if (!gTray.settling) gTray.firstChange = now;
        gTray.settling = true;
        if (now - gTray.firstChange < kLongestSettleMs)
            SetTimer(hwnd, kSettleTimer, kSettleMs, nullptr);
        return 0;
    }
    if (gTray.taskbarCreated != 0 && msg == gTray.taskbarCreated) {
        // Explorer restarted: the tray forgot the icon.
        if (gTray.iconAdded) gTray.AddTrayIcon();
        return 0;
    }
    switch (msg) {
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (m->CtlType != ODT_MENU) break;
            m->itemWidth = static_cast<UINT>(gTray.pictures.Size());
            m->itemHeight = static_cast<UINT>(gTray.pictures.Size());
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (d->CtlType != ODT_MENU) break;
            gTray.pictures.Draw(gTray.ExePosition(d->itemID), d->hDC, d->rcItem);
            return TRUE;
        }
        case WM_TIMER:
            if (wParam != kSettleTimer) break;
            KillTimer(hwnd, kSettleTimer);
            gTray.settling = false;
            gTray.catalogue.Request(true);
            return 0;
        case WM_HOTKEY:
            if (wParam == kQuickOpenHotkeyId) ShowQuickOpen(hwnd, gTray);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) DestroyWindow(hwnd);
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            gTray.RemoveTrayIcon();
            SaveAtShutdown();
            // Other windows end with the process, without their own close handling. A search
            // still running on its worker must not delay the end, nor hold a lock that the
            // process's orderly exit would wait for: then the process is ended outright.
            if (gTray.catalogue.Busy()) TerminateProcess(GetCurrentProcess(), 0);
            ExitProcess(0);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
}  // namespace

void SetSearchDelayForTesting(unsigned milliseconds) {
    BackgroundCatalogue::SetStepDelayForTesting(std::chrono::milliseconds(milliseconds));
}

HWND CreateTrayWindow(const SplashControl& splash) {
    gTray.splash = splash;
    RegisterWindowClass(L"KinohaTray", TrayProc);
    const UINT dpi = WindowDpi(nullptr);
    gTray.hwnd = CreateWindowExW(
        WS_EX_TOOLWINDOW, L"KinohaTray", L"Kinoha", WS_POPUP, TwipsToPixels(kOffScreenTwips, dpi),
        TwipsToPixels(kOffScreenTwips, dpi), 1, 1, nullptr, nullptr, Instance(), nullptr);
    gTray.taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    LoadTray(gTray);
    RegisterQuickOpenHotkey(gTray.hwnd, gTray);
    return gTray.hwnd;
}

}  // namespace kinoha::ui
