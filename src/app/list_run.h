// A window that runs a job over the selected entries of its list: the batch compile window and
// the step count window. This holds what they share: the run state (idle, running, stop asked
// for) and the busy flag gStop it shares with the tray, the check of the selected files, the
// status line, the beep at the end and the close refused during a run. A window adds only how
// its controls show a run and what one entry's job is.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "app/message.h"
#include "app/window_geometry.h"

namespace kinoha {

// What the run asks of its window.
class ListRunView : public MessageSink {
  public:
    // The status line under the buttons.
    virtual void SetStatus(const std::wstring& text) = 0;
    // The selected rows of the list, in ascending order.
    virtual std::vector<std::size_t> SelectedRows() = 0;
    // The system's default beep.
    virtual void Beep() = 0;
};

// The status line's text until the first run.
inline constexpr wchar_t kListRunHint[] =
    L"複数選択可能：\u3000[Shift]＝連続選択\u3000[Ctrl]＝個別選択";

class ListRun {
  public:
    ListRun(const ListRun&) = delete;
    ListRun& operator=(const ListRun&) = delete;

    // The rows of the list, as the window's load took them.
    const std::vector<std::wstring>& Rows() const { return rows_; }
    // Whether a run is under way (also after a stop was asked for, until the job in progress
    // ends).
    bool Running() const { return running_; }
    // The stop button: the run ends after the job in progress.
    void StopRun();
    // The window is closing with the geometry it has now: the geometry is recorded whatever
    // happens. True when the window may close; false while a run of any window works (a run
    // asked to stop has not ended yet: the window must outlive it).
    bool MayClose(const WindowGeometry& current);

  protected:
    // `verb` names the job in the status texts: "<verb>開始", "<verb>中－k/n", "<verb>中止",
    // "<verb>終了". With `eventsBeforeEachJob` window events are also let through before each
    // job, not only after it.
    ListRun(ListRunView& view, std::wstring verb, bool eventsBeforeEachJob);
    virtual ~ListRun() = default;

    // The window's load: gStop True, the rows taken, the hint in the status line. Returns the
    // shared geometry (gTop, gLeft, gHeight, gWidth) the window opens at.
    WindowGeometry LoadRows(std::vector<std::wstring> rows);
    // Whether a run may start: none of ours is under way, and no other window's (gStop True).
    bool MayStart() const;
    // The selected rows when the file of every one exists; otherwise the "ファイル無し"
    // message is shown and the result is empty.
    std::vector<std::size_t> ValidSelection();
    // The run: gStop False, the controls in their running state and "<verb>開始"; then the
    // selection is checked (nothing usable ends the run with "<verb>中止：ファイルを選択して
    // 下さい", no beep); then each selected row's job from the top, the status line counting,
    // window events let through after each job, a stop seen there ending the run; at the end
    // "<verb>中止" or "<verb>終了", the controls idle, gStop True and a beep. Call it only when
    // MayStart.
    void RunSelected();

    // Another job for the next runs, with its own word in the status texts.
    void SetVerb(std::wstring verb) { verb_ = std::move(verb); }

    // How the window's controls show a run (true) and idleness (false).
    virtual void ShowRunning(bool running) = 0;
    // The checked selection in the order the jobs run; by default as it is (ascending). False
    // when the run must not start, with the status line's text in `refusal` (the window has
    // said why).
    virtual bool OrderRows(std::vector<std::size_t>& rows, std::wstring& refusal);
    // One entry's job.
    virtual void RunEntry(const std::wstring& entry) = 0;
    // One selected row's job: by default the job of its entry. A window that keeps a result per
    // row takes the row here.
    virtual void RunRow(std::size_t row) { RunEntry(rows_[row]); }
    // The jobs of the ordered rows; returns the rows a stop left out. By default one row after
    // the other (RunRow), the status line counting, window events let through after each job
    // and a stop seen there ending the run. A window that runs several at once does it here.
    virtual std::vector<std::size_t> RunRows(const std::vector<std::size_t>& rows);
    // The status line at the end: "<verb>中止" or "<verb>終了" unless a window says more.
    // `notRun` are the selected rows a stop left out.
    virtual std::wstring EndStatus(bool stopped, const std::vector<std::size_t>& notRun);
    // The sound at the end: the beep unless a window has another.
    virtual void EndSound();

  private:
    void Finish(const std::wstring& status);

    ListRunView& view_;
    std::wstring verb_;
    bool eventsBeforeEachJob_;
    std::vector<std::wstring> rows_;
    bool running_ = false;
};

}  // namespace kinoha
