// The result of compiling one entry of a batch (a project or a whole group file), and the
// counts of a run as the status line and the command-line tool show them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kinoha {

enum class CompileResult {
    Succeeded,  // 成功: built
    Failed,     // 失敗: any signal said it did not build
    Stopped,    // 中止: not run because the user stopped, or a failure ended the run before it
    UpToDate,   // 最新: not compiled, its output is newer than everything it is made from
    NotRun,     // 未実行: not compiled, a project it references failed or was not compiled
};

// "成功", "失敗", "中止", "最新", "未実行".
const wchar_t* ResultLabel(CompileResult result);

struct CompileOutcome {
    CompileResult result = CompileResult::Stopped;
    // For a failure: the first error line of VB's log, or else why the entry failed.
    std::wstring firstError;
    // Why the entry was compiled or not: "出力なし", the newest changed file, "最新", the
    // referenced project that failed. Empty when not known.
    std::wstring reason;
    // VB's error lines from the log, in order (at most kMaxErrorLines of them).
    std::vector<std::wstring> errorLines;
    // A stable ASCII word for the result or why it failed ("built", "compile-error", "dialog",
    // "timeout", ...), for scripts that read the JSON report.
    std::wstring code;
    std::wstring reasonCode;  // the same for `reason` ("no-output", "input-newer", ...)
    // What the planning warned of, as codes ("no-compatibility"); no result hangs on them.
    std::vector<std::wstring> warnings;
    // The log file VB was told to write; empty when nothing was started.
    std::wstring logPath;
    double seconds = 0;
    // When the compile started and ended, milliseconds since 1970 (UTC); 0 when none ran.
    std::int64_t startMs = 0, endMs = 0;
};
inline constexpr std::size_t kMaxErrorLines = 100;

struct CompileCounts {
    std::size_t succeeded = 0, failed = 0, stopped = 0, upToDate = 0, notRun = 0;
    std::size_t Total() const { return succeeded + failed + stopped + upToDate + notRun; }
    void Add(CompileResult result);
};

// The status line at the end of a run: "コンパイル終了：成功 5／失敗 1", or after a stop
// "コンパイル中止：成功 2／失敗 0／中止 3"; "／最新 n" and "／未実行 n" follow 失敗 when there are
// any.
std::wstring CompileEndStatus(bool stopped, const CompileCounts& counts);

// A duration for people: "0.4秒", "12.3秒", "1分05秒".
std::wstring SecondsText(double seconds);

}  // namespace kinoha
