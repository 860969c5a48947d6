// Counting one project's members into the report lines and writing the "_Step.csv" report.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "step/line_count.h"
#include "step/member_lists.h"
#include "step/step_failure.h"

namespace kinoha {

class StepWorkers;

// The report beside the project: the project file's name with its extension replaced by
// "_Step.csv" (C:\Src\Calc.VBP gives C:\Src\Calc_Step.csv). False when the path names no file.
bool StepReportPath(const std::wstring& projectPath, std::wstring& reportPath);

// "YYYY/MM/DD HH:MM".
std::wstring FormatStepDate(const platform::LocalDateTime& t);

// One member as the count saw it, for callers that show more than the report holds.
struct MemberStep {
    MemberKind kind = MemberKind::Form;
    std::wstring name;    // the report's name field
    std::wstring file;    // the member file (empty for a form whose file gave no name)
    MemberCounts counts;  // all 0 unless counted
    bool counted = false;
    platform::LocalDateTime date;  // the file's last change, when counted
    std::wstring failure;          // why it was not counted; empty when counted
};

struct StepCountOptions {
    bool writeReport = true;         // false: only the report lines are made
    StepWorkers* workers = nullptr;  // read the member files side by side
    StepFailure* failure = nullptr;  // receives why the count stopped
    MemberCounts* totals = nullptr;  // receives the totals line's counts
    CountOptions counting;           // how each member's lines count
    // Receives every member in report order, also when the count stops: the member that
    // stopped it carries the reason, those after it are marked as not reached.
    std::vector<MemberStep>* members = nullptr;
};

// Counts every member of `members` (lists in ReportOrder, each in its sorted order) into
// `lstStep`: the header, one line per member, the totals line; then writes them to the report file,
// in the ANSI code page with CR LF after every line, replacing an earlier report atomically. Any
// error stops it: `lstStep` keeps the lines made so far, no report is written and an earlier report
// stays as it was. True when the report was made.
bool CountProjectSteps(const std::wstring& projectPath, const MemberLists& members,
                       std::vector<std::wstring>& lstStep, const StepCountOptions& options = {});

// A member name as a report cell: a name that VB allows as it is; another is kept from shifting
// or adding cells or rows, and from becoming a spreadsheet formula.
std::wstring NameCell(std::wstring name);

// The report lines as the file holds them.
std::string StepReportBytes(const std::vector<std::wstring>& lstStep);

// Writes a report's lines to the file `namer` names after the project (StepReportPath,
// StepDiffReportPath), replacing it whole. False, with `failure` filled, when the project path
// names no file or the file cannot be written.
using ReportNamer = bool (*)(const std::wstring& projectPath, std::wstring& reportPath);
bool WriteStepReport(ReportNamer namer, const std::wstring& projectPath,
                     const std::vector<std::wstring>& lines, StepFailure* failure);

}  // namespace kinoha
