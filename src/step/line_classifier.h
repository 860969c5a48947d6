// The classification of a member file's lines into screen part, code, comment and blank. The
// count adds the classes up as the file streams by (line_count.h); the diff compares the
// classified lines of two versions. A pure function of the bytes, the kind and the count options.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "catalogue/project_file.h"
#include "step/count_options.h"

namespace kinoha {

// Form, Doc and Dsr (and Ctl and Pag, the user controls and property pages counted on demand)
// share the rules with a screen part; Module and Class (MemberKind) have none.

enum class LineClass {
    Screen,
    Code,       // a line that adds one code step
    Continued,  // a code line that adds none: it is continued on the next line ("_" rule)
    Comment,
    Blank,
};

enum class CountResult {
    Counted,
    CannotRead,  // the file does not exist or cannot be opened or read
    Empty,       // a Form, Doc, Dsr, Ctl, Pag or Module file without a first line
    TooLarge,    // the file is larger than the options' maxBytes (kMaxMemberBytes)
};

// The largest member file counted: 2 GiB - 1 bytes. Its lines, and so each of its counts, then
// fit the report's 32-bit cells, and a count takes seconds, not hours. A larger file is
// reported as too large.
inline constexpr std::uint64_t kMaxMemberBytes = 0x7FFFFFFF;
static_assert(CountOptions{}.maxBytes == kMaxMemberBytes);

using LineSink = std::function<void(LineClass, std::string_view line)>;

// Calls sink(class, line bytes) for every line of the member file's bytes that belongs to a
// class, in file order (the version line of a form-like or module file and a class file's
// header belong to none). The sink has been called for nothing unless the result is Counted.
CountResult ClassifyMemberLines(MemberKind kind, std::string_view bytes,
                                const CountOptions& options, const LineSink& sink);

template <class Sink>
CountResult ClassifyMemberBytes(MemberKind kind, std::string_view bytes,
                                const CountOptions& options, Sink& sink) {
    return ClassifyMemberLines(kind, bytes, options,
                               [&sink](LineClass cls, std::string_view line) { sink(cls, line); });
}

}  // namespace kinoha
