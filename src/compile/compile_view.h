// What the batch compile window's logic asks of its window. The Win32 window applies it; tests
// record it.
#pragma once

#include <cstddef>
#include <string>

#include "app/list_run.h"
#include "compile/compile_result.h"

namespace kinoha {

class CompileView : public ListRunView {
  public:
    // Running: the start button hidden and the stop button shown in its place, the list and the
    // close button disabled. Not running: the reverse.
    virtual void SetRunning(bool running) = 0;
    // The system's warning sound: a run ended with failures.
    virtual void WarningSound() = 0;
    // A row's last result (its mark, time and first error line); null clears the mark.
    virtual void SetRowResult(std::size_t row, const CompileOutcome* outcome) = 0;
    // A row being compiled, for so many seconds: "【実行中 12秒】".
    virtual void SetRowRunning(std::size_t row, double seconds) = 0;
    // Opens a log file with the program the system associates with it.
    virtual void OpenLog(const std::wstring& path) = 0;
    // The check box "更新分のみコンパイル".
    virtual void SetChangedOnly(bool ticked) = 0;
    // The field "条件付きコンパイル引数" (VB's /d constants).
    virtual void SetDefines(const std::wstring& text) = 0;
    // The field "同時実行数" (compiles at once).
    virtual void SetJobs(const std::wstring& text) = 0;
};

}  // namespace kinoha
