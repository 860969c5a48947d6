#include "cli/tool_paths.h"

#include <algorithm>
#include <set>

#include "app/text_helpers.h"
#include "catalogue/project_search.h"
#include "compile/project_inputs.h"
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

std::vector<std::wstring> EachOnce(const std::vector<std::wstring>& paths, std::size_t& repeats) {
    std::vector<std::wstring> out;
    std::set<std::wstring> seen;
    repeats = 0;
    for (const auto& p : paths) {
        if (seen.insert(PathKey(p)).second) {
            out.push_back(p);
        } else {
            ++repeats;
        }
    }
    return out;
}

bool AmongPaths(const std::wstring& path, const std::vector<std::wstring>& paths) {
    const std::wstring key = PathKey(path);
    return std::any_of(paths.begin(), paths.end(),
                       [&key](const std::wstring& p) { return PathKey(p) == key; });
}

std::wstring ToolPathMessage(ToolPathProblem problem, const std::wstring& bad) {
    return bad + (problem == ToolPathProblem::NotProject
                      ? L": not a project or group file (.vbp, .vbg)"
                      : L": no such file or directory");
}

}  // namespace kinoha
