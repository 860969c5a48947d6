// A list kept in the order of a sorted list box: ascending, letter case ignored (one rule on
// every platform: characters folded to lower case and compared by code point). An item equal
// to others goes after them.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace kinoha {

class SortedList {
  public:
    SortedList() = default;
    SortedList(const SortedList& other);
    SortedList(SortedList&& other) noexcept;
    SortedList& operator=(const SortedList& other);
    SortedList& operator=(SortedList&& other) noexcept;

    // Adds the text; it is at its sorted place when the list is next read. The items added
    // between two reads are sorted once and merged, so a list of n items costs O(n log n)
    // whatever order they come in (one insertion each would be O(n) per item). Not to be
    // called while another thread reads the list.
    void Add(std::wstring text);
    void Clear();
    std::size_t Count() const { return items_.size(); }
    // Reads; safe from several threads at once.
    const std::wstring& operator[](std::size_t i) const { return Settled()[i]; }
    const std::vector<std::wstring>& Items() const { return Settled(); }
    auto begin() const { return Settled().begin(); }
    auto end() const { return Settled().end(); }

  private:
    const std::vector<std::wstring>& Settled() const;

    mutable std::mutex mutex_;
    mutable std::vector<std::wstring> items_;  // items_[0, sorted_) in order, then the new ones
    mutable std::atomic<std::size_t> sorted_{0};
};

}  // namespace kinoha
