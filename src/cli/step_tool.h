// The command-line step count: the engine of the step count window, run on the projects named
// on the command line, for build servers and scripts.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kinoha {

// Writes text to a stream; false when it could not be written (a full disk, a closed stream).
using ToolWriter = std::function<bool(const std::wstring& text)>;

struct ToolStreams {
    ToolWriter out;                   // standard output
    std::function<bool()> finishOut;  // flushes standard output; false when that failed
    ToolWriter err;                   // standard error
    bool errIsTerminal = false;       // the progress line is shown only on a terminal
    std::chrono::milliseconds progressDelay{500};  // and only after the run took this long
};

// Runs `kinoha-step` with the arguments after the program name. Normal output goes to `out`
// (or the --output file), messages to `err`, each as whole lines ending in "\n" (the progress
// line excepted). Returns the exit status (exit_codes.h).
int RunStepTool(const std::vector<std::wstring>& args, const ToolStreams& streams);

// The same with writers that cannot fail and no terminal (tests and benchmarks).
int RunStepTool(const std::vector<std::wstring>& args,
                const std::function<void(const std::wstring&)>& out,
                const std::function<void(const std::wstring&)>& err);

}  // namespace kinoha
