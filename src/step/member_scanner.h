// The rules that sort the lines of a member file into screen part, code, continued code,
// comment and blank, applied as the bytes come: no line is held where the code page keeps
// ASCII. The count and the changed-step diff both classify through these rules.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "step/count_options.h"
#include "step/line_classifier.h"

namespace kinoha::line_rules {

inline constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();

// The end of the run of spaces from `i`, eight bytes at a time (indentation is most of a line's
// start).
inline std::size_t SpacesEnd(std::string_view s, std::size_t i) {
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        const std::uint64_t other = word ^ 0x2020202020202020ULL;
        // The first byte that is not a space is the lowest nonzero one (the targets are
        // little-endian).
        if (other != 0) return i + static_cast<std::size_t>(std::countr_zero(other) / 8);
    }
    while (i < s.size() && s[i] == ' ') ++i;
    return i;
}

// What the line tests need to know of one line, gathered a character at a time, so that no
// line is ever held. A character is its ASCII code, or -1 for any other character; trimming
// removes the space character only; every test but VB's comment test is exact and
// case-sensitive.
class LineFacts {
  public:
    // `vb`: comments are told by VB's own test, which looks past leading tabs too.
    explicit LineFacts(bool vb) : vb_(vb) {}
    bool Vb() const { return vb_; }
    // Only what the tests read: the characters past each length are never looked at.
    void Reset() {
        count_ = 0;
        headLength_ = leadLength_ = vbLeadLength_ = matched_ = 0;
        attributeEnd_ = kNone;
        nonSpaceEnd_ = 0;
        lastNonSpaceUnderscore_ = lastUnderscore_ = false;
    }

    // `end`: where the character ends in the line (any unit, growing).
    void Add(int c, std::uint64_t end) {
        ++count_;
        if (headLength_ < 3) head_[headLength_++] = c;
        if (leadLength_ < 3 && (leadLength_ > 0 || c != ' ')) lead_[leadLength_++] = c;
        if (vb_ && vbLeadLength_ < 4 && (vbLeadLength_ > 0 || (c != ' ' && c != '\t')))
            vbLead_[vbLeadLength_++] = c;
        if (attributeEnd_ == kNone) {
            if (c == kKey[static_cast<std::size_t>(matched_)]) {
                if (++matched_ == 10) {
                    attributeEnd_ = end;
                    matched_ = 0;
                }
            } else {
                matched_ = c == 'A' ? 1 : 0;  // no part of the key repeats its start
            }
        }
        if (c != ' ') {
            nonSpaceEnd_ = end;
            lastNonSpaceUnderscore_ = c == '_';
        }
        lastUnderscore_ = c == '_';
    }
    // A whole line of ASCII bytes at once: the same facts as its characters added one by one
    // (the "Attribute " looked for only with `attributes`).
    void SetAscii(std::string_view line, bool attributes) {
        const std::size_t n = line.size();
        count_ = n;
        headLength_ = static_cast<int>(std::min<std::size_t>(n, 3));
        for (int k = 0; k < headLength_; ++k) head_[k] = static_cast<unsigned char>(line[k]);
        SetLeads(line, SpacesEnd(line, 0));
        if (attributes) {
            const std::size_t at = FindKey(line);
            if (at != std::string_view::npos) attributeEnd_ = at + kKey.size();
        }
        const std::size_t last = line.find_last_not_of(' ');
        if (last != std::string_view::npos) {
            nonSpaceEnd_ = last + 1;
            lastNonSpaceUnderscore_ = line[last] == '_';
        }
        lastUnderscore_ = line.back() == '_';
    }
    // For a line of which only the start matters (see StartKnown): what the start tests read,
    // and nothing else.
    void AddToStart(int c) {
        ++count_;
        if (leadLength_ < 3 && (leadLength_ > 0 || c != ' ')) lead_[leadLength_++] = c;
        if (vb_ && vbLeadLength_ < 4 && (vbLeadLength_ > 0 || (c != ' ' && c != '\t')))
            vbLead_[vbLeadLength_++] = c;
    }
    void AddSpacesToStart(std::size_t k) { count_ += k; }
    // A run of leading spaces: only the count and the first characters change.
    void AddSpaces(std::size_t k) {
        count_ += k;
        for (; k > 0 && headLength_ < 3; --k) head_[headLength_++] = ' ';
        lastUnderscore_ = false;
    }
    // A run of ASCII characters, `start` being where the run begins: the same as adding them one
    // by one, with the run's middle taken whole. Without `attributes` the line's "Attribute " is
    // not looked for (no rule asks of this line). `more`: the next character may be ASCII (the
    // line goes on in the next piece), so that a start of the key at the run's end matters.
    void AddAscii(std::string_view run, std::uint64_t start, bool attributes, bool more) {
        std::size_t i = 0;
        // The line's first characters and a match in progress go one at a time; leading blanks
        // change nothing but the count.
        while (i < run.size() && (headLength_ < 3 || leadLength_ < 3 ||
                                  (attributes && matched_ > 0) || (vb_ && vbLeadLength_ < 4))) {
            if (leadLength_ == 0 && matched_ == 0 && run[i] == ' ') {
                const std::size_t j = SpacesEnd(run, i);
                AddSpaces(j - i);
                i = j;
                continue;
            }
            Add(static_cast<unsigned char>(run[i]), start + i + 1);
            ++i;
        }
        if (i == run.size()) return;
        const std::string_view rest = run.substr(i);
        const std::uint64_t restStart = start + i;
        count_ += rest.size();
        if (attributes && attributeEnd_ == kNone) {
            const std::size_t at = FindKey(rest);
            if (at != std::string_view::npos) {
                attributeEnd_ = restStart + at + kKey.size();
            } else if (more) {
                // A start of the key at the end of the run; the key repeats no part of its start.
                for (std::size_t k = std::min(rest.size(), kKey.size() - 1); k > 0; --k) {
                    if (rest[rest.size() - k] == 'A' &&
                        rest.substr(rest.size() - k) == kKey.substr(0, k)) {
                        matched_ = static_cast<int>(k);
                        break;
                    }
                }
            }
        }
        const std::size_t last = rest.find_last_not_of(' ');
        if (last != std::string_view::npos) {
            nonSpaceEnd_ = restStart + last + 1;
            lastNonSpaceUnderscore_ = rest[last] == '_';
        }
        lastUnderscore_ = rest.back() == '_';
    }
    // Nothing more of the line can change a test that looks only at its start.
    bool StartKnown() const {
        if (vb_) return vbLeadLength_ == 4 || (vbLeadLength_ > 0 && (vbLead_[0] | 0x20) != 'r');
        return leadLength_ == 3 || (leadLength_ > 0 && lead_[0] != 'R');
    }

