#include "step/line_count.h"

namespace kinoha {
namespace {

struct Tally {
    MemberCounts c;
    void operator()(LineClass cls, std::string_view) {
        switch (cls) {
            case LineClass::Screen:
                ++c.screen;
                break;
            case LineClass::Code:
                ++c.code;
                break;
            case LineClass::Continued:
                break;
            case LineClass::Comment:
                ++c.comment;
                break;
            case LineClass::Blank:
                ++c.blank;
                break;
        }
    }
};

}  // namespace

bool HasLineFeedsOnly(std::string_view bytes) {
    if (bytes.find('\r') != std::string_view::npos) return false;
    const auto first = bytes.find('\n');
    return first != std::string_view::npos && bytes.find('\n', first + 1) != std::string_view::npos;
}

CountResult CountMemberBytes(MemberKind kind, std::string_view bytes, const CountOptions& options,
                             MemberCounts& counts) {
    counts = {};
    Tally tally;
    const CountResult result = ClassifyMemberBytes(kind, bytes, options, tally);
    if (result == CountResult::Counted) {
        counts = tally.c;
        counts.lineFeedsOnly = HasLineFeedsOnly(bytes);
    }
    return result;
}

CountResult CountMemberLines(MemberKind kind, const std::wstring& path, const CountOptions& options,
                             MemberCounts& counts) {
    counts = {};
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) return CountResult::CannotRead;
    return CountMemberBytes(kind, bytes, options, counts);
}

}  // namespace kinoha
