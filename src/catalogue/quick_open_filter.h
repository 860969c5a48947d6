// The quick-open window's filter: the catalogue's projects narrowed by what the user types,
// the most recently opened first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kinoha {

// The text as the filter compares it: full-width ASCII and the ideographic space as their
// half-width forms, half-width katakana (with its sound marks) as full-width katakana, then
// letter case folded.
std::wstring FoldForSearch(std::wstring_view text);

class QuickOpenIndex {
  public:
    // The projects to choose from, in catalogue order.
    void Reset(std::vector<std::wstring> projects);
    std::size_t Count() const { return paths_.size(); }
    const std::wstring& Path(std::size_t i) const { return paths_[i]; }

    // Indexes of the projects whose path holds every blank-separated term of `query` (folded
    // as above; no term matches everything): first those of `recent` in its order, then the
    // others in catalogue order.
    std::vector<std::size_t> Filter(std::wstring_view query,
                                    const std::vector<std::wstring>& recent) const;

  private:
    std::vector<std::wstring> paths_;
    std::vector<std::wstring> folded_;
    std::unordered_map<std::wstring, std::size_t> position_;
};

}  // namespace kinoha
