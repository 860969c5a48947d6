// The changed-step count of one member between two versions: for each class of line (screen
// part, code, comment) the lines added, deleted and changed. Lines are compared after
// classification with the count's rules: blank lines left out, blanks and tabs at either end
// ignored, a continued statement one step when the "_" rule is on. Within one block of
// replaced lines the paired lines of a class count as changed, the rest as added or deleted.
#pragma once

#include <cstdint>
#include <string_view>

#include "step/count_options.h"
#include "step/line_classifier.h"
#include "step/line_count.h"

namespace kinoha {

struct ClassDiff {
    std::int64_t added = 0;
    std::int64_t changed = 0;
    std::int64_t deleted = 0;
};

struct MemberDiff {
    ClassDiff screen, code, comment;
    bool Unchanged() const;
    MemberDiff& operator+=(const MemberDiff& other);
};

// Compares the two versions' bytes. Counted, or the reason one version cannot be counted
// (Empty), in which case `diff` is all 0.
CountResult DiffMemberBytes(MemberKind kind, std::string_view oldBytes, std::string_view newBytes,
                            const CountOptions& options, MemberDiff& diff);

// A member found in one version only: its steps are all added (or all deleted).
MemberDiff AddedMember(const MemberCounts& counts);
MemberDiff DeletedMember(const MemberCounts& counts);

}  // namespace kinoha
