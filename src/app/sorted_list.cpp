#include "app/sorted_list.h"

#include <algorithm>

#include "platform/case_fold.h"

namespace kinoha {

std::size_t SortedList::Add(std::wstring text) {
    const auto pos = std::upper_bound(items_.begin(), items_.end(), text,
                                      [](const std::wstring& a, const std::wstring& b) {
                                          return platform::CompareFolded(a, b) < 0;
                                      });
    const auto index = static_cast<std::size_t>(pos - items_.begin());
    items_.insert(pos, std::move(text));
    return index;
}

}  // namespace kinoha
