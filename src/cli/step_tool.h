// The command-line step count: the engine of the step count window, run on the projects named
// on the command line, for build servers and scripts.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/tool_streams.h"

namespace kinoha {

// Runs `kinoha-step` with the arguments after the program name. Normal output goes to `out`
// (or the --output file), messages to `err`, each as whole lines ending in "\n" (the progress
// line excepted). Returns the exit status (exit_codes.h).
int RunStepTool(const std::vector<std::wstring>& args, const ToolStreams& streams);

// The same with writers that cannot fail and no terminal (tests and benchmarks).
int RunStepTool(const std::vector<std::wstring>& args,
                const std::function<void(const std::wstring&)>& out,
                const std::function<void(const std::wstring&)>& err);

}  // namespace kinoha
