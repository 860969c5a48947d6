// kinoha.exe: the resident tray program. The splash starts it; the tray window lives until
// "終了".
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cwchar>

#include "program/win32/splash_window.h"
#include "tray/win32/tray_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The folder browser and the shell's file icons need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Test seam of the end-to-end tests: a search as slow as one over a slow network.
    wchar_t delay[16] = {};
    if (GetEnvironmentVariableW(L"KINOHA_TEST_SEARCH_DELAY_MS", delay, 16) > 0)
        kinoha::ui::SetSearchDelayForTesting(
            static_cast<unsigned>(std::wcstoul(delay, nullptr, 10)));
    kinoha::ui::CreateSplashWindow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(GetActiveWindow(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    CoUninitialize();
    return 0;
}
