// What the tray commands ask of the tray window: the start sequence's and the settings
// commands' views, and the window that owns what the shell shows. The Win32 program implements
// it; tests record the calls.
#pragma once

#include "start/start_view.h"

namespace kinoha {

class TrayView : public StartView {
  public:
    virtual void* NativeWindow() = 0;  // owner of what the shell shows
};

}  // namespace kinoha