    bool Empty() const { return count_ == 0; }
    bool TrimmedEmpty() const { return leadLength_ == 0; }
    bool IsComment(bool trimmed) const {
        if (vb_) return IsVbComment();
        const int* s = trimmed ? lead_ : head_;
        const int n = trimmed ? leadLength_ : headLength_;
        if (n > 0 && s[0] == '\'') return true;
        return n == 3 && s[0] == 'R' && s[1] == 'e' && s[2] == 'm';
    }
    // The first "Attribute " ends with a blank; in the trimmed line something must follow it.
    bool HasAttribute(bool trimmed) const {
        return attributeEnd_ != kNone && (!trimmed || nonSpaceEnd_ > attributeEnd_);
    }
    bool EndsWithUnderscore(bool trimmed) const {
        return trimmed ? lastNonSpaceUnderscore_ : lastUnderscore_;
    }

  private:
    static constexpr std::string_view kKey = "Attribute ";

    // Where the blanks and tabs before VB's comment test end, from the end of the spaces.
    static std::size_t VbLeadStart(std::string_view line, std::size_t lead) {
        while (lead < line.size() && (line[lead] == ' ' || line[lead] == '\t')) ++lead;
        return lead;
    }
    // The first characters after the spaces at `lead` and after the blanks and tabs, of ASCII
    // bytes.
    void SetLeads(std::string_view line, std::size_t lead) {
        const std::size_t n = line.size();
        leadLength_ = static_cast<int>(std::min<std::size_t>(n - lead, 3));
        for (int k = 0; k < leadLength_; ++k)
            lead_[k] = static_cast<unsigned char>(line[lead + static_cast<std::size_t>(k)]);
        if (!vb_) return;
        const std::size_t vbLead = VbLeadStart(line, lead);
        vbLeadLength_ = static_cast<int>(std::min<std::size_t>(n - vbLead, 4));
        for (int k = 0; k < vbLeadLength_; ++k)
            vbLead_[k] = static_cast<unsigned char>(line[vbLead + static_cast<std::size_t>(k)]);
    }
    // Whether the 9 bytes at `p` are the key after its "A": one word and one byte compared.
    static bool IsKeyRest(const char* p) {
        static constexpr std::uint64_t kWord = [] {
            std::uint64_t w = 0;
            for (int k = 7; k >= 0; --k) w = w << 8 | static_cast<unsigned char>("ttribute"[k]);
            return w;
        }();
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        return word == kWord && p[8] == ' ';
    }
    // Where the key first begins in `s`, by its first letter and then the rest at once.
    static std::size_t FindKey(std::string_view s) {
        for (std::size_t at = 0;;) {
            const void* a = std::memchr(s.data() + at, 'A', s.size() - at);
            if (a == nullptr) return std::string_view::npos;
            at = static_cast<std::size_t>(static_cast<const char*>(a) - s.data());
            if (s.size() - at < kKey.size()) return std::string_view::npos;
            if (IsKeyRest(s.data() + at + 1)) return at;
            ++at;
        }
    }

