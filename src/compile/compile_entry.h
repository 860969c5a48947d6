// Compiling one entry of a batch (a project, or a group file as one) and deciding its result
// from every signal: whether VB could be started, its exit code, its log, and whether the
// output files were written during this compile. The batch compile window and kinoha-make
// share it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compile/compile_result.h"

namespace kinoha {

// The command line that compiles one project or group file: the VB executable with its program
// part quoted (QuotedProgram), " /make " and the quoted path, " /outdir " and the quoted folder
// when there is one, then " /out " and the quoted log file.
std::wstring CompileCommandLine(const std::wstring& vbMain, const std::wstring& path,
                                const std::wstring& outDir, const std::wstring& logPath);

// The output folder as it can stand between quotes on the command line: trailing backslashes
// dropped (a drive root keeps its root as "C:\."). Empty when the folder holds a double quote
// and cannot be passed at all.
std::wstring OutDirArgument(const std::wstring& outDir);

struct ProcessOutcome {
    bool started = false;  // the process was started and watched to its end
    std::uint32_t exitCode = 0;
};
// Runs a command line to its end; tests put a fake in its place.
using ProcessRunner = std::function<ProcessOutcome(const std::wstring& commandLine)>;
// The platform's run (RunCommandLineAndWait), window events handled while it waits.
ProcessOutcome RunProcess(const std::wstring& commandLine);

// What one compile is given, from the plan's reading of the entry's project files.
struct CompileTarget {
    std::wstring entry;                 // the project or group file
    std::wstring outDir;                // the output folder for /outdir; empty for none
    std::vector<std::wstring> outputs;  // the files the compile writes, where they are known
};

// Compiles the target with the VB executable `vbMain`, its log going to `logPath`. A project file
// that VB5 needs rewritten is prepared first (PrepareProjectForVb). Any failing signal makes
// the result Failed; an output whose path is not known is no signal. Nothing is started when the
// entry's path or output folder holds a double quote, when there is no log file to give VB, or when
// the VB executable does not exist.
CompileOutcome CompileEntry(const std::wstring& vbMain, const CompileTarget& target,
                            const std::wstring& logPath, const ProcessRunner& run);

}  // namespace kinoha
