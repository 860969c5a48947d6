// Compiling one entry of a batch (a project, or a group file as one) and deciding its result
// from every signal: whether VB could be started, whether it showed a dialog box or ran past its
// time, its exit code, its log, and whether the output files were written during this compile.
// The batch compile window and kinoha-make share it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compile/compile_result.h"
#include "platform/platform.h"

namespace kinoha {

// The command line that compiles one project or group file: the VB executable with its program
// part quoted (QuotedProgram), " /make " and the quoted path, " /outdir " and the quoted folder
// when there is one, " /out " and the quoted log file, then " /d " and the constants when there
// are any.
std::wstring CompileCommandLine(const std::wstring& vbMain, const std::wstring& path,
                                const std::wstring& outDir, const std::wstring& logPath,
                                const std::wstring& defines = {});

// The output folder as it can stand between quotes on the command line: trailing backslashes
// dropped (a drive root keeps its root as "C:\."). Empty when the folder holds a double quote
// and cannot be passed at all.
std::wstring OutDirArgument(const std::wstring& outDir);

// One conditional compilation constant as VB's /d takes it, "NAME=VALUE": NAME a VB identifier
// (an ASCII letter, then letters, digits and "_", at most 255), VALUE a whole number, optionally
// negative, within 32 bits. With `blanks`, blanks around NAME, "=" and VALUE are allowed (VB's
// own project dialog writes "A = 1"). Nothing when it is not one: no text can add a switch.
std::optional<std::wstring> DefineItem(std::wstring_view item, bool blanks);
// A list "A=1:B=-2" (blanks allowed) as VB takes it; nothing when an item is not a constant.
// An empty or blank text is the empty list.
std::optional<std::wstring> DefineList(std::wstring_view text);

using ProcessOutcome = platform::SupervisedEnd;
// Runs a command line to its end as RunSupervised does; tests put a fake in its place.
using ProcessRunner = std::function<ProcessOutcome(const std::wstring& commandLine,
                                                   const platform::SupervisedRun& how)>;
// The platform's run (RunSupervised), window events handled while it waits.
ProcessOutcome RunProcess(const std::wstring& commandLine, const platform::SupervisedRun& how);

struct CompileSettings {
    std::wstring vbMain;
    std::chrono::seconds timeLimit{1800};  // for each entry; 0: none
    std::wstring defines;                  // checked (DefineList), "A=1:B=0"; empty: none
    ProcessRunner run = RunProcess;
};

// What one compile is given, from the plan's reading of the entry's project files.
struct CompileTarget {
    std::wstring entry;                 // the project or group file
    std::wstring outDir;                // the output folder for /outdir; empty for none
    std::vector<std::wstring> outputs;  // the files the compile writes, where they are known
};

// Compiles the target, its log going to `logPath`. A project file that VB5 needs rewritten is
// prepared first (PrepareProjectForVb), and the output folder is made with its parents. VB runs
// without an elevation request, and is ended (with all it started) when it shows a dialog box or
// its time passes. Any failing signal makes the result Failed; a log without a verdict fails
// unless VB ended with 0, the log holds no error line and every output was written (a VB in
// another language). Nothing is started when the entry's path or output folder holds a double
// quote or the folder cannot be made, when there is no log file to give VB, or when the VB
// executable does not exist.
CompileOutcome CompileEntry(const CompileSettings& settings, const CompileTarget& target,
                            const std::wstring& logPath);

}  // namespace kinoha
