// What one kinoha-step run found: every project with its members and problems, for the summary
// formats (summary_formats.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "step/step_failure.h"
#include "step/step_report.h"

namespace kinoha {

enum class ProjectState {
    Counted,  // report made, nothing to warn about
    Warned,   // report made, but something was not counted or read as VB reads it
    Failed,   // no report
};

// The state's word in the csv and json summaries.
inline const wchar_t* StateName(ProjectState state) {
    switch (state) {
        case ProjectState::Counted:
            return L"counted";
        case ProjectState::Warned:
            return L"warning";
        case ProjectState::Failed:
            return L"failed";
    }
    return L"";
}

struct ProjectStep {
    std::wstring path;
    ProjectState state = ProjectState::Failed;
    std::wstring report;  // the report file written; empty with --stdout or when failed
    std::size_t memberCount = 0;
    MemberCounts totals;
    std::vector<MemberStep> members;
    std::vector<StepFailure> problems;  // in the order they were found
};

// Said of each directory the search could not read.
inline constexpr const wchar_t* kUnreadableDirectory =
    L"the directory cannot be read; the projects in it were not counted";

struct StepRun {
    std::vector<ProjectStep> projects;
    std::size_t repeatsSkipped = 0;  // projects reached again after their first occurrence
    std::vector<std::wstring> unreadableDirectories;
    int status = 0;  // the exit status (exit_codes.h)
};

}  // namespace kinoha

namespace kinoha {

// The sums over the projects that were counted (a report made, warned or not).
struct RunTotals {
    std::size_t projects = 0, members = 0;
    MemberCounts counts;
};

inline RunTotals CountedTotals(const StepRun& run) {
    RunTotals t;
    for (const auto& p : run.projects) {
        if (p.state == ProjectState::Failed) continue;
        ++t.projects;
        t.members += p.memberCount;
        t.counts.screen += p.totals.screen;
        t.counts.code += p.totals.code;
        t.counts.comment += p.totals.comment;
        t.counts.blank += p.totals.blank;
    }
    return t;
}

}  // namespace kinoha
