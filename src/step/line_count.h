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
    TooLarge,    // the file is larger than the options' maxBytes (kMaxMemberBytes)
};

// The largest member file counted: 2 GiB - 1 bytes. Its lines, and so each of its counts, then
// fit the report's 32-bit cells, and a count takes seconds, not hours. A larger file is
// reported as too large.
inline constexpr std::uint64_t kMaxMemberBytes = 0x7FFFFFFF;
static_assert(CountOptions{}.maxBytes == kMaxMemberBytes);

// Counts the lines of a member file's bytes.
CountResult CountMemberBytes(MemberKind kind, std::string_view bytes, const CountOptions& options,
                             MemberCounts& counts);

// Counts the member file at `path`. The file is read block by block and no line is kept: the
// memory a count takes does not grow with the file or its lines (where the code page keeps
// ASCII; otherwise one decoded line is kept at a time). The counts are all 0 unless the result
// is Counted.
CountResult CountMemberLines(MemberKind kind, const std::wstring& path, const CountOptions& options,
                             MemberCounts& counts);

}  // namespace kinoha
