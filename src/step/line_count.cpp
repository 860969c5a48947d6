#include "step/line_count.h"

#include <cstring>

#include "platform/platform.h"

namespace kinoha {
namespace {

// The line tests, written once for raw bytes and for decoded text. Trimming removes the space
// character only; every test is exact and case-sensitive.
template <class Char>
struct Tests {
    using View = std::basic_string_view<Char>;

    static View Trim(View s) {
        while (!s.empty() && s.front() == Char(' ')) s.remove_prefix(1);
        while (!s.empty() && s.back() == Char(' ')) s.remove_suffix(1);
        return s;
    }
    static bool IsComment(View s) {
        if (!s.empty() && s[0] == Char('\'')) return true;
        return s.size() >= 3 && s[0] == Char('R') && s[1] == Char('e') && s[2] == Char('m');
    }
    static bool HasAttribute(View s) {
        static constexpr Char kKey[] = {'A', 't', 't', 'r', 'i', 'b', 'u', 't', 'e', ' '};
        return s.find(View(kKey, 10)) != View::npos;
    }
    static bool EndsWithUnderscore(View s) { return !s.empty() && s.back() == Char('_'); }
};
using ByteTests = Tests<char>;
using TextTests = Tests<wchar_t>;

bool IsAsciiOnly(std::string_view s) {
    unsigned char any = 0;
    for (const char c : s) any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

// One line of the file. Where the code page keeps ASCII, a byte below 0x80 at the start of a
// character is that character, so the tests that look only at the start of the line (leading
// blanks, comment, empty) are exact on the bytes of any line; a line of ASCII bytes only is its
// own text. The tests that look past the start of a line holding other bytes (where a second
// byte of a double-byte character can look like "_" or "A") run on the decoded text.
class Line {
  public:
    Line(std::string_view bytes, bool keepsAscii) : bytes_(bytes), keepsAscii_(keepsAscii) {}

    bool Empty() const { return bytes_.empty(); }
    bool TrimmedEmpty() const {
        if (keepsAscii_) return bytes_.find_first_not_of(' ') == std::string_view::npos;
        return TextTests::Trim(Text()).empty();
    }
    bool IsComment(bool trimmed) const {
        if (keepsAscii_) return ByteTests::IsComment(trimmed ? LeftTrimmed() : bytes_);
        return TextTests::IsComment(trimmed ? TextTests::Trim(Text()) : Text());
    }
    bool HasAttribute(bool trimmed) const {
        if (Plain()) return ByteTests::HasAttribute(trimmed ? ByteTests::Trim(bytes_) : bytes_);
        return TextTests::HasAttribute(trimmed ? TextTests::Trim(Text()) : Text());
    }
    bool EndsWithUnderscore(bool trimmed) const {
        if (Plain())
            return ByteTests::EndsWithUnderscore(trimmed ? ByteTests::Trim(bytes_) : bytes_);
        return TextTests::EndsWithUnderscore(trimmed ? TextTests::Trim(Text()) : Text());
    }

  private:
    std::string_view LeftTrimmed() const {
        const auto p = bytes_.find_first_not_of(' ');
        return p == std::string_view::npos ? std::string_view() : bytes_.substr(p);
    }
    bool Plain() const {
        if (plain_ < 0) plain_ = keepsAscii_ && IsAsciiOnly(bytes_) ? 1 : 0;
        return plain_ == 1;
    }
    std::wstring_view Text() const {
        if (!decoded_) {
            text_ = platform::DecodeAnsi(bytes_);
            decoded_ = true;
        }
        return text_;
    }

    std::string_view bytes_;
    bool keepsAscii_;
    mutable int plain_ = -1;
    mutable bool decoded_ = false;
    mutable std::wstring text_;
};

// Splits like SplitLines (CR or CR LF ends a line; LF alone does not; a last line without an
// end counts), one line at a time.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : p_(bytes.data()), end_(p_ + bytes.size()) {}
    bool Next(std::string_view& line) {
        if (p_ >= end_) return false;
        const auto* cr = static_cast<const char*>(std::memchr(p_, '\r', end_ - p_));
        if (cr == nullptr) {
            line = std::string_view(p_, end_ - p_);
            p_ = end_;
            return true;
        }
        line = std::string_view(p_, cr - p_);
        p_ = cr + 1;
        if (p_ < end_ && *p_ == '\n') ++p_;
        return true;
    }

  private:
    const char* p_;
    const char* end_;
};

void AddCode(const Line& line, bool trimmed, bool under, MemberCounts& c) {
    if (!(under && line.EndsWithUnderscore(trimmed))) ++c.code;
}

// Trimmed line: blank, comment or code (modules, class bodies, the code part of forms).
void CountCodeLine(const Line& line, bool under, MemberCounts& c) {
    if (line.TrimmedEmpty()) {
        ++c.blank;
    } else if (line.IsComment(true)) {
        ++c.comment;
    } else {
        AddCode(line, true, under, c);
    }
}

CountResult CountFormLike(LineReader& reader, bool keepsAscii, bool under, MemberCounts& c) {
    std::string_view bytes;
    if (!reader.Next(bytes)) return CountResult::Empty;  // the version line, counted nowhere
    int state = 0;  // 0 designer part, 1 attribute block, 2 code part
    while (reader.Next(bytes)) {
        const Line line(bytes, keepsAscii);
        if (state == 2) {
            CountCodeLine(line, under, c);
        } else if (line.TrimmedEmpty()) {
            ++c.blank;
        } else if (line.IsComment(true)) {
            ++c.comment;
        } else if (state == 0) {
            ++c.screen;
            if (line.HasAttribute(true)) state = 1;
        } else if (line.HasAttribute(true)) {
            ++c.screen;
        } else {
            state = 2;
            ++c.code;  // the first code line counts even when it is continued
        }
    }
    return CountResult::Counted;
}

CountResult CountModule(LineReader& reader, bool keepsAscii, bool under, MemberCounts& c) {
    std::string_view bytes;
    if (!reader.Next(bytes)) return CountResult::Empty;  // the name attribute line
    while (reader.Next(bytes)) CountCodeLine(Line(bytes, keepsAscii), under, c);
    return CountResult::Counted;
}

CountResult CountClass(LineReader& reader, bool keepsAscii, bool under, MemberCounts& c) {
    // Header: lines up to the first run of attribute lines count nowhere; the first line after
    // that run is classified as it stands, untrimmed.
    std::string_view bytes;
    bool attributes = false;
    while (reader.Next(bytes)) {
        const Line line(bytes, keepsAscii);
        if (line.HasAttribute(false)) {
            attributes = true;
            continue;
        }
        if (!attributes) continue;
        if (line.Empty()) {
            ++c.blank;
        } else if (line.IsComment(false)) {
            ++c.comment;
        } else {
            AddCode(line, false, under, c);
        }
        break;
    }
    while (reader.Next(bytes)) CountCodeLine(Line(bytes, keepsAscii), under, c);
    return CountResult::Counted;
}

}  // namespace

bool HasLineFeedsOnly(std::string_view bytes) {
    if (bytes.find('\r') != std::string_view::npos) return false;
    const auto first = bytes.find('\n');
    return first != std::string_view::npos && bytes.find('\n', first + 1) != std::string_view::npos;
}

CountResult CountMemberBytes(MemberKind kind, std::string_view bytes, const CountOptions& options,
                             MemberCounts& counts) {
    counts = {};
    const bool under = options.under;
    const bool keepsAscii = platform::AnsiKeepsAscii();
    LineReader reader(bytes);
    MemberCounts c;
    CountResult result = CountResult::Counted;
    switch (kind) {
        case MemberKind::Form:
        case MemberKind::Doc:
        case MemberKind::Dsr:
            result = CountFormLike(reader, keepsAscii, under, c);
            break;
        case MemberKind::Module:
            result = CountModule(reader, keepsAscii, under, c);
            break;
        case MemberKind::Class:
            result = CountClass(reader, keepsAscii, under, c);
            break;
    }
    if (result == CountResult::Counted) {
        counts = c;
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
