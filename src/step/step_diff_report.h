// The changed-step report of one project between two versions: its members matched by their
// path relative to the project folder (letter case ignored), each compared (member_diff.h),
// written as "<project>_StepDiff.csv" beside the newer project file.
#pragma once

#include <string>
#include <vector>

#include "step/count_options.h"
#include "step/member_diff.h"
#include "step/step_failure.h"

namespace kinoha {

class StepWorkers;

// The step report's path (StepReportPath) with "_StepDiff.csv" in place of "_Step.csv".
bool StepDiffReportPath(const std::wstring& projectPath, std::wstring& reportPath);

enum class DiffState { Added, Deleted, Changed, Unchanged };

struct StepDiffOptions {
    bool writeReport = true;         // false: only the report lines are made
    StepWorkers* workers = nullptr;  // read and compare the member files side by side
    StepFailure* failure = nullptr;  // receives why the comparison stopped
    MemberDiff* totals = nullptr;    // receives the totals line's counts
    std::size_t* states = nullptr;   // receives the number of members in each DiffState (4)
    CountOptions counting;           // how the lines of each version classify
};

// Compares the project `newProject` with its older version `oldProject` (empty: there is none,
// every member is added) into `lines`: the header, one line per member (lists in report order,
// a member of the older version only in its kind's place), the totals line; then writes them
// beside the newer project in the ANSI code page with CR LF after every line, replacing an
// earlier report atomically. A project or member file that cannot be read or counted stops it:
// no report is written and an earlier one stays. True when the report was made.
bool DiffProjectSteps(const std::wstring& oldProject, const std::wstring& newProject,
                      std::vector<std::wstring>& lines, const StepDiffOptions& options = {});

}  // namespace kinoha
