#include "app/sorted_list.h"

#include <algorithm>

#include "platform/case_fold.h"

namespace kinoha {
namespace {
bool Before(const std::wstring& a, const std::wstring& b) {
    return platform::CompareFolded(a, b) < 0;
}
}  // namespace

SortedList::SortedList(const SortedList& other) {
    *this = other;
}

SortedList::SortedList(SortedList&& other) noexcept {
    *this = std::move(other);
}

SortedList& SortedList::operator=(const SortedList& other) {
    if (this == &other) return *this;
    std::vector<std::wstring> copy = other.Settled();
    std::lock_guard<std::mutex> lock(mutex_);
    items_ = std::move(copy);
    sorted_ = items_.size();
    return *this;
}

SortedList& SortedList::operator=(SortedList&& other) noexcept {
    if (this == &other) return *this;
    std::scoped_lock lock(mutex_, other.mutex_);
    items_ = std::move(other.items_);
    sorted_ = other.sorted_.load();
    other.items_.clear();
    other.sorted_ = 0;
    return *this;
}

void SortedList::Add(std::wstring text) {
    std::lock_guard<std::mutex> lock(mutex_);
    // In order already (ascending input, or a last item): nothing to sort later.
    const bool inOrder =
        sorted_ == items_.size() && (items_.empty() || !Before(text, items_.back()));
    items_.push_back(std::move(text));
    if (inOrder) sorted_ = items_.size();
}

void SortedList::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    items_.clear();
    sorted_ = 0;
}

const std::vector<std::wstring>& SortedList::Settled() const {
    if (sorted_.load(std::memory_order_acquire) == items_.size()) return items_;
    std::lock_guard<std::mutex> lock(mutex_);
    const auto middle = items_.begin() + static_cast<std::ptrdiff_t>(sorted_.load());
    std::stable_sort(middle, items_.end(), Before);
    std::inplace_merge(items_.begin(), middle, items_.end(), Before);  // equal ones: older first
    sorted_.store(items_.size(), std::memory_order_release);
    return items_;
}

}  // namespace kinoha
