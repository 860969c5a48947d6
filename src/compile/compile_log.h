// Reading the log that VB writes for "/out": a line saying that the build of the target
// succeeded or failed, and error lines naming file, line and message. The log is text in the
// ANSI code page; a log of any size or encoding is read with bounded memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kinoha {

struct CompileLogReading {
    bool read = false;                     // the file could be read
    std::size_t succeeded = 0;             // lines saying a build succeeded
    std::wstring failureLine;              // the first line saying a build failed
    std::vector<std::wstring> errorLines;  // the first error lines, at most `maxErrorLines`
    // The first lines that are not empty, at most kLogFirstLines: VB's own words for a log
    // without a verdict or an error line ("File not found: '...'").
    std::vector<std::wstring> firstLines;
};

// Only the first kLogLineShown bytes of a line are decoded and kept: enough for VB's error
// lines, while a log that is one endless line costs no more.
inline constexpr std::size_t kLogLineShown = 1024;
inline constexpr std::size_t kLogFirstLines = 3;

CompileLogReading ReadCompileLog(const std::wstring& path, std::size_t maxErrorLines);

// The same reading of log bytes already in memory.
CompileLogReading ReadCompileLogBytes(std::string_view bytes, std::size_t maxErrorLines);

}  // namespace kinoha
