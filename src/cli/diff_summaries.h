// What one kinoha-step --diff run found, and its summary in each --format. The _StepDiff.csv
// reports are not touched here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "step/member_diff.h"
#include "step/step_failure.h"

namespace kinoha {

struct ProjectDiff {
    std::wstring path;
    std::wstring older;  // empty: no older version, every member counted as new
    bool compared = false;
    std::wstring report;         // the report written; empty with --stdout or when failed
    std::size_t states[4] = {};  // members added, deleted, changed, unchanged
    MemberDiff totals;
    std::vector<StepFailure> problems;  // why it was not compared
};

struct DiffRun {
    std::vector<ProjectDiff> projects;
    std::vector<std::wstring> olderOnly;  // projects of OLD that NEW does not have
    int status = 0;                       // the exit status (exit_codes.h)
};

std::wstring DiffTextLine(const ProjectDiff& project, const std::wstring& here);
std::wstring DiffTextTotal(const DiffRun& run);
// csv: a header and one row per project; markdown: a table with a total row and the problems;
// json: the whole run, ASCII only.
std::wstring DiffCsvSummary(const DiffRun& run, const std::wstring& here);
std::wstring DiffMarkdownSummary(const DiffRun& run, const std::wstring& here);
std::wstring DiffJsonSummary(const DiffRun& run, const std::wstring& here);

}  // namespace kinoha
