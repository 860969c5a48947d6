// Making one entry of a planned run: the decision (compile, up to date, not run), the compile
// when it is due, and the result recorded in the plan. The batch compile window and kinoha-make
// both drive a run through it and only present what it returns.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "compile/compile_entry.h"
#include "compile/make_plan.h"

namespace kinoha {

struct MakeSettings {
    CompileSettings compile;
    bool changedOnly = false;  // an up-to-date entry gets 最新 instead of a compile
    // The log file for an entry about to be compiled; asked only when VB is to be started.
    std::function<std::wstring(const std::wstring& entry)> logFor;
};

struct MadeEntry {
    MakeStep step;           // what was decided, and why
    // Its result, with the reason's code and the plan's warnings; `reason` is left to the
    // caller to word.
    CompileOutcome outcome;
};

MadeEntry MakeEntry(MakePlan& plan, std::size_t i, const MakeSettings& settings);

}  // namespace kinoha
