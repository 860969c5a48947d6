#include "cli/tool_paths.h"

#include "app/sorted_list.h"
#include "catalogue/project_search.h"
#include "platform/platform.h"

namespace kinoha {

bool ExpandToolPaths(const std::vector<std::wstring>& given, std::vector<std::wstring>& rows,
                     std::wstring& missing) {
    for (const auto& arg : given) {
        const std::wstring path = platform::AbsolutePath(arg);
        std::string identity;
        if (platform::LookupFile(path)) {
            rows.push_back(path);
        } else if (platform::DirectoryIdentity(path, identity)) {
            std::vector<std::wstring> found;
            SearchFiles(path, L"*.vbg", true, found, true, true);
            SearchFiles(path, L"*.vbp", true, found, false, true);
            SortedList sorted;
            for (auto& f : found) sorted.Add(std::move(f));
            rows.insert(rows.end(), sorted.begin(), sorted.end());
        } else {
            missing = arg;
            return false;
        }
    }
    return true;
}

std::wstring ShownPath(const std::wstring& path, const std::wstring& here) {
    if (path.size() > here.size() + 1 && path.compare(0, here.size(), here) == 0 &&
        path[here.size()] == L'\\')
        return platform::DisplayPath(path.substr(here.size() + 1));
    return platform::DisplayPath(path);
}

}  // namespace kinoha
