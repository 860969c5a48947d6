#include "catalogue/project_search.h"

#include <unordered_set>

#include "app/sorted_list.h"
#include "platform/case_fold.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

// The directories entered so far, so that none is searched twice however many links lead to
// it (a loop back up the tree, or a diamond of links that would multiply every level). Identities
// cost a lookup each, so they are fetched only once the search has met a link: until then a tree
// cannot reach a directory twice.
class Visited {
  public:
    // Records a directory about to be entered; false when it was entered before or is a link
    // that leads nowhere.
    bool Enter(const std::wstring& directory, bool isLink) {
        if (isLink) linkSeen_ = true;
        if (!linkSeen_) {
            pending_.push_back(directory);
            return true;
        }
        for (const auto& path : pending_) {
            std::string identity;
            if (platform::DirectoryIdentity(path, identity)) identities_.insert(identity);
        }
        pending_.clear();
        std::string identity;
        if (!platform::DirectoryIdentity(directory, identity)) return !isLink;
        return identities_.insert(identity).second;
    }

  private:
    bool linkSeen_ = false;
    std::vector<std::wstring> pending_;  // entered before the first link
    std::unordered_set<std::string> identities_;
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
        // Only files: a folder named like a project is no project.
        if (e.isDirectory || !platform::MatchesPattern(e.name, pattern)) continue;
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
    std::vector<std::wstring>* unreadable;
    Visited visited;
};

// False when a step asked to stop.
bool Search(const std::wstring& directory, Walk& walk) {
    if (!walk.step()) return false;
    // One listing serves both the subdirectories and the matches of every pattern. "*" matches
    // the entry "." that every listable directory but a drive root has, so a failed listing is a
    // directory that cannot be read.
    std::vector<platform::DirEntry> entries;
    if (!platform::FindEntries(directory, L"*", entries) && walk.unreadable != nullptr)
        walk.unreadable->push_back(directory);
    for (std::size_t i = 0; i < walk.patterns.size(); ++i) {
        if (!AppendMatches(directory, entries, walk.patterns[i], *walk.lists[i], walk.fullPaths,
                           walk.step))
            return false;
    }
    if (!walk.recurse) return true;

    for (const auto& e : entries) {
        if (!e.isDirectory || e.name.empty() || e.name[0] == L'.') continue;
        const std::wstring sub = Join(directory, e.name);
        if (!walk.visited.Enter(sub, e.isLink)) continue;
        if (!walk.step() || !Search(sub, walk)) return false;
    }
    return true;
}
}  // namespace

bool SearchTree(const std::wstring& directory, const std::vector<std::wstring>& patterns,
                std::vector<std::vector<std::wstring>>& lists, const SearchStep& step,
                std::vector<std::wstring>* unreadable) {
    lists.assign(patterns.size(), {});
    Walk walk{patterns, {}, true, true, step, unreadable, {}};
    for (auto& list : lists) walk.lists.push_back(&list);
    walk.visited.Enter(directory, false);
    return Search(directory, walk);
}

bool SearchFiles(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                 std::vector<std::wstring>& list, bool clearFirst, bool fullPaths,
                 std::vector<std::wstring>* unreadable) {
    if (clearFirst) list.clear();
    return SearchDirectory(directory, pattern, recurse, list, fullPaths, unreadable);
}

bool SearchDirectory(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                     std::vector<std::wstring>& list, bool fullPaths,
                     std::vector<std::wstring>* unreadable) {
    const std::vector<std::wstring> patterns{pattern};
    const SearchStep step = PumpStep;
    Walk walk{patterns, {&list}, recurse, fullPaths, step, unreadable, {}};
    walk.visited.Enter(directory, false);
    Search(directory, walk);
    return true;
}

bool AddPathRows(const std::wstring& path, std::vector<std::wstring>& rows,
                 std::vector<std::wstring>* unreadable) {
    std::string identity;
    if (platform::LookupFile(path)) {
        rows.push_back(path);
        return true;
    }
    if (!platform::DirectoryIdentity(path, identity)) return false;
    std::vector<std::vector<std::wstring>> found;
    SearchTree(path, {L"*.vbg", L"*.vbp"}, found, PumpStep, unreadable);
    SortedList sorted;
    for (auto& list : found) {
        for (auto& f : list) sorted.Add(std::move(f));
    }
    rows.insert(rows.end(), sorted.begin(), sorted.end());
    return true;
}

}  // namespace kinoha
