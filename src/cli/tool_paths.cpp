#include "cli/tool_paths.h"

#include <algorithm>

#include "app/sorted_list.h"
#include "catalogue/project_search.h"
#include "platform/platform.h"

namespace kinoha {

bool ExpandToolPaths(const std::vector<std::wstring>& given, std::vector<std::wstring>& rows,
                     std::wstring& missing, std::vector<std::wstring>* unreadable) {
    for (const auto& arg : given) {
        const std::wstring path = platform::AbsolutePath(arg);
        std::string identity;
        if (platform::LookupFile(path)) {
            rows.push_back(path);
        } else if (platform::DirectoryIdentity(path, identity)) {
            std::vector<std::wstring> found, missed;
            SearchFiles(path, L"*.vbg", true, found, true, true, &missed);
            SearchFiles(path, L"*.vbp", true, found, false, true, &missed);
            SortedList sorted;
            for (auto& f : found) sorted.Add(std::move(f));
            rows.insert(rows.end(), sorted.begin(), sorted.end());
            if (unreadable == nullptr) continue;
            // Both searches pass the same directories: each is named once.
            for (auto& m : missed) {
                if (std::find(unreadable->begin(), unreadable->end(), m) == unreadable->end())
                    unreadable->push_back(std::move(m));
            }
        } else {
            missing = arg;
            return false;
        }
    }
    return true;
}

}  // namespace kinoha
