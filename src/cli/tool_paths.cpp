#include "cli/tool_paths.h"

#include <algorithm>

#include "catalogue/project_search.h"
#include "platform/platform.h"

namespace kinoha {

bool ExpandToolPaths(const std::vector<std::wstring>& given, std::vector<std::wstring>& rows,
                     std::wstring& missing, std::vector<std::wstring>* unreadable) {
    for (const auto& arg : given) {
        std::vector<std::wstring> missed;
        if (!AddPathRows(platform::AbsolutePath(arg), rows, &missed)) {
            missing = arg;
            return false;
        }
        if (unreadable == nullptr) continue;
        // Two PATHs may reach the same directory: each is named once.
        for (auto& m : missed) {
            if (std::find(unreadable->begin(), unreadable->end(), m) == unreadable->end())
                unreadable->push_back(std::move(m));
        }
    }
    return true;
}

}  // namespace kinoha
