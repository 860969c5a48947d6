// Starting other programs: a document or program opened and left alone (LaunchFile), and a
// command line run to its end while the windows stay responsive (RunAndWait).
#pragma once

#include <cstdint>
#include <string>

namespace kinoha {

// What the shell is given for a document path: the file and its working directory.
struct ShellTarget {
    std::wstring file;
    std::wstring directory;
};
// The file and working directory for `path`, with the program's directory `programDir`:
// a bare name opens in the program's directory; a path beginning with "..\" is taken relative
// to the program's directory; any other path opens in its own folder.
ShellTarget PlanShellOpen(const std::wstring& path, const std::wstring& programDir);

// Opens the document or program at `path` through the shell without waiting. The path is a
// path, never a command line, whatever ".EXE " its folders hold. `result` is 0 when started
// (or not known to have failed), 2 when nothing was started.
void LaunchFile(void* ownerWindow, const std::wstring& path, std::int16_t& result);

// Runs the command line and returns when its process has ended. False when the program at its
// head does not exist or nothing could be started or watched.
bool RunAndWait(const std::wstring& commandLine);

}  // namespace kinoha
