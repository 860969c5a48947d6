#include "catalogue/project_search.h"

#include <unordered_set>

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

void AppendMatches(const std::wstring& directory, const std::vector<platform::DirEntry>& entries,
                   const std::wstring& pattern, std::vector<std::wstring>& list, bool fullPaths) {
    for (const auto& e : entries) {
        // Only files: a folder named like a project is no project.
        if (e.isDirectory || !platform::MatchesPattern(e.name, pattern)) continue;
        platform::PumpEvents();
        list.push_back(fullPaths ? Join(directory, e.name) : e.name);
    }
}

bool Search(const std::wstring& directory, const std::wstring& pattern, bool recurse,
            std::vector<std::wstring>& list, bool fullPaths, Visited& visited,
            std::vector<std::wstring>* unreadable) {
    platform::PumpEvents();
    // One listing serves both the subdirectories and the matches. "*" matches the entry "."
    // that every listable directory but a drive root has, so a failed listing is a directory
    // that cannot be read.
    std::vector<platform::DirEntry> entries;
    if (!platform::FindEntries(directory, L"*", entries) && unreadable != nullptr)
        unreadable->push_back(directory);
    AppendMatches(directory, entries, pattern, list, fullPaths);
    if (!recurse) return true;

    for (const auto& e : entries) {
        if (!e.isDirectory || e.name.empty() || e.name[0] == L'.') continue;
        const std::wstring sub = Join(directory, e.name);
        if (!visited.Enter(sub, e.isLink)) continue;
        platform::PumpEvents();
        Search(sub, pattern, recurse, list, fullPaths, visited, unreadable);
    }
    return true;
}
}  // namespace

bool SearchFiles(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                 std::vector<std::wstring>& list, bool clearFirst, bool fullPaths,
                 std::vector<std::wstring>* unreadable) {
    if (clearFirst) list.clear();
    return SearchDirectory(directory, pattern, recurse, list, fullPaths, unreadable);
}

bool SearchDirectory(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                     std::vector<std::wstring>& list, bool fullPaths,
                     std::vector<std::wstring>* unreadable) {
    Visited visited;
    visited.Enter(directory, false);
    return Search(directory, pattern, recurse, list, fullPaths, visited, unreadable);
}

bool ListMatchingFiles(const std::wstring& directory, const std::wstring& pattern,
                       std::vector<std::wstring>& list, bool fullPaths) {
    std::vector<platform::DirEntry> entries;
    if (!platform::FindEntries(directory, pattern, entries)) return true;
    AppendMatches(directory, entries, pattern, list, fullPaths);
    return true;
}

}  // namespace kinoha
