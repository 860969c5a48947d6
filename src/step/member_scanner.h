// The rules that sort the lines of a member file into screen part, code, continued code,
// comment and blank, applied as the bytes come: no line is held where the code page keeps
// ASCII. The count and the changed-step diff both classify through these rules.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "step/count_options.h"
#include "step/line_classifier.h"

namespace kinoha::line_rules {

inline constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();

// What the line tests need to know of one line, gathered a character at a time, so that no
// line is ever held. A character is its ASCII code, or -1 for any other character; trimming
// removes the space character only; every test but VB's comment test is exact and
// case-sensitive.
class LineFacts {
  public:
    // `vb`: comments are told by VB's own test, which looks past leading tabs too.
    explicit LineFacts(bool vb) : vb_(vb) {}
    void Reset() { *this = LineFacts(vb_); }

    // `end`: where the character ends in the line (any unit, growing).
    void Add(int c, std::uint64_t end) {
        ++count_;
        if (headLength_ < 3) head_[headLength_++] = c;
        if (leadLength_ < 3 && (leadLength_ > 0 || c != ' ')) lead_[leadLength_++] = c;
        if (vb_ && vbLeadLength_ < 4 && (vbLeadLength_ > 0 || (c != ' ' && c != '\t')))
            vbLead_[vbLeadLength_++] = c;
        if (attributeEnd_ == kNone) {
            static constexpr char kKey[] = "Attribute ";
            if (c == kKey[matched_]) {
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
    // A run of ASCII characters, `start` being where the run begins: the same as adding them one
    // by one, with the run's middle taken whole.
    void AddAscii(std::string_view run, std::uint64_t start) {
        std::size_t i = 0;
        // The line's first characters and a match in progress go one at a time; leading blanks
        // change nothing but the count.
        while (i < run.size() &&
               (headLength_ < 3 || leadLength_ < 3 || matched_ > 0 || (vb_ && vbLeadLength_ < 4))) {
            if (headLength_ == 3 && leadLength_ == 0 && matched_ == 0 && run[i] == ' ') {
                std::size_t j = run.find_first_not_of(' ', i);
                if (j == std::string_view::npos) j = run.size();
                count_ += j - i;
                lastUnderscore_ = false;
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
        if (attributeEnd_ == kNone) {
            static constexpr std::string_view kKey = "Attribute ";
            const std::size_t at = rest.find(kKey);
            if (at != std::string_view::npos) {
                attributeEnd_ = restStart + at + kKey.size();
            } else {
                // A start of the key at the end of the run; the key repeats no part of its start.
                for (std::size_t k = std::min(rest.size(), kKey.size() - 1); k > 0; --k) {
                    if (rest.substr(rest.size() - k) == kKey.substr(0, k)) {
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
    bool NeedsWholeLine() const {
        const bool discarded = lines_ == 0 && kind_ != MemberKind::Class;
        return !discarded && (under_ || AttributesMatter());
    }

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
          facts_(options.vbComments) {
        wanted_ = rules_.NeedsWholeLine();
    }

    void Piece(std::string_view bytes) {
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
        while (i < n && (wanted_ || !facts_.StartKnown())) {
            std::size_t j = i;
            while (j < n && static_cast<unsigned char>(bytes[j]) < 0x80) ++j;
            if (j > i) facts_.AddAscii(bytes.substr(i, j - i), offset_ + i);
            i = j;
            if (j == n) break;
            const auto b = static_cast<unsigned char>(bytes[j]);
            if (!platform::IsLeadByte(b)) {
                facts_.Add(-1, offset_ + j + 1);
                i = j + 1;
            } else if (j + 1 == n) {
                pending_ = b;
                i = n;
            } else {
                const bool pair = platform::AnsiPairs(b, static_cast<unsigned char>(bytes[j + 1]));
                facts_.Add(-1, offset_ + j + (pair ? 2 : 1));
                i = j + (pair ? 2 : 1);
            }
        }
        if (i < n) skip_ = true;
        offset_ += n;
    }

    // The line is complete: its class, if it has one.
    std::optional<LineClass> End() {
        if (!keepsAscii_) {
            const std::wstring text = platform::DecodeAnsi(held_);
            for (std::size_t i = 0; i < text.size(); ++i)
                facts_.Add(text[i] < 0x80 ? static_cast<int>(text[i]) : -1, i + 1);
            held_.clear();
        } else if (pending_ >= 0) {
            facts_.Add(-1, offset_);
        }
        const std::optional<LineClass> cls = rules_.Line(facts_);
        facts_.Reset();
        pending_ = -1;
        offset_ = 0;
        skip_ = false;
        wanted_ = rules_.NeedsWholeLine();
        return cls;
    }

    CountResult Finish() const { return rules_.Finish(); }

  private:
    MemberRules rules_;
    bool keepsAscii_;
    bool wanted_ = true;  // the rules look past the start of this line
    bool skip_ = false;   // the rest of this line is not needed
    LineFacts facts_;
    std::uint64_t offset_ = 0;  // bytes of the line so far
    int pending_ = -1;          // a lead byte whose partner is not seen yet
    std::string held_;          // the line, where it must be decoded
};

}  // namespace kinoha::line_rules
