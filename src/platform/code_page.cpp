#include "platform/code_page.h"

namespace kinoha::platform::detail {
namespace {
constexpr char32_t kInvalid = 0xFFFFFFFF;

void PutChar(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c > 0xFFFF) {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(c));
}

// Reads one character of `text` at `i` (joining UTF-16 surrogate pairs) and advances `i`.
char32_t TakeChar(std::wstring_view text, std::size_t& i) {
    char32_t c = static_cast<char32_t>(text[i++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0xD800 && c <= 0xDBFF && i < text.size()) {
            const auto low = static_cast<char32_t>(text[i]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++i;
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
        }
    }
    return c & 0x1FFFFF;
}

bool IsEscape(char32_t c) {
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}
}  // namespace

CodePageTable CodePageTable::FromConverter(const CharConverter& convert) {
    CodePageTable t;
    t.single_.fill(kInvalid);
    for (unsigned b = 0; b < 256; ++b) {
        const unsigned char one[1] = {static_cast<unsigned char>(b)};
        char32_t c = 0;
        if (convert(one, 1, c)) {
            t.single_[b] = c;
            t.reverse_.emplace(c, static_cast<std::uint16_t>(b));
        }
    }
    for (unsigned b = 0x80; b < 256; ++b) {
        if (t.single_[b] != kInvalid) continue;
        for (unsigned trail = 0x40; trail < 256; ++trail) {
            const unsigned char two[2] = {static_cast<unsigned char>(b),
                                          static_cast<unsigned char>(trail)};
            char32_t c = 0;
            if (!convert(two, 2, c)) continue;
            if (t.pairs_.empty()) t.pairs_.assign(65536, kInvalid);
            t.lead_[b] = true;
            t.pairs_[b * 256 + trail] = c;
            t.reverse_.emplace(c, static_cast<std::uint16_t>(b * 256 + trail));
        }
    }
    t.keepsAscii_ = true;
    for (unsigned b = 0; b < 256; ++b) {
        const char32_t c = t.single_[b];
        if (b < 0x80 ? c != b : c < 0x80) t.keepsAscii_ = false;
    }
    for (const char32_t c : t.pairs_) {
        if (c < 0x80) t.keepsAscii_ = false;
    }
    return t;
}

CodePageTable CodePageTable::Utf8() {
    CodePageTable t;
    t.utf8_ = true;
    t.keepsAscii_ = true;  // overlong forms are refused, so only a lone byte is ASCII
    return t;
}

bool CodePageTable::Pairs(unsigned char lead, unsigned char next) const {
    return lead_[lead] && (pairs_[lead * 256 + next] != kInvalid || next >= 0x80);
}

std::wstring CodePageTable::Decode(std::string_view bytes) const {
    std::wstring out;
    out.reserve(bytes.size());
    if (utf8_) {
        DecodeUtf8(bytes, out);
        return out;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b < 0x80 && single_[b] == b) {
            out.push_back(static_cast<wchar_t>(b));
            continue;
        }
        if (lead_[b] && i + 1 < n) {
            const unsigned char trail = p[i + 1];
            const char32_t c = pairs_[b * 256 + trail];
            if (c != kInvalid) {
                PutChar(out, c);
                ++i;
                continue;
            }
            // An undefined pair is taken whole, as Windows takes it, unless its second byte is
            // ASCII. Were the second byte to start a character of its own, and that character
            // have a second spelling in the code page (CP932 has its NEC and IBM ones), writing
            // the text back could give a second byte that pairs with this one and reads as
            // another character.
            if (trail >= 0x80) {
                out.push_back(static_cast<wchar_t>(kEscapeBase + b));
                out.push_back(static_cast<wchar_t>(kEscapeBase + trail));
                ++i;
                continue;
            }
        }
        const char32_t c = single_[b];
        PutChar(out, c != kInvalid ? c : kEscapeBase + b);
    }
    return out;
}

std::string CodePageTable::Encode(std::wstring_view text) const {
    std::string out;
    out.reserve(text.size());
    if (utf8_) {
        EncodeUtf8(text, out);
        return out;
    }
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = TakeChar(text, i);
        if (c < 0x80 && single_[c] == c) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (IsEscape(c)) {
            out.push_back(static_cast<char>(c - kEscapeBase));
            continue;
        }
        const auto it = reverse_.find(c);
        if (it == reverse_.end()) {
            out.push_back('?');
        } else if (it->second > 0xFF) {
            out.push_back(static_cast<char>(it->second >> 8));
            out.push_back(static_cast<char>(it->second & 0xFF));
        } else {
            out.push_back(static_cast<char>(it->second));
        }
    }
    return out;
}

void CodePageTable::DecodeUtf8(std::string_view bytes, std::wstring& out) const {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out.push_back(static_cast<wchar_t>(b));
            ++i;
            continue;
        }
        int len = 0;
        char32_t c = 0;
        char32_t min = 0;
        if ((b & 0xE0) == 0xC0)
            len = 2, c = b & 0x1F, min = 0x80;
        else if ((b & 0xF0) == 0xE0)
            len = 3, c = b & 0x0F, min = 0x800;
        else if ((b & 0xF8) == 0xF0)
            len = 4, c = b & 0x07, min = 0x10000;
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (p[i + k] & 0x3F);
        }
        if (ok && c >= min && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF)) {
            PutChar(out, c);
            i += len;
        } else {
            out.push_back(static_cast<wchar_t>(kEscapeBase + b));
            ++i;
        }
    }
}

void CodePageTable::EncodeUtf8(std::wstring_view text, std::string& out) const {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = TakeChar(text, i);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (IsEscape(c)) {
            out.push_back(static_cast<char>(c - kEscapeBase));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            if (c >= 0xD800 && c <= 0xDFFF) {
                out.push_back('?');
                continue;
            }
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

}  // namespace kinoha::platform::detail
