// Where the logs of one compile run go: a folder per run named by its date and time under the
// per-user logs folder (%LOCALAPPDATA%\Kinoha\logs), the last runs kept and older ones removed,
// the temporary folder when the per-user one cannot be written; one log file per entry, named
// after it.
#pragma once

#include <ctime>
#include <set>
#include <string>

namespace kinoha {

inline constexpr int kKeptLogRuns = 20;

class CompileLogFolder {
  public:
    // A run folder "yyyyMMdd-HHmmss" (with "-2", "-3", ... when taken) under `root`, or under
    // `fallbackRoot` when `root` cannot be written. Run folders beyond the newest `keep` under
    // the root used are removed: their ".log" files and then the folder, when nothing else is
    // left in it.
    static CompileLogFolder ForRun(const std::wstring& root, const std::wstring& fallbackRoot,
                                   const std::tm& now, int keep = kKeptLogRuns);
    // The logs folder of the program: PerUserDirectory()\logs, else the temporary folder's
    // Kinoha\logs.
    static CompileLogFolder ForRun(const std::tm& now);
    // The same, for a run starting now (local time).
    static CompileLogFolder ForRunNow();
    // Logs written straight into `folder` (kinoha-make --log-dir); the temporary folder when
    // `folder` cannot be written.
    static CompileLogFolder Given(const std::wstring& folder);

    // The folder in use; empty when no folder at all could be made.
    const std::wstring& Folder() const { return folder_; }
    // True when the folder asked for could not be written and the temporary folder is used.
    bool FellBack() const { return fellBack_; }

    // The log path for an entry: its file name without extension and ".log"; a second entry of
    // the same name in this run gets "-2" and so on.
    std::wstring PathFor(const std::wstring& entry);

  private:
    std::wstring folder_;
    bool fellBack_ = false;
    std::set<std::wstring> taken_;
};

}  // namespace kinoha
