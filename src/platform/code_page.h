// A code page as lookup tables, built once from the platform's own converter, so that decoding
// is a table walk that never fails and never drops a byte.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kinoha::platform::detail {

// Converts exactly `n` bytes to one character; false when they are not one valid character.
using CharConverter = std::function<bool(const unsigned char* bytes, std::size_t n, char32_t& out)>;

inline constexpr char32_t kEscapeBase = 0xDC00;  // U+DC00 + byte stands for an invalid byte

class CodePageTable {
  public:
    // A single- or double-byte code page, probed character by character.
    static CodePageTable FromConverter(const CharConverter& convert);
    static CodePageTable Utf8();

    std::wstring Decode(std::string_view bytes) const;
    std::string Encode(std::wstring_view text) const;
    bool IsLead(unsigned char b) const { return lead_[b]; }
    // Whether Decode takes `lead` and `next` as one unit (see AnsiPairs).
    bool Pairs(unsigned char lead, unsigned char next) const;
    // Every byte below 0x80 decodes alone to that ASCII character, and no other byte or pair
    // decodes to an ASCII character.
    bool KeepsAscii() const { return keepsAscii_; }

  private:
    void DecodeUtf8(std::string_view bytes, std::wstring& out) const;
    void EncodeUtf8(std::wstring_view text, std::string& out) const;

    bool utf8_ = false;
    bool keepsAscii_ = false;
    std::array<char32_t, 256> single_{};  // kInvalid where the byte alone is no character
    std::array<bool, 256> lead_{};
    std::vector<char32_t> pairs_;  // lead * 256 + trail
    std::unordered_map<char32_t, std::uint16_t> reverse_;
};

}  // namespace kinoha::platform::detail
