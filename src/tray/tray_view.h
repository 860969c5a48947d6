// What the start sequence, the tray commands and the settings commands ask of the tray window
// and the splash. The Win32 program implements it; tests record the calls.
#pragma once

#include <string>

#include "app/message.h"

namespace kinoha {

class TrayView : public MessageSink {
  public:
    virtual void* NativeWindow() = 0;  // owner of what the shell shows
    // Rebuilds the catalogue and the menus made from it.
    virtual void RebuildCatalogue(bool research) = 0;

    // The VB executable's open-file dialog with its reference panel beside it.
    virtual void ShowPathPanel() = 0;
    virtual void HidePathPanel() = 0;
    // The chosen file's full path, or empty when cancelled.
    virtual std::wstring ChooseOpenFile(const std::wstring& initialDir,
                                        const std::wstring& filterText,
                                        const std::wstring& filterPattern) = 0;
    // The chosen folder's file-system path, or empty when cancelled.
    virtual std::wstring ChooseFolder(const std::wstring& title) = 0;
    // Ends the process at once: no window's close handling, nothing saved.
    virtual void EndProgramNow() = 0;

    // Start-up: the splash back on the screen, the tray icon, the splash gone.
    virtual void MoveSplashBack() = 0;
    virtual void AddTrayIcon() = 0;
    virtual void UnloadSplash() = 0;
    // On the first start: a notice from the tray icon where the program now lives.
    virtual void ShowFirstStartNotice() = 0;
};

}  // namespace kinoha