    // After leading blanks and tabs, "'", or "Rem" in any case followed by a blank, a tab, ":"
    // or the line end. Trimming the line first changes nothing.
    bool IsVbComment() const {
        const int* s = vbLead_;
        const int n = vbLeadLength_;
        if (n > 0 && s[0] == '\'') return true;
        if (n < 3 || (s[0] | 0x20) != 'r' || (s[1] | 0x20) != 'e' || (s[2] | 0x20) != 'm')
            return false;
        return n == 3 || s[3] == ' ' || s[3] == '\t' || s[3] == ':';
    }

    bool vb_;
    std::uint64_t count_ = 0;
    int head_[3] = {};  // the first characters
    int headLength_ = 0;
    int lead_[3] = {};  // the first characters from the first one that is not a space
    int leadLength_ = 0;
    int vbLead_[4] = {};  // the first characters from the first one that is not a blank or tab
    int vbLeadLength_ = 0;
    int matched_ = 0;  // characters of "Attribute " matched so far
    std::uint64_t attributeEnd_ = kNone;
    std::uint64_t nonSpaceEnd_ = 0;
    bool lastNonSpaceUnderscore_ = false;
    bool lastUnderscore_ = false;
};

// The rules of one member kind, applied line by line.
class MemberRules {
  public:
    MemberRules(MemberKind kind, const CountOptions& options)
        : kind_(kind), under_(options.under) {}

    // Whether the next line's classification looks past its start: at an "Attribute " anywhere,
    // or at its last character.
    bool NeedsWholeLine() const { return !Discarded() && (under_ || AttributesMatter()); }
    // Whether it looks for an "Attribute " in the next line.
    bool NeedsAttributes() const { return !Discarded() && AttributesMatter(); }

    // Whether the next line is a code-part line whose class its start alone gives (blank,
    // comment or code) and that changes no state but the line count: see CodeLine.
    bool CodePartLine() const { return !Discarded() && !under_ && !AttributesMatter(); }
    // Such a line was classified by its start.
    void NoteCodePartLine() { ++lines_; }

    // The class of the next line; none for a line that belongs to no class (the version line of
    // a form-like file, the name line of a module, a class file's header).

    std::optional<LineClass> Line(const LineFacts& line) {
        ++lines_;
        switch (kind_) {
            case MemberKind::Module:
                if (lines_ == 1) return std::nullopt;
                return CodeLine(line);
            case MemberKind::Class:
                return ClassLine(line);
            default:
                return FormLine(line);
        }
    }

    CountResult Finish() const {
        return lines_ == 0 && kind_ != MemberKind::Class ? CountResult::Empty
                                                         : CountResult::Counted;
    }

  private:
    bool Discarded() const { return lines_ == 0 && kind_ != MemberKind::Class; }
    bool AttributesMatter() const {
        if (kind_ == MemberKind::Module) return false;
        if (kind_ == MemberKind::Class) return phase_ == 0;
        return phase_ < 2;
    }

    LineClass Code(const LineFacts& line, bool trimmed) const {
        return under_ && line.EndsWithUnderscore(trimmed) ? LineClass::Continued : LineClass::Code;
    }
    // Trimmed line: blank, comment or code (modules, class bodies, the code part of forms).
    LineClass CodeLine(const LineFacts& line) const {
        if (line.TrimmedEmpty()) return LineClass::Blank;
        if (line.IsComment(true)) return LineClass::Comment;
        return Code(line, true);
    }

