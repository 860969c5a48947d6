// The command-line step count: the engine of the step count window, run on the projects named
// on the command line, for build servers and scripts.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kinoha {

using ToolWriter = std::function<void(const std::wstring& text)>;

// Runs `kinoha-step` with the arguments after the program name. Normal output goes to `out`,
// messages to `err`, each as whole lines ending in "\n". Returns the exit status (exit_codes.h).
int RunStepTool(const std::vector<std::wstring>& args, const ToolWriter& out,
                const ToolWriter& err);

}  // namespace kinoha
