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
    // The file has line feeds but no carriage return, so it was read as one line, as VB reads
    // it (a checkout that converted the line ends); the counts above are those of that reading.
    bool lineFeedsOnly = false;
};

// No carriage return at all but more than one line feed: a file whose CR LF line ends were
// converted to LF, which VB (and the count) reads as one line.
bool HasLineFeedsOnly(std::string_view bytes);

// The same question asked of a file read in blocks.
class LineEnds {
  public:
    void Feed(std::string_view block);
    bool LineFeedsOnly() const { return !carriageReturn_ && lineFeeds_ > 1; }

  private:
    bool carriageReturn_ = false;
    int lineFeeds_ = 0;  // counted up to 2
};

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
