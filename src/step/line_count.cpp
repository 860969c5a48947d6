#include "step/line_count.h"

#include <optional>

#include "platform/platform.h"
#include "step/line_splitter.h"
#include "step/member_scanner.h"

namespace kinoha {
namespace {

// The scanner's classes added up; no line is kept.
class Tally {
  public:
    Tally(MemberKind kind, const CountOptions& options) : scanner_(kind, options) {}

    void Piece(std::string_view bytes) { scanner_.Piece(bytes); }
    void End() {
        LineClass cls;
        if (scanner_.End(cls)) Add(cls);
    }
    void Line(std::string_view bytes) {
        LineClass cls;
        if (scanner_.Line(bytes, cls)) Add(cls);
    }

    CountResult Finish(MemberCounts& counts) const {
        const CountResult result = scanner_.Finish();
        if (result == CountResult::Counted) counts = c_;
        return result;
    }

  private:
    void Add(LineClass cls) {
        switch (cls) {
            case LineClass::Screen:
                ++c_.screen;
                break;
            case LineClass::Code:
                ++c_.code;
                break;
            case LineClass::Continued:
                break;
            case LineClass::Comment:
                ++c_.comment;
                break;
            case LineClass::Blank:
                ++c_.blank;
                break;
        }
    }

    line_rules::MemberScanner scanner_;
    MemberCounts c_;
};

}  // namespace

void LineEnds::Feed(std::string_view block) {
    if (!carriageReturn_ && block.find('\r') != std::string_view::npos) carriageReturn_ = true;
    for (std::size_t at = 0; lineFeeds_ < 2; ++at) {
        at = block.find('\n', at);
        if (at == std::string_view::npos) break;
        ++lineFeeds_;
    }
}

bool HasLineFeedsOnly(std::string_view bytes) {
    LineEnds ends;
    ends.Feed(bytes);
    return ends.LineFeedsOnly();
}

CountResult CountMemberBytes(MemberKind kind, std::string_view bytes, const CountOptions& options,
                             MemberCounts& counts) {
    counts = {};
    Tally tally(kind, options);
    LineSplitter<Tally> lines(tally);
    lines.Feed(bytes);
    lines.Finish();
    const CountResult result = tally.Finish(counts);
    if (result == CountResult::Counted) counts.lineFeedsOnly = HasLineFeedsOnly(bytes);
    return result;
}

CountResult CountMemberLines(MemberKind kind, const std::wstring& path, const CountOptions& options,
                             MemberCounts& counts) {
    counts = {};
    std::optional<Tally> tally;
    std::optional<LineSplitter<Tally>> lines;
    LineEnds ends;
    std::uint64_t size = 0;
    bool tooLarge = false;
    const bool read = platform::ReadFileBlocks(
        path,
        [&] {
            lines.reset();
            tally.emplace(kind, options);
            lines.emplace(*tally);
            ends = {};
            size = 0;
        },
        [&](std::string_view block) {
            size += block.size();
            if (size > options.maxBytes) {
                tooLarge = true;
                return false;
            }
            lines->Feed(block);
            ends.Feed(block);
            return true;
        });
    if (tooLarge) return CountResult::TooLarge;
    if (!read) return CountResult::CannotRead;
    lines->Finish();
    const CountResult result = tally->Finish(counts);
    if (result == CountResult::Counted) counts.lineFeedsOnly = ends.LineFeedsOnly();
    return result;
}

}  // namespace kinoha
