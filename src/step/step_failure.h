// Why a step count stopped: the command-line tool prints the reason, the window names the file
// and says why in its own words (by `kind`).
#pragma once

#include <string>
#include <utility>

namespace kinoha {

enum class StepFailureKind {
    None,
    ProjectUnreadable,      // the project file cannot be read
    MemberLineWithoutFile,  // a "Module="/"Class=" line names no file after "; "
    MemberUnreadable,       // a member file cannot be opened or read
    MemberEmpty,            // a Form, Doc, Dsr or Module file without a first line
    MemberUndated,          // a member file's date cannot be read
    MemberTooLarge,         // a member file beyond the size the count takes
    CountsTooLarge,         // a total beyond the report's 32-bit cells
    ReportUnnamed,          // the project path names no file to name the report after
    ReportUnwritable,       // the report file cannot be written
};

struct StepFailure {
    std::wstring file;    // the project, member or report file concerned
    std::wstring reason;  // what went wrong, in English
    StepFailureKind kind = StepFailureKind::None;
};

// Records why a count or diff stopped, where the caller asked to know; false, for `return`.
inline bool Fail(StepFailure* failure, StepFailureKind kind, std::wstring file,
                 std::wstring reason) {
    if (failure != nullptr) *failure = {std::move(file), std::move(reason), kind};
    return false;
}

}  // namespace kinoha
