// A planned run: each entry decided when its turn comes (compile, up to date, not run), up to
// N compiles at once along the plan's references (MakeSchedule), each result recorded in the
// plan. The batch compile window and kinoha-make both drive a run through it and only present
// what it reports.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "compile/compile_entry.h"
#include "compile/make_plan.h"

namespace kinoha {

struct MakeSettings {
    CompileSettings compile;
    bool changedOnly = false;  // an up-to-date entry gets 最新 instead of a compile
    // The log file for an entry about to be compiled; asked only when VB is to be started.
    std::function<std::wstring(const std::wstring& entry)> logFor;
    std::size_t jobs = 1;   // compiles at once
    bool keepGoing = true;  // false: nothing new starts after a failure
};

struct MadeEntry {
    MakeStep step;  // what was decided, and why
    // Its result, with the reason's code and the plan's warnings; `reason` is left to the
    // caller to word.
    CompileOutcome outcome;
    std::size_t slot = 0;  // 1..jobs for a compile; 0 for an entry decided without one
};

struct MakeRunHooks {
    // A compile starts in a slot (its log file already chosen).
    std::function<void(std::size_t entry, std::size_t slot)> started;
    // An entry has its result.
    std::function<void(std::size_t entry, const MadeEntry& made)> ended;
    // Called about every 50 ms while compiles run, on the calling thread (the window lets its
    // events through here); without it the run just waits.
    std::function<void()> waiting;
    // Whether a stop was asked for: nothing new starts, the running compiles are waited for.
    std::function<bool()> stopAsked;
};

struct MakeRunReport {
    // Per entry of the plan: what came of it; empty for one a stop or a failure left out.
    std::vector<std::optional<MadeEntry>> made;
    bool stopped = false;  // a stop was asked for
    double wallSeconds = 0;
    double compileSeconds = 0;  // the compiles' times added up
};

// Runs the plan's entries. Compiles run on threads of their own; the hooks are called on the
// caller's thread. Every compile started has ended when this returns.
MakeRunReport RunMake(MakePlan& plan, const MakeSettings& settings, const MakeRunHooks& hooks);

// The most compiles at once a run takes; more asked for are capped.
inline constexpr std::size_t kMaxJobs = 64;

}  // namespace kinoha