    // phase_: 0 designer part, 1 attribute block, 2 code part.
    std::optional<LineClass> FormLine(const LineFacts& line) {
        if (lines_ == 1) return std::nullopt;
        if (phase_ == 2) return CodeLine(line);
        if (line.TrimmedEmpty()) return LineClass::Blank;
        if (line.IsComment(true)) return LineClass::Comment;
        if (phase_ == 0) {
            if (line.HasAttribute(true)) phase_ = 1;
            return LineClass::Screen;
        }
        if (line.HasAttribute(true)) return LineClass::Screen;
        phase_ = 2;
        return LineClass::Code;  // the first code line counts even when it is continued
    }

    // Header (phase_ 0): lines up to the first run of attribute lines count nowhere; the first
    // line after that run is classified as it stands, untrimmed, and ends the header.
    std::optional<LineClass> ClassLine(const LineFacts& line) {
        if (phase_ == 1) return CodeLine(line);
        if (line.HasAttribute(false)) {
            attributes_ = true;
            return std::nullopt;
        }
        if (!attributes_) return std::nullopt;
        phase_ = 1;
        if (line.Empty()) return LineClass::Blank;
        if (line.IsComment(false)) return LineClass::Comment;
        return Code(line, false);
    }

    MemberKind kind_;
    bool under_;
    std::uint64_t lines_ = 0;
    int phase_ = 0;
    bool attributes_ = false;
};

// Turns the bytes of each line into characters for LineFacts. Where the code page keeps ASCII,
// a byte below 0x80 that starts a character is that character, and no other byte or pair is
// an ASCII character: the bytes are walked as DecodeAnsi divides them, and nothing is decoded.
// Elsewhere (a code page that does not keep ASCII) one line at a time is decoded.
class MemberScanner {
  public:
    MemberScanner(MemberKind kind, const CountOptions& options)
        : rules_(kind, options),
          keepsAscii_(platform::AnsiKeepsAscii()),
          lead_(platform::LeadBytes()),
          facts_(options.vbComments) {
        wanted_ = rules_.NeedsWholeLine();
        attributes_ = rules_.NeedsAttributes();
        codePart_ = rules_.CodePartLine();
    }

    // `last`: the line ends with these bytes.
    void Piece(std::string_view bytes, bool last = false) {
        if (!keepsAscii_) {
            held_.append(bytes);
            return;
        }
        if (skip_) return;
        const std::size_t n = bytes.size();
        std::size_t i = 0;
        if (pending_ >= 0) {
            // The lead byte at the end of the last piece, and the first byte of this one.
            const auto lead = static_cast<unsigned char>(pending_);
            pending_ = -1;
            const bool pair = platform::AnsiPairs(lead, static_cast<unsigned char>(bytes[0]));
            facts_.Add(-1, offset_ + (pair ? 1 : 0));
            if (pair) i = 1;
        }
        i = wanted_ ? Whole(bytes, i, last) : Start(bytes, i);
        if (i < n) skip_ = true;
        offset_ += n;
    }

    // The line is complete: whether it has a class, and which. (Not an optional: returned in
    // two parts and read in one, it cost a stall on every line.)
    bool End(LineClass& cls) {
        if (!keepsAscii_) {
            const std::wstring text = platform::DecodeAnsi(held_);
            for (std::size_t i = 0; i < text.size(); ++i)
                facts_.Add(text[i] < 0x80 ? static_cast<int>(text[i]) : -1, i + 1);
            held_.clear();
        } else if (pending_ >= 0) {
            facts_.Add(-1, offset_);
        }
        pending_ = -1;
        offset_ = 0;
        skip_ = false;
        return Classify(cls);
    }

    // A whole line in one piece, the common case: its facts at once where its bytes allow.
    bool Line(std::string_view bytes, LineClass& cls) {
        if (keepsAscii_ && codePart_) {
            cls = CodePartClass(bytes);
            rules_.NoteCodePartLine();
            return true;
        }
        // Any other line that needs only its start belongs to no class: the rules look at
        // nothing of it. A whole line of ASCII bytes is taken at once.
        if (keepsAscii_ && (!wanted_ || AsciiEnd(bytes, 0) == bytes.size())) {
            if (wanted_) facts_.SetAscii(bytes, attributes_);
            return Classify(cls);
        }
        Piece(bytes, true);
        return End(cls);
    }

    CountResult Finish() const { return rules_.Finish(); }

