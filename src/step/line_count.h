// Sorting the lines of one member file into screen part, code, comment and blank, and counting
// them. The classification is a pure function of the file's bytes and the count options.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "step/count_options.h"

namespace kinoha {

enum class MemberKind { Form, Module, Class, Doc, Dsr };

struct MemberCounts {
    std::int64_t screen = 0;
    std::int64_t code = 0;
    std::int64_t comment = 0;
    std::int64_t blank = 0;
};

enum class CountResult {
    Counted,
    CannotRead,  // the file does not exist or cannot be opened or read
    Empty,       // a Form, Doc, Dsr or Module file without a first line
};

// Counts the lines of a member file's bytes.
CountResult CountMemberBytes(MemberKind kind, std::string_view bytes, const CountOptions& options,
                             MemberCounts& counts);

// Counts the member file at `path`. The counts are all 0 unless the result is Counted.
CountResult CountMemberLines(MemberKind kind, const std::wstring& path, const CountOptions& options,
                             MemberCounts& counts);

}  // namespace kinoha
