#include "cli/tool_paths.h"

#include <algorithm>

#include "app/text_helpers.h"
#include "catalogue/project_search.h"
#include "platform/platform.h"

namespace kinoha {

ToolPathProblem ExpandToolPaths(const std::vector<std::wstring>& given,
                                std::vector<std::wstring>& rows, std::wstring& bad,
                                std::vector<std::wstring>* unreadable) {
    for (const auto& arg : given) {
        const std::wstring path = platform::AbsolutePath(arg);
        if (platform::LookupFile(path) && !HasExtension(path, L".VBP") &&
            !HasExtension(path, L".VBG")) {
            bad = arg;
            return ToolPathProblem::NotProject;
        }
        std::vector<std::wstring> missed;
        if (!AddPathRows(path, rows, &missed)) {
            bad = arg;
            return ToolPathProblem::Missing;
        }
        if (unreadable == nullptr) continue;
        // Two PATHs may reach the same directory: each is named once.
        for (auto& m : missed) {
            if (std::find(unreadable->begin(), unreadable->end(), m) == unreadable->end())
                unreadable->push_back(std::move(m));
        }
    }
    return ToolPathProblem::None;
}

std::wstring ToolPathMessage(ToolPathProblem problem, const std::wstring& bad) {
    return bad + (problem == ToolPathProblem::NotProject
                      ? L": not a project or group file (.vbp, .vbg)"
                      : L": no such file or directory");
}

}  // namespace kinoha
