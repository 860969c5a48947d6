// A list kept in the order of a sorted list box: ascending, letter case ignored (one rule on
// every platform: characters folded to lower case and compared by code point). An item equal
// to others goes after them.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

class SortedList {
  public:
    // Inserts the text at its sorted place and returns that index.
    std::size_t Add(std::wstring text);
    void Clear() { items_.clear(); }
    std::size_t Count() const { return items_.size(); }
    const std::wstring& operator[](std::size_t i) const { return items_[i]; }
    const std::vector<std::wstring>& Items() const { return items_; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<std::wstring> items_;
};

}  // namespace kinoha
