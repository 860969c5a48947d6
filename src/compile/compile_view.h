// What the batch compile window's logic asks of its window. The Win32 window applies it; tests
// record it.
#pragma once

#include "app/list_run.h"

namespace kinoha {

class CompileView : public ListRunView {
  public:
    // Running: the start button hidden and the stop button shown in its place, the list and the
    // close button disabled. Not running: the reverse.
    virtual void SetRunning(bool running) = 0;
};

}  // namespace kinoha
