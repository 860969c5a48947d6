// The exclusion rule that the catalogue, the batch compile list and the step count list share.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

// Whether `path` holds any of `exclusions` (exact, case-sensitive substring; an empty string is
// in every path).
bool IsExcluded(const std::wstring& path, const std::vector<std::wstring>& exclusions);

// `paths` in order without the excluded ones.
std::vector<std::wstring> WithoutExcluded(const std::vector<std::wstring>& paths,
                                          const std::vector<std::wstring>& exclusions);

}  // namespace kinoha
