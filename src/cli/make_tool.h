// kinoha-make: the batch compile of the window, run from the command line on the projects,
// groups and directories it is given, for build servers and scripts. The compile of each entry
// and the decision of its result are the window's (CompileEntry).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/step_tool.h"
#include "compile/compile_entry.h"

namespace kinoha {

// Text for standard output or standard error, a line or more at a time.
using LineWriter = std::function<void(const std::wstring& text)>;
// Bytes for standard output as they are (JSON with "--json -").
using ByteWriter = std::function<void(std::string_view bytes)>;

// Runs `kinoha-make` with the arguments after the program name. A line per entry as it ends and
// a summary go to `out`, messages to `err`. `run` starts VB (RunProcess outside tests). Returns
// the exit status (exit_codes.h).
int RunMakeTool(const std::vector<std::wstring>& args, const LineWriter& out, const LineWriter& err,
                const ByteWriter& bytesOut, const ProcessRunner& run = RunProcess);

}  // namespace kinoha
