#include "app/text_helpers.h"

namespace kinoha {

std::int32_t InStr(std::int32_t start, std::wstring_view text, std::wstring_view find) {
    if (find.empty() || start < 1) return 0;
    const auto pos = text.find(find, static_cast<std::size_t>(start - 1));
    return pos == std::wstring_view::npos ? 0 : static_cast<std::int32_t>(pos + 1);
}

void SearchString(std::int16_t mode, std::wstring_view text, std::wstring_view find,
                  std::int32_t& position, std::int32_t& count) {
    position = 0;
    count = 0;
    if (mode == 0) {
        position = InStr(1, text, find);
        count = position > 0 ? 1 : 0;
        return;
    }
    // Each search starts one character after the previous hit's start: overlaps count.
    for (std::int32_t hit = InStr(1, text, find); hit > 0; hit = InStr(hit + 1, text, find)) {
        position = hit;
        ++count;
    }
}

}  // namespace kinoha
