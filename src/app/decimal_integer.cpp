#include <optional>

#include "app/text_helpers.h"

namespace kinoha {

std::optional<std::int64_t> ToInteger(std::wstring_view v, std::int64_t min, std::int64_t max) {
    std::size_t i = 0;
    while (i < v.size() && v[i] == L' ') ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == L'-' || v[i] == L'+')) negative = v[i++] == L'-';
    const std::size_t digitsFrom = i;
    std::int64_t value = 0;
    while (i < v.size() && v[i] >= L'0' && v[i] <= L'9') {
        value = value * 10 + (v[i++] - L'0');
        if (value > max + 1) return std::nullopt;
    }
    if (i == digitsFrom) return std::nullopt;
    while (i < v.size() && v[i] == L' ') ++i;
    if (i != v.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < min || value > max) return std::nullopt;
    return value;
}

}  // namespace kinoha
