#include "catalogue/exclusion.h"

namespace kinoha {

bool IsExcluded(const std::wstring& path, const std::vector<std::wstring>& exclusions) {
    for (const auto& e : exclusions) {
        if (path.find(e) != std::wstring::npos) return true;
    }
    return false;
}

std::vector<std::wstring> WithoutExcluded(const std::vector<std::wstring>& paths,
                                          const std::vector<std::wstring>& exclusions) {
    std::vector<std::wstring> kept;
    for (const auto& path : paths) {
        if (!IsExcluded(path, exclusions)) kept.push_back(path);
    }
    return kept;
}

}  // namespace kinoha