  private:
    // The class of a whole code-part line from its bytes, as LineFacts and CodeLine give it:
    // blank when only spaces; a comment when the first character after the spaces is "'" or
    // the three letters "Rem" (VB's test: after blanks and tabs, "'" or "Rem" in any case and
    // then a blank, a tab, ":" or the end); code otherwise. Where the code page keeps ASCII the
    // bytes tested are characters: every byte before them is a single-byte one.
    LineClass CodePartClass(std::string_view line) const {
        const std::size_t n = line.size();
        std::size_t k = SpacesEnd(line, 0);
        if (k == n) return LineClass::Blank;
        if (!facts_.Vb()) {
            if (line[k] == '\'') return LineClass::Comment;
            return n - k >= 3 && line[k] == 'R' && line[k + 1] == 'e' && line[k + 2] == 'm'
                       ? LineClass::Comment
                       : LineClass::Code;
        }
        while (k < n && (line[k] == ' ' || line[k] == '\t')) ++k;
        if (k == n) return LineClass::Code;  // tabs: not blank, and no comment
        if (line[k] == '\'') return LineClass::Comment;
        if (n - k < 3 || (line[k] | 0x20) != 'r' || (line[k + 1] | 0x20) != 'e' ||
            (line[k + 2] | 0x20) != 'm')
            return LineClass::Code;
        if (n - k == 3) return LineClass::Comment;
        const char after = line[k + 3];
        return after == ' ' || after == '\t' || after == ':' ? LineClass::Comment : LineClass::Code;
    }

    // The facts of the line are complete: its class, and the next line begun.
    bool Classify(LineClass& cls) {
        const std::optional<LineClass> line = rules_.Line(facts_);
        facts_.Reset();
        wanted_ = rules_.NeedsWholeLine();
        attributes_ = rules_.NeedsAttributes();
        codePart_ = rules_.CodePartLine();
        if (line) cls = *line;
        return line.has_value();
    }
    // Only the line's start matters: its characters one at a time until the start is known,
    // leading spaces as a run. Returns where it stopped.
    std::size_t Start(std::string_view bytes, std::size_t i) {
        const std::size_t n = bytes.size();
        while (i < n && !facts_.StartKnown()) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b == ' ' && facts_.TrimmedEmpty()) {
                const std::size_t j = SpacesEnd(bytes, i);
                facts_.AddSpacesToStart(j - i);
                i = j;
            } else if (b < 0x80) {
                facts_.AddToStart(b);
                ++i;
            } else {
                i = Other(bytes, i);
            }
        }
        return i;
    }
    // The whole line matters: runs of ASCII bytes taken whole, other characters one by one.
    std::size_t Whole(std::string_view bytes, std::size_t i, bool last) {
        const std::size_t n = bytes.size();
        while (i < n) {
            const std::size_t j = AsciiEnd(bytes, i);
            if (j > i)
                facts_.AddAscii(bytes.substr(i, j - i), offset_ + i, attributes_, j == n && !last);
            i = j;
            if (i < n) i = Other(bytes, i);
        }
        return i;
    }
    // The character that is not ASCII at `j`: where the next one begins; the piece's end, with
    // the byte pending, for a lead byte that ends the piece.
    std::size_t Other(std::string_view bytes, std::size_t j) {
        const auto b = static_cast<unsigned char>(bytes[j]);
        if (!lead_[b]) {
            facts_.Add(-1, offset_ + j + 1);
            return j + 1;
        }
        if (j + 1 == bytes.size()) {
            pending_ = b;
            return bytes.size();
        }
        const bool pair = platform::AnsiPairs(b, static_cast<unsigned char>(bytes[j + 1]));
        const std::size_t next = j + (pair ? 2 : 1);
        facts_.Add(-1, offset_ + next);
        return next;
    }
    // The end of the run of bytes below 0x80 from `i`, eight bytes at a time.
    static std::size_t AsciiEnd(std::string_view bytes, std::size_t i) {
        const std::size_t n = bytes.size();
        for (; i + 8 <= n; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ULL) != 0) break;
        }
        while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
        return i;
    }

    MemberRules rules_;
    bool keepsAscii_;
    bool wanted_ = true;          // the rules look past the start of this line
    bool attributes_ = true;      // they look for its "Attribute "
    bool codePart_ = false;       // its class follows from its start alone
    std::array<bool, 256> lead_;  // the code page's lead bytes, looked up once
    bool skip_ = false;           // the rest of this line is not needed
    LineFacts facts_;
    std::uint64_t offset_ = 0;  // bytes of the line so far
    int pending_ = -1;          // a lead byte whose partner is not seen yet
    std::string held_;          // the line, where it must be decoded
};

}  // namespace kinoha::line_rules
