#include "cli/progress_line.h"

#include <utility>

namespace kinoha {
namespace {

// A line longer than the terminal would wrap, and "\r" would not return to its start; 79
// columns fit the narrowest usual terminal.
constexpr std::size_t kMaxColumns = 79;

// Columns a character takes: 2 for the wide (CJK, full-width) ranges, else 1.
std::size_t Columns(wchar_t c) {
    const auto u = static_cast<unsigned long>(c);
    const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                      (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                      (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                      (u >= 0xFFE0 && u <= 0xFFE6) || u >= 0x20000;
    return wide ? 2 : 1;
}

std::size_t Columns(const std::wstring& text) {
    std::size_t n = 0;
    for (const wchar_t c : text) n += Columns(c);
    return n;
}

}  // namespace

ProgressLine::ProgressLine(Writer err, bool terminal, std::chrono::milliseconds delay)
    : err_(std::move(err)),
      terminal_(terminal),
      delay_(delay),
      start_(std::chrono::steady_clock::now()) {}

void ProgressLine::Show(std::size_t done, std::size_t total, const std::wstring& current) {
    if (!terminal_ || std::chrono::steady_clock::now() - start_ < delay_) return;
    const std::wstring head = L"kinoha-step: " + std::to_wstring(done) + L"/" +
                              std::to_wstring(total) + L" projects done, counting ";
    std::wstring path = current;
    if (Columns(head) + Columns(path) > kMaxColumns) {
        // The end of the path names the project; its start gives way.
        const std::size_t room =
            kMaxColumns > Columns(head) + 3 ? kMaxColumns - Columns(head) - 3 : 0;
        std::size_t cols = 0, from = path.size();
        while (from > 0 && cols + Columns(path[from - 1]) <= room) cols += Columns(path[--from]);
        path = L"..." + path.substr(from);
    }
    std::wstring line = L"\r" + head + path;
    const std::size_t width = Columns(head) + Columns(path);
    if (width < width_) line += std::wstring(width_ - width, L' ') + L"\r" + head + path;
    width_ = width;
    err_(line);
}

void ProgressLine::Clear() {
    if (width_ == 0) return;
    err_(L"\r" + std::wstring(width_, L' ') + L"\r");
    width_ = 0;
}

}  // namespace kinoha
