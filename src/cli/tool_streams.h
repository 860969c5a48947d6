// Where the command-line tools write: the one writer type of kinoha-step and kinoha-make.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace kinoha {

// Writes text to a stream; false when it could not be written (a full disk, a closed stream).
using ToolWriter = std::function<bool(const std::wstring& text)>;
// Writes bytes as they are (JSON with "--json -"); false when they could not be written.
using ByteWriter = std::function<bool(std::string_view bytes)>;

struct ToolStreams {
    ToolWriter out;                   // standard output
    std::function<bool()> finishOut;  // flushes standard output; false when that failed
    ToolWriter err;                   // standard error
    ByteWriter bytesOut;              // standard output, bytes as they are
    bool errIsTerminal = false;       // the progress line is shown only on a terminal
    // Whether the terminal's code page holds every character of a text (a Japanese reason on
    // a Western console does not): where it does not, a stable code is shown beside it.
    std::function<bool(const std::wstring& text)> shows = [](const std::wstring&) { return true; };
    std::chrono::milliseconds progressDelay{500};  // and only after the run took this long
};

// The process's standard output and error, text converted for the terminal. With `flushEach`
// every write is flushed, so a build server's log shows each line as it comes.
ToolStreams StandardStreams(bool flushEach);

}  // namespace kinoha
