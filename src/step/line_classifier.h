// The classification of a member file's lines into screen part, code, comment and blank: one
// walk over the bytes that tells a sink the class of every line. The count adds the classes
// up; the diff compares the classified lines of two versions. A pure function of the bytes, the
// kind and the count options.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "step/count_options.h"

namespace kinoha {

// Form, Doc and Dsr (and Ctl and Pag, the user controls and property pages counted on demand)
// share the rules with a screen part; Module and Class have none.
enum class MemberKind { Form, Module, Class, Doc, Dsr, Ctl, Pag };

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
};

namespace line_detail {

// The line tests, written once for raw bytes and for decoded text. Trimming removes the space
// character only; the classic tests are exact and case-sensitive.
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
    // VB's own test: the keyword Rem in any case, as a whole word.
    static bool IsVbComment(View s) {
        while (!s.empty() && (s.front() == Char(' ') || s.front() == Char('\t')))
            s.remove_prefix(1);
        if (!s.empty() && s[0] == Char('\'')) return true;
        if (s.size() < 3 || (s[0] | 0x20) != Char('r') || (s[1] | 0x20) != Char('e') ||
            (s[2] | 0x20) != Char('m'))
            return false;
        return s.size() == 3 || s[3] == Char(' ') || s[3] == Char('\t') || s[3] == Char(':');
    }
    static bool HasAttribute(View s) {
        static constexpr Char kKey[] = {'A', 't', 't', 'r', 'i', 'b', 'u', 't', 'e', ' '};
        return s.find(View(kKey, 10)) != View::npos;
    }
    static bool EndsWithUnderscore(View s) { return !s.empty() && s.back() == Char('_'); }
};
using ByteTests = Tests<char>;
using TextTests = Tests<wchar_t>;

inline bool IsAsciiOnly(std::string_view s) {
    unsigned char any = 0;
    for (const char c : s) any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

// One line of the file. Where the code page keeps ASCII, a byte below 0x80 at the start of a
// character is that character, so the tests that look only at the start of the line (leading
// blanks and tabs, comment, empty) are exact on the bytes of any line; a line of ASCII bytes
// only is its own text. The tests that look past the start of a line holding other bytes
// (where a second byte of a double-byte character can look like "_" or "A") run on the
// decoded text.
class Line {
  public:
    Line(std::string_view bytes, bool keepsAscii) : bytes_(bytes), keepsAscii_(keepsAscii) {}

    std::string_view Bytes() const { return bytes_; }
    bool Empty() const { return bytes_.empty(); }
    bool TrimmedEmpty() const {
        if (keepsAscii_) return bytes_.find_first_not_of(' ') == std::string_view::npos;
        return TextTests::Trim(Text()).empty();
    }
    bool IsComment(bool trimmed, bool vb) const {
        if (keepsAscii_) {
            const std::string_view s = trimmed ? LeftTrimmed() : bytes_;
            return vb ? ByteTests::IsVbComment(s) : ByteTests::IsComment(s);
        }
        const std::wstring_view s = trimmed ? TextTests::Trim(Text()) : Text();
        return vb ? TextTests::IsVbComment(s) : TextTests::IsComment(s);
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

// CR or CR LF ends a line; LF alone does not; a last line without an end counts.
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

template <class Sink>
class Walk {
  public:
    Walk(std::string_view bytes, const CountOptions& o, Sink& sink)
        : reader_(bytes), keepsAscii_(platform::AnsiKeepsAscii()), o_(o), sink_(sink) {}

    CountResult FormLike() {
        std::string_view bytes;
        if (!reader_.Next(bytes)) return CountResult::Empty;  // the version line, counted nowhere
        int state = 0;  // 0 designer part, 1 attribute block, 2 code part
        while (reader_.Next(bytes)) {
            const Line line(bytes, keepsAscii_);
            if (state == 2) {
                CodeLine(line);
            } else if (line.TrimmedEmpty()) {
                sink_(LineClass::Blank, bytes);
            } else if (line.IsComment(true, o_.vbComments)) {
                sink_(LineClass::Comment, bytes);
            } else if (state == 0) {
                sink_(LineClass::Screen, bytes);
                if (line.HasAttribute(true)) state = 1;
            } else if (line.HasAttribute(true)) {
                sink_(LineClass::Screen, bytes);
            } else {
                state = 2;
                sink_(LineClass::Code, bytes);  // the first code line counts even when continued
            }
        }
        return CountResult::Counted;
    }

    CountResult Module() {
        std::string_view bytes;
        if (!reader_.Next(bytes)) return CountResult::Empty;  // the name attribute line
        while (reader_.Next(bytes)) CodeLine(Line(bytes, keepsAscii_));
        return CountResult::Counted;
    }

    CountResult Class() {
        // Header: lines up to the first run of attribute lines count nowhere; the first line
        // after that run is classified as it stands, untrimmed.
        std::string_view bytes;
        bool attributes = false;
        while (reader_.Next(bytes)) {
            const Line line(bytes, keepsAscii_);
            if (line.HasAttribute(false)) {
                attributes = true;
                continue;
            }
            if (!attributes) continue;
            if (line.Empty()) {
                sink_(LineClass::Blank, bytes);
            } else if (line.IsComment(false, o_.vbComments)) {
                sink_(LineClass::Comment, bytes);
            } else {
                Code(line, false);
            }
            break;
        }
        while (reader_.Next(bytes)) CodeLine(Line(bytes, keepsAscii_));
        return CountResult::Counted;
    }

  private:
    void Code(const Line& line, bool trimmed) {
        const bool continued = o_.under && line.EndsWithUnderscore(trimmed);
        sink_(continued ? LineClass::Continued : LineClass::Code, line.Bytes());
    }
    // Trimmed line: blank, comment or code (modules, class bodies, the code part of forms).
    void CodeLine(const Line& line) {
        if (line.TrimmedEmpty()) {
            sink_(LineClass::Blank, line.Bytes());
        } else if (line.IsComment(true, o_.vbComments)) {
            sink_(LineClass::Comment, line.Bytes());
        } else {
            Code(line, true);
        }
    }

    LineReader reader_;
    bool keepsAscii_;
    const CountOptions& o_;
    Sink& sink_;
};

}  // namespace line_detail

// Calls sink(LineClass, line bytes) for every line of the member file's bytes that belongs to
// a class, in file order (the version line of a form-like or module file and a class file's
// header belong to none). The sink has been called for nothing unless the result is Counted.
template <class Sink>
CountResult ClassifyMemberBytes(MemberKind kind, std::string_view bytes,
                                const CountOptions& options, Sink& sink) {
    line_detail::Walk<Sink> walk(bytes, options, sink);
    switch (kind) {
        case MemberKind::Module:
            return walk.Module();
        case MemberKind::Class:
            return walk.Class();
        default:
            return walk.FormLike();
    }
}

}  // namespace kinoha
