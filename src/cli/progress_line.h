// The progress line of kinoha-step on a terminal: projects done, the total and the project being
// counted, rewritten in place on standard error. Shown only when standard error is a terminal
// and the run has taken longer than a delay, so that short runs and logs stay clean.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace kinoha {

class ProgressLine {
  public:
    using Writer = std::function<bool(const std::wstring& text)>;
    ProgressLine(Writer err, bool terminal, std::chrono::milliseconds delay);

    // Before counting project `done` + 1 of `total`, whose shown path is `current`.
    void Show(std::size_t done, std::size_t total, const std::wstring& current);
    // Removes the line (before a message, and at the end).
    void Clear();

  private:
    Writer err_;
    bool terminal_;
    std::chrono::milliseconds delay_;
    std::chrono::steady_clock::time_point start_;
    std::size_t width_ = 0;  // terminal columns the line on screen takes
};

}  // namespace kinoha
