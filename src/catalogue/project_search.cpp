#include "catalogue/project_search.h"

#include "platform/case_fold.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

// The directories of the current descent, with their identities fetched only when a link
// asks whether it leads back to one of them.
struct Ancestors {
    struct Item {
        std::wstring path;
        std::string identity;
        bool known = false;
    };
    std::vector<Item> items;

    bool Contains(const std::string& identity) {
        for (auto& item : items) {
            if (!item.known) {
                platform::DirectoryIdentity(item.path, item.identity);
                item.known = true;
            }
            if (item.identity == identity) return true;
        }
        return false;
    }
};

std::wstring Join(const std::wstring& directory, const std::wstring& name) {
    return directory + L"\\" + name;
}

// Pending window events are processed between steps of the search on the UI thread.
bool PumpStep() {
    platform::PumpEvents();
    return true;
}

bool AppendMatches(const std::wstring& directory, const std::vector<platform::DirEntry>& entries,
                   const std::wstring& pattern, std::vector<std::wstring>& list, bool fullPaths,
                   const SearchStep& step) {
    for (const auto& e : entries) {
        if (e.name == L"." || e.name == L".." || !platform::MatchesPattern(e.name, pattern))
            continue;
        if (!step()) return false;
        list.push_back(fullPaths ? Join(directory, e.name) : e.name);
    }
    return true;
}

struct Walk {
    const std::vector<std::wstring>& patterns;
    std::vector<std::vector<std::wstring>*> lists;
    bool recurse;
    bool fullPaths;
    const SearchStep& step;
    Ancestors ancestors;
};

// False when a step asked to stop.
bool Search(const std::wstring& directory, Walk& walk) {
    if (!walk.step()) return false;
    // One listing serves both the subdirectories and the matches of every pattern.
    std::vector<platform::DirEntry> entries;
    platform::FindEntries(directory, L"*", entries);
    for (std::size_t i = 0; i < walk.patterns.size(); ++i) {
        if (!AppendMatches(directory, entries, walk.patterns[i], *walk.lists[i], walk.fullPaths,
                           walk.step))
            return false;
    }
    if (!walk.recurse) return true;

    walk.ancestors.items.push_back({directory, {}, false});
    for (const auto& e : entries) {
        if (!e.isDirectory || e.name.empty() || e.name[0] == L'.') continue;
        const std::wstring sub = Join(directory, e.name);
        if (e.isLink) {
            std::string identity;
            if (!platform::DirectoryIdentity(sub, identity) || walk.ancestors.Contains(identity))
                continue;  // a loop back up the tree, or a link that leads nowhere
        }
        if (!walk.step() || !Search(sub, walk)) return false;
    }
    walk.ancestors.items.pop_back();
    return true;
}
}  // namespace

bool SearchTree(const std::wstring& directory, const std::vector<std::wstring>& patterns,
                std::vector<std::vector<std::wstring>>& lists, const SearchStep& step) {
    lists.assign(patterns.size(), {});
    Walk walk{patterns, {}, true, true, step, {}};
    for (auto& list : lists) walk.lists.push_back(&list);
    return Search(directory, walk);
}

bool SearchFiles(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                 std::vector<std::wstring>& list, bool clearFirst, bool fullPaths) {
    if (clearFirst) list.clear();
    return SearchDirectory(directory, pattern, recurse, list, fullPaths);
}

bool SearchDirectory(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                     std::vector<std::wstring>& list, bool fullPaths) {
    const std::vector<std::wstring> patterns{pattern};
    const SearchStep step = PumpStep;
    Walk walk{patterns, {&list}, recurse, fullPaths, step, {}};
    Search(directory, walk);
    return true;
}

bool ListMatchingFiles(const std::wstring& directory, const std::wstring& pattern,
                       std::vector<std::wstring>& list, bool fullPaths) {
    std::vector<platform::DirEntry> entries;
    if (!platform::FindEntries(directory, pattern, entries)) return true;
    AppendMatches(directory, entries, pattern, list, fullPaths, PumpStep);
    return true;
}

}  // namespace kinoha
