// Counting one project: its members read from the project file, every member counted, the
// report written beside it. The step count window and kinoha-step both count through it and only
// present what it returns.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "step/count_options.h"
#include "step/line_count.h"
#include "step/step_failure.h"
#include "step/step_report.h"

namespace kinoha {

class StepWorkers;

struct ProjectCountOptions {
    bool writeReport = true;         // false: only the report lines are made
    StepWorkers* workers = nullptr;  // read the member files side by side
    CountOptions counting;
};

struct ProjectCount {
    bool counted = false;  // the report lines were made (and the report written when asked)
    // Why it was not counted, naming the file concerned.
    StepFailure failure;
    // Counted, but the member list stopped at a line that names no file: the members listed
    // before it were counted.
    std::optional<StepFailure> listCut;
    bool lineFeedsOnly = false;  // the project file has line feeds but no carriage return
    MemberCounts totals;         // the totals line's counts; all 0 unless counted
    std::size_t memberCount = 0;
    std::vector<MemberStep> members;  // every member in report order (see StepCountOptions)
};

// Counts the project into `lstStep` (the report's lines). A project file that cannot be read
// gives no report, so an earlier, true one stays.
ProjectCount CountProject(const std::wstring& projectPath, const ProjectCountOptions& options,
                          std::vector<std::wstring>& lstStep);

}  // namespace kinoha
