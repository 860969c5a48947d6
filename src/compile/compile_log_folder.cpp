#include "compile/compile_log_folder.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + name;
    return folder + L"\\" + name;
}

bool Usable(const std::wstring& folder) {
    return !folder.empty() && platform::EnsureDirectory(folder) &&
           platform::CanCreateFileIn(folder);
}

// A run folder's name: fifteen characters "yyyyMMdd-HHmmss", maybe with "-n" after them.
bool IsRunFolderName(const std::wstring& name) {
    if (name.size() < 15) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        const bool digit = c >= L'0' && c <= L'9';
        if (i == 8 || i == 15) {
            if (c != L'-') return false;
        } else if (!digit) {
            return false;
        }
    }
    return name.size() != 16;
}

// Removes run folders beyond the newest `keep`; only their .log files are removed, so a
// folder in which someone put anything else stays. The running run's folder is never one of
// them, nor a folder dated after it (a clock once ahead, or planted): only earlier runs go.
void Prune(const std::wstring& root, const std::wstring& current, int keep) {
    std::vector<platform::DirEntry> entries;
    platform::FindEntries(root, L"*", entries);
    std::vector<std::wstring> runs;
    const std::wstring currentName = current.substr(current.find_last_of(L"\\/") + 1);
    for (const auto& e : entries) {
        if (!e.isDirectory || e.isLink || !IsRunFolderName(e.name) || e.name == currentName)
            continue;
        if (e.name.substr(0, 15) > currentName.substr(0, 15)) continue;
        runs.push_back(e.name);
    }
    --keep;  // the running one counts
    if (keep < 0 || static_cast<int>(runs.size()) <= keep) return;
    // Names sort by date and time; "-n" suffixes of one second sort after the plain name.
    std::sort(runs.begin(), runs.end(), [](const std::wstring& a, const std::wstring& b) {
        const std::wstring sa = a.substr(0, 15), sb = b.substr(0, 15);
        if (sa != sb) return sa < sb;
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    });
    for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < runs.size(); ++i) {
        const std::wstring run = Join(root, runs[i]);
        std::vector<platform::DirEntry> logs;
        platform::FindEntries(run, L"*.log", logs);
        for (const auto& log : logs) {
            if (log.isOrdinaryFile && !log.isLink) platform::RemoveFile(Join(run, log.name));
        }
        platform::RemoveEmptyDirectory(run);
    }
}

std::wstring RunName(const std::tm& now) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%04d%02d%02d-%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1,
                  now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
    return buf;
}

// A new run folder under `root`; empty when none can be made there.
std::wstring NewRunFolder(const std::wstring& root, const std::tm& now) {
    if (!Usable(root)) return {};
    const std::wstring base = RunName(now);
    for (int n = 1; n < 1000; ++n) {
        const std::wstring name = n == 1 ? base : base + L"-" + std::to_wstring(n);
        const std::wstring folder = Join(root, name);
        // Made here and now, or taken by another run meanwhile: then the next name.
        if (!platform::CreateNewDirectory(folder)) {
            std::string identity;
            if (platform::DirectoryIdentity(folder, identity)) continue;
            return {};
        }
        return platform::CanCreateFileIn(folder) ? folder : std::wstring();
    }
    return {};
}

std::wstring TemporaryLogs() {
    return Join(Join(platform::TemporaryDirectory(), L"Kinoha"), L"logs");
}
}  // namespace

CompileLogFolder CompileLogFolder::ForRun(const std::wstring& root,
                                          const std::wstring& fallbackRoot, const std::tm& now,
                                          int keep) {
    CompileLogFolder f;
    std::wstring used = root;
    f.folder_ = NewRunFolder(root, now);
    if (f.folder_.empty()) {
        f.fellBack_ = true;
        used = fallbackRoot;
        f.folder_ = NewRunFolder(fallbackRoot, now);
    }
    if (!f.folder_.empty()) Prune(used, f.folder_, keep);
    return f;
}

CompileLogFolder CompileLogFolder::ForRun(const std::tm& now) {
    return ForRun(Join(platform::PerUserDirectory(), L"logs"), TemporaryLogs(), now);
}

CompileLogFolder CompileLogFolder::ForRunNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    return ForRun(local);
}

CompileLogFolder CompileLogFolder::Given(const std::wstring& folder) {
    CompileLogFolder f;
    if (Usable(folder)) {
        f.folder_ = folder;
    } else {
        f.fellBack_ = true;
        const std::wstring temp = TemporaryLogs();
        if (Usable(temp)) f.folder_ = temp;
    }
    return f;
}

std::wstring CompileLogFolder::PathFor(const std::wstring& entry) {
    if (folder_.empty()) return {};
    std::wstring name = NameOf(entry);
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    if (name.empty()) name = L"project";
    // Windows compares names without regard to case.
    std::wstring candidate = name;
    for (int n = 2; !taken_.insert(UpperAscii(candidate)).second; ++n)
        candidate = name + L"-" + std::to_wstring(n);
    return Join(folder_, candidate + L".log");
}

}  // namespace kinoha
