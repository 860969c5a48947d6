// Counting the lines of one member file by class: screen part, code, comment and blank. The
// count is a pure function of the file's bytes and the count options (line_classifier.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "step/count_options.h"
#include "step/line_classifier.h"

namespace kinoha {

struct MemberCounts {
    std::int64_t screen = 0;
    std::int64_t code = 0;
    std::int64_t comment = 0;
    std::int64_t blank = 0;
};

// Counts the lines of a member file's bytes.
CountResult CountMemberBytes(MemberKind kind, std::string_view bytes, const CountOptions& options,
                             MemberCounts& counts);

// Counts the member file at `path`. The counts are all 0 unless the result is Counted.
CountResult CountMemberLines(MemberKind kind, const std::wstring& path, const CountOptions& options,
                             MemberCounts& counts);

}  // namespace kinoha
