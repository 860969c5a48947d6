#include "step/project_versions.h"

#include <algorithm>
#include <map>

#include "app/text_helpers.h"
#include "catalogue/project_search.h"
#include "platform/case_fold.h"
#include "platform/platform.h"
#include "step/step_projects.h"

namespace kinoha {
namespace {

std::wstring Folded(std::wstring_view s) {
    std::wstring f(s);
    for (auto& c : f) c = platform::FoldCase(c);
    return f;
}

std::vector<std::wstring> Components(const std::wstring& path) {
    std::vector<std::wstring> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = path.find(L'\\', from);
        // Empty parts (a folder given with a "\" at its end) say nothing.
        if (at != from)
            parts.push_back(Folded(path.substr(from, at == std::wstring::npos ? at : at - from)));
        if (at == std::wstring::npos) break;
        from = at + 1;
    }
    return parts;
}

}  // namespace

std::wstring RelativeKey(const std::wstring& folder, const std::wstring& path) {
    const auto f = Components(folder), p = Components(path);
    std::size_t same = 0;
    while (same < f.size() && same + 1 < p.size() && f[same] == p[same]) ++same;
    if (same == 0) return Folded(path);
    std::wstring key;
    for (std::size_t i = same; i < f.size(); ++i) key += L"..\\";
    for (std::size_t i = same; i < p.size(); ++i) {
        key += p[i];
        if (i + 1 < p.size()) key += L'\\';
    }
    return key;
}

void PairProjectVersions(const std::vector<std::wstring>& olderListed, const std::wstring& oldRoot,
                         const std::vector<std::wstring>& newerListed, const std::wstring& newRoot,
                         std::vector<VersionPair>& pairs, std::vector<std::wstring>& olderOnly) {
    pairs.clear();
    olderOnly.clear();
    // A project listed on its own and through a group is one project.
    const auto once = [](const std::vector<std::wstring>& listed) {
        std::vector<std::wstring> list;
        for (const auto& p : listed)
            if (std::find(list.begin(), list.end(), p) == list.end()) list.push_back(p);
        return list;
    };
    const std::vector<std::wstring> older = once(olderListed), newer = once(newerListed);
    std::map<std::wstring, std::size_t> byKey;
    std::multimap<std::wstring, std::size_t> byName;
    for (std::size_t i = 0; i < older.size(); ++i) {
        byKey.emplace(RelativeKey(oldRoot, older[i]), i);
        byName.emplace(Folded(NameOf(older[i])), i);
    }
    std::vector<char> used(older.size(), 0);
    // Every project at the same place in both trees first: a copy elsewhere with the same file
    // name must not take the older version from the project that stayed where it was.
    for (const auto& project : newer) {
        VersionPair pair{L"", project};
        const auto it = byKey.find(RelativeKey(newRoot, project));
        if (it != byKey.end() && !used[it->second]) {
            pair.older = older[it->second];
            used[it->second] = 1;
        }
        pairs.push_back(std::move(pair));
    }
    // Then by file name among what is left, where the name is one project's on either side.
    std::map<std::wstring, std::size_t> newerLeft;
    for (const auto& pair : pairs) {
        if (pair.older.empty()) ++newerLeft[Folded(NameOf(pair.newer))];
    }
    for (auto& pair : pairs) {
        if (!pair.older.empty()) continue;
        const std::wstring name = Folded(NameOf(pair.newer));
        if (newerLeft[name] != 1) continue;
        std::size_t left = 0, at = 0;
        for (auto [it, end] = byName.equal_range(name); it != end; ++it) {
            if (!used[it->second]) {
                ++left;
                at = it->second;
            }
        }
        if (left != 1) continue;
        pair.older = older[at];
        used[at] = 1;
    }
    for (std::size_t i = 0; i < older.size(); ++i)
        if (!used[i] && std::find(olderOnly.begin(), olderOnly.end(), older[i]) == olderOnly.end())
            olderOnly.push_back(older[i]);
}

void PairWithChosenOlder(const std::wstring& chosen, const std::vector<std::wstring>& projects,
                         const std::wstring& projectDir, std::vector<VersionPair>& pairs) {
    std::vector<std::wstring> rows, older, olderOnly;
    if (!chosen.empty()) AddPathRows(chosen, rows);
    FillStepProjects(rows, {}, older);
    const bool file = platform::LookupFile(chosen);
    if (file && projects.size() == 1 && older.size() == 1 && older[0] == chosen) {
        pairs = {{chosen, projects[0]}};
        return;
    }
    PairProjectVersions(older, file ? FolderOf(chosen) : chosen, projects, projectDir, pairs,
                        olderOnly);
}

}  // namespace kinoha
