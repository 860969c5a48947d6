// kinoha-make: the batch compile of the window, run from the command line on the projects,
// groups and directories it is given, for build servers and scripts. The compile of each entry
// and the decision of its result are the window's (CompileEntry).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/tool_streams.h"
#include "compile/compile_entry.h"

namespace kinoha {

// Runs `kinoha-make` with the arguments after the program name. A line per entry as it ends and
// a summary go to `out`, messages to `err`. `run` starts VB (RunProcess outside tests). Returns
// the exit status (exit_codes.h).
int RunMakeTool(const std::vector<std::wstring>& args, const ToolStreams& streams,
                const ProcessRunner& run = RunProcess);

}  // namespace kinoha
