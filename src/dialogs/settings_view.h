// What the settings commands ask of the window that owns them (the tray window): the dialogs,
// the catalogue rebuilt after a change, the end of the program. Tests record the calls.
#pragma once

#include <string>

#include "app/message.h"

namespace kinoha {

class SettingsView : public MessageSink {
  public:
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
};

}  // namespace kinoha
