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

void AppendMatches(const std::wstring& directory, const std::vector<platform::DirEntry>& entries,
                   const std::wstring& pattern, std::vector<std::wstring>& list, bool fullPaths) {
    for (const auto& e : entries) {
        if (e.name == L"." || e.name == L".." || !platform::MatchesPattern(e.name, pattern))
            continue;
        platform::PumpEvents();
        list.push_back(fullPaths ? Join(directory, e.name) : e.name);
    }
}

bool Search(const std::wstring& directory, const std::wstring& pattern, bool recurse,
            std::vector<std::wstring>& list, bool fullPaths, Ancestors& ancestors,
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

    ancestors.items.push_back({directory, {}, false});
    for (const auto& e : entries) {
        if (!e.isDirectory || e.name.empty() || e.name[0] == L'.') continue;
        const std::wstring sub = Join(directory, e.name);
        if (e.isLink) {
            std::string identity;
            if (!platform::DirectoryIdentity(sub, identity) || ancestors.Contains(identity))
                continue;  // a loop back up the tree, or a link that leads nowhere
        }
        platform::PumpEvents();
        Search(sub, pattern, recurse, list, fullPaths, ancestors, unreadable);
    }
    ancestors.items.pop_back();
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
    Ancestors ancestors;
    return Search(directory, pattern, recurse, list, fullPaths, ancestors, unreadable);
}

bool ListMatchingFiles(const std::wstring& directory, const std::wstring& pattern,
                       std::vector<std::wstring>& list, bool fullPaths) {
    std::vector<platform::DirEntry> entries;
    if (!platform::FindEntries(directory, pattern, entries)) return true;
    AppendMatches(directory, entries, pattern, list, fullPaths);
    return true;
}

}  // namespace kinoha
