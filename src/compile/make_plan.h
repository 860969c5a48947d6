// The make side of a batch compile: which entries need compiling and in what order. Each
// project's references are related to the projects that build the referenced files, the
// entries are ordered so that a project comes after those it references (otherwise list order),
// and each entry is told up to date or not from the write times of its output and its inputs.
// The batch compile window and kinoha-make share it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compile/compile_entry.h"
#include "compile/compile_result.h"
#include "compile/make_memory.h"
#include "compile/project_inputs.h"

namespace kinoha {

struct MakeState {
    bool upToDate = false;
    // "最新"; or why not: "出力なし", "更新" (the newest changed file), "ファイル無し", ...
    std::wstring reason;
    std::wstring file;  // the file the reason is about; empty when none
    std::wstring code;  // the reason as a stable ASCII word ("no-output", "input-newer", ...)
    // The reason for people: "更新：C:\src\frmMain.frm"; the command line shows the file its way.
    std::wstring Text() const { return file.empty() ? reason : reason + L"：" + file; }
};

// What to do with an entry when its turn comes, and why.
struct MakeStep {
    enum class Action { Compile, UpToDate, NotRun } action = Action::Compile;
    MakeState why;
};

class MakePlan {
  public:
    // `entries`: the entries to compile (project or group files), in list order. `known`: every
    // entry of the list the run was chosen from; the outputs of their projects count as inputs
    // of the projects that reference them, but only `entries` are ordered. Reads the project
    // files; writes nothing.
    // `memory`: the file of what the make remembers between runs (MakeMemory); empty for none.
    MakePlan(std::vector<std::wstring> entries, const std::vector<std::wstring>& known,
             const std::wstring& memory = {});

    const std::wstring& EntryPath(std::size_t i) const { return entries_[i].path; }
    // Indexes into the entries, in the order to compile them. Empty when there is a cycle.
    const std::vector<std::size_t>& Order() const { return order_; }
    // The projects of a reference cycle, "A.vbp → B.vbp → A.vbp"; empty when there is none.
    const std::wstring& Cycle() const { return cycle_; }
    // The entries an entry is compiled after (those whose output it references).
    const std::vector<std::size_t>& After(std::size_t i) const { return entries_[i].after; }
    // The entries an entry must wait for when several compile at once: those it comes after,
    // and the earlier ones in Order() that share a project or an output file with it (never two
    // VB processes on one file). Only After decides whether it is compiled at all.
    const std::vector<std::size_t>& Waits(std::size_t i) const { return entries_[i].waits; }
    // The seconds the entry's last successful compile took, as the make remembers it.
    std::optional<double> LastSeconds(std::size_t i) const;
    // What the planning noticed about an entry: a reference matched by file name only, a
    // project that references its own output, another project building the same file.
    const std::vector<std::wstring>& Notes(std::size_t i) const { return entries_[i].notes; }
    // The codes of the notes that warn ("no-compatibility": a library other selected projects
    // reference is built without binary compatibility).
    const std::vector<std::wstring>& Warnings(std::size_t i) const { return entries_[i].warnings; }

    // What the compile of entry i is given, from the plan's reading: a project's output folder
    // (a group gets none: each of its projects names its own) and the files it writes.
    CompileTarget Target(std::size_t i) const;

    // The entry's state from its files as they are now.
    // `elsewhere`: whether files on a host other than the entry's own are looked at (a dry run
    // leaves them alone: asking a host a project file names offers it the user's credentials).
    MakeState StateNow(std::size_t i, bool elsewhere = true) const;
    // Every entry's state as a run would find it, in entry order: an entry that is up to date
    // but comes after one that is not will be compiled after it.
    std::vector<MakeState> Forecast() const;

    // During a run, in Order(): what to do with entry i (nothing compiled when an entry it comes
    // after failed or was not run; up to date only with `changedOnly`), then what came of it
    // (a success remembers each project file as VB left it).
    MakeStep Next(std::size_t i, bool changedOnly) const;
    // `seconds`: how long the compile took (negative: not compiled).
    void Record(std::size_t i, CompileResult result, double seconds = -1);

  private:
    struct Entry {
        std::wstring path;
        std::vector<ProjectInputs> projects;  // a group's projects, or the project itself
        // Per project: outputs of other projects it references, inputs like its members.
        std::vector<std::vector<std::wstring>> referencedOutputs;
        std::vector<std::size_t> after;
        std::vector<std::size_t> waits;
        std::vector<std::wstring> notes;
        std::vector<std::wstring> warnings;  // codes of the notes that warn
        std::optional<CompileResult> result;
    };
    void Relate(const std::vector<std::wstring>& known);
    void Sort();
    void Exclude();

    std::vector<Entry> entries_;
    MakeMemory memory_;
    std::vector<std::size_t> order_;
    std::wstring cycle_;
};

}  // namespace kinoha
