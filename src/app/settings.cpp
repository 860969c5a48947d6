#include "app/settings.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <limits>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/globals.h"
#include "app/hotkey.h"
#include "app/recent_projects.h"
#include "app/run_window_layout.h"
#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

std::wstring gIniFallbackPath;
std::wstring gIniInheritedPath;

namespace {
constexpr wchar_t kVbMain[] = L"[VBMAIN]";
bool StoreInt32(std::wstring_view value, std::int32_t& target) {
    const auto v = ToInteger(value, std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max());
    if (!v) return false;
    target = static_cast<std::int32_t>(*v);
    return true;
}

// A value as the settings file can keep it: empty when the file could not hold it unchanged
// (a control character would make it two lines; a character outside the code page would turn
// into "?" and name another file).
std::wstring Storable(const std::wstring& value) {
    return HasControlCharacter(value) || !platform::AnsiHolds(value) ? std::wstring() : value;
}

// One tag of the settings file: how its value loads, what it is before any file is read, and
// how (and when) it is written. The table's order is the file's.
struct Tag {
    const wchar_t* tag;
    void (*load)(const std::wstring& value);
    void (*reset)();
    void (*save)(const std::wstring& tag, std::vector<std::wstring>& lines);
    // Loading starts from the default; the others keep what they had while the file lacks them.
    bool resetOnLoad = false;
};

void LoadInt(std::int32_t& field, const std::wstring& value) {
    StoreInt32(value, field);
}
void SaveInt(const std::wstring& tag, std::int32_t value, std::vector<std::wstring>& lines) {
    lines.push_back(tag + std::to_wstring(value));
}
// The counting and compile options beyond the classic ones are written only when set, so a
// file of someone who never uses them stays as an older Kinoha writes and reads it.
void SaveIntIfSet(const std::wstring& tag, std::int32_t value, std::vector<std::wstring>& lines) {
    if (value != 0) SaveInt(tag, value, lines);
}
void SaveJobsIfSet(const std::wstring& tag, std::int32_t value, std::vector<std::wstring>& lines) {
    if (value != 1) SaveInt(tag, value, lines);
}
void SaveLimitIfSet(const std::wstring& tag, std::int32_t value, std::vector<std::wstring>& lines) {
    if (value != kDefaultMakeLimit) SaveInt(tag, value, lines);
}

#define KINOHA_INT_TAG(TAG, FIELD, INITIAL, SAVE, RESET)                                          \
    Tag {                                                                                         \
        TAG, [](const std::wstring& v) { LoadInt(FIELD, v); }, [] { FIELD = INITIAL; },           \
            [](const std::wstring& t, std::vector<std::wstring>& l) { SAVE(t, FIELD, l); }, RESET \
    }

const Tag kTags[] = {
    KINOHA_INT_TAG(L"[TOP   ]", gTop, 0, SaveInt, false),
    KINOHA_INT_TAG(L"[LEFT  ]", gLeft, 0, SaveInt, false),
    KINOHA_INT_TAG(L"[HEIGHT]", gHeight, kRunWindowDesignHeight, SaveInt, true),
    KINOHA_INT_TAG(L"[WIDTH ]", gWidth, kRunWindowWidth, SaveInt, true),
    {kVbMain, [](const std::wstring& v) { gVbMain = v; }, [] { gVbMain.clear(); },
     [](const std::wstring& t, std::vector<std::wstring>& l) {
         l.push_back(t + Storable(gVbMain));
     }},
    {L"[DIR   ]", [](const std::wstring& v) { gPrjDir = v; }, [] { gPrjDir.clear(); },
     [](const std::wstring& t, std::vector<std::wstring>& l) {
         l.push_back(t + Storable(gPrjDir));
     }},
    KINOHA_INT_TAG(L"[UNDER ]", gUnder, 0, SaveInt, false),
    KINOHA_INT_TAG(L"[CTL   ]", gCtl, 0, SaveIntIfSet, false),
    KINOHA_INT_TAG(L"[VBCMT ]", gVbCmt, 0, SaveIntIfSet, false),
    KINOHA_INT_TAG(L"[CHANGE]", gMakeChanged, 0, SaveIntIfSet, false),
    KINOHA_INT_TAG(L"[LIMIT ]", gMakeLimit, kDefaultMakeLimit, SaveLimitIfSet, false),
    KINOHA_INT_TAG(L"[JOBS  ]", gMakeJobs, 1, SaveJobsIfSet, false),
    {L"[DEFINE]", [](const std::wstring& v) { gDefines = v; }, [] { gDefines.clear(); },
     [](const std::wstring& t, std::vector<std::wstring>& l) {
         if (!gDefines.empty()) l.push_back(t + Storable(gDefines));
     }},
    {L"[JYOGAI]", [](const std::wstring& v) { lstJyogai.push_back(v); }, [] { lstJyogai.clear(); },
     [](const std::wstring& t, std::vector<std::wstring>& l) {
         for (const auto& entry : lstJyogai) {
             if (!HasControlCharacter(entry)) l.push_back(t + entry);
         }
     },
     true},
    {L"[FILE  ]",
     [](const std::wstring& v) {
         const auto n = ToInteger(v, std::numeric_limits<std::int16_t>::min(),
                                  std::numeric_limits<std::int16_t>::max());
         if (n && *n == 1) gFileNamesOnly = true;
     },
     [] { gFileNamesOnly = false; },
     [](const std::wstring& t, std::vector<std::wstring>& l) {
         l.push_back(t + (gFileNamesOnly ? L"1" : L"0"));
     }},
    // The newer tags only when they hold something, so that an older Kinoha reads the same file.
    {L"[HOTKEY]",
     [](const std::wstring& v) {
         // A text that is no key combination keeps the default.
         if (const auto hotkey = ParseHotkey(v)) gHotkey = *hotkey;
     },
     [] { gHotkey = DefaultHotkey(); },
     [](const std::wstring& t, std::vector<std::wstring>& l) {
         if (gHotkey != DefaultHotkey()) l.push_back(t + HotkeyText(gHotkey));
     },
     true},
    {L"[RECENT]",
     [](const std::wstring& v) {
         if (!v.empty() && gRecent.size() < kRecentProjects) gRecent.push_back(v);
     },
     [] { gRecent.clear(); },
     [](const std::wstring& t, std::vector<std::wstring>& l) {
         // A line break in a path would write a line of its own (any tag) into the file.
         for (const auto& path : gRecent) {
             if (!HasControlCharacter(path)) l.push_back(t + path);
         }
     },
     true},
};
#undef KINOHA_INT_TAG

// Acts on one line. A value that does not convert (a number that is none, a text with a control
// character) is skipped and its field keeps what it had; the lines after it still load.
void ApplyLine(const std::wstring& line) {
    const std::wstring tag = line.substr(0, 8);
    const std::wstring value = line.size() > 8 ? line.substr(8) : std::wstring();
    if (HasControlCharacter(value)) return;
    for (const auto& t : kTags) {
        if (tag == t.tag) {
            t.load(value);
            return;
        }
    }
}

// The settings file's lines: CR LF, CR or LF alone ends one (a file edited elsewhere may have
// lone LF ends).
std::vector<std::string_view> SettingsLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", from);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(from));
            break;
        }
        lines.push_back(bytes.substr(from, end - from));
        from =
            end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

bool ReadSettingsLines(const std::wstring& path, std::vector<std::wstring>& lines) {
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) return false;
    for (const auto line : SettingsLines(bytes)) lines.push_back(platform::DecodeAnsi(line));
    return true;
}

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// A settings file written under another Windows version: a ".ini" file that names a VB
// executable.
bool IsSettingsFile(const std::wstring& path) {
    std::vector<std::wstring> lines;
    if (!ReadSettingsLines(path, lines)) return false;
    return std::any_of(lines.begin(), lines.end(), [](const std::wstring& line) {
        return line.size() > 8 && line.compare(0, 8, kVbMain) == 0;
    });
}

// The names Kinoha gives its settings files: the Windows version's name (every version's
// names "Windows"), or "Kinoha.ini" where it has none. Any other ".ini" beside the program is
// not Kinoha's and never taken over.
bool IsVersionSettingsName(const std::wstring& name) {
    const std::wstring upper = UpperAscii(name);
    return upper == L"KINOHA.INI" || upper.find(L"WINDOWS") != std::wstring::npos;
}

// The local time now, with ten minutes for a file server whose clock is a little ahead.
platform::LocalDateTime LocalNowPlusSkew() {
    const std::time_t later = std::time(nullptr) + 10 * 60;
    platform::LocalDateTime t;
    if (const std::tm* tm = std::localtime(&later)) {
        t = {tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec};
    } else {
        t.year = 9999;  // no clock: no file is in the future
    }
    return t;
}

std::wstring JoinDir(const std::wstring& directory, const std::wstring& name) {
    if (!directory.empty() && (directory.back() == L'\\' || directory.back() == L'/'))
        return directory + name;
    return directory + L"\\" + name;
}
}  // namespace

std::wstring OtherVersionSettingsFile() {
    std::vector<std::wstring> folders = {FolderOf(gIniPath)};
    if (!gIniFallbackPath.empty()) folders.push_back(FolderOf(gIniFallbackPath));
    std::wstring newest;
    platform::LocalDateTime newestTime;
    const auto key = [](const platform::LocalDateTime& t) {
        return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second);
    };
    const platform::LocalDateTime now = LocalNowPlusSkew();
    for (const auto& folder : folders) {
        if (folder.empty()) continue;  // no settings path decided
        std::vector<platform::DirEntry> entries;
        platform::FindEntries(folder, L"*.ini", entries);
        for (const auto& e : entries) {
            if (!IsVersionSettingsName(e.name)) continue;
            const std::wstring path = folder + L"\\" + e.name;
            platform::LocalDateTime time;
            if (!e.isOrdinaryFile || !platform::FileModifiedLocal(path, time)) continue;
            // A file dated after now was not written by an earlier start: planted, or from a
            // clock gone wrong.
            if (key(time) > key(now)) continue;
            if (!newest.empty() && key(time) <= key(newestTime)) continue;
            if (!IsSettingsFile(path)) continue;
            newest = path;
            newestTime = time;
        }
    }
    return newest;
}

void ResetSettingsRecord() {
    for (const auto& t : kTags) t.reset();
}

void LoadSettings() {
    for (const auto& t : kTags) {
        if (t.resetOnLoad) t.reset();
    }
    gIniInheritedPath.clear();
    std::wstring path = gIniPath;
    // Paths, looked up as paths: a program folder such as "Tools.exe files" is no command line.
    if (!platform::LookupFile(path)) {
        if (!gIniFallbackPath.empty() && platform::LookupFile(gIniFallbackPath)) {
            path = gIniFallbackPath;
        } else {
            // A new Windows version names a new file: start from the last one's settings.
            path = OtherVersionSettingsFile();
            if (path.empty()) return;
            gIniInheritedPath = path;
        }
    }
    std::vector<std::wstring> lines;
    if (!ReadSettingsLines(path, lines)) return;
    for (const auto& line : lines) ApplyLine(line);
}

std::wstring KeepablePath(const std::wstring& path) {
    if (platform::AnsiHolds(path)) return path;
    const std::wstring shortName = platform::ShortPathName(path);
    return !shortName.empty() && platform::AnsiHolds(shortName) ? shortName : std::wstring();
}

void SaveSettings() {
    if (gVbMain.empty()) return;
    std::vector<std::wstring> lines;
    for (const auto& t : kTags) t.save(t.tag, lines);
    platform::WriteTextLines(gIniPath, lines);  // a failed save leaves the old file whole
}

namespace {
// A program started from a network folder (a UNC path, or a mapped drive) is shared by a team:
// each user's settings are that user's own.
bool SharedFolder(const std::wstring& directory) {
    const bool unc =
        directory.size() > 2 && directory[0] == L'\\' && directory[1] == L'\\' &&
        (directory.compare(0, 4, L"\\\\?\\") != 0 || directory.compare(0, 8, L"\\\\?\\UNC\\") == 0);
    return unc || platform::OnRemoteDrive(directory);
}
}  // namespace

void DecideIniPath(const std::wstring& versionName, const std::wstring& programDirectory) {
    const std::wstring name = (versionName.empty() ? L"Kinoha" : versionName) + L".ini";
    const std::wstring programDir =
        programDirectory.empty() ? platform::ProgramDirectory() : programDirectory;
    const std::wstring beside = JoinDir(programDir, name);
    gIniFallbackPath.clear();
    if (!SharedFolder(programDir) && platform::CanCreateFileIn(programDir)) {
        gIniPath = beside;
        return;
    }
    const std::wstring perUser = platform::PerUserDirectory();
    platform::EnsureDirectory(perUser);
    gIniPath = JoinDir(perUser, name);
    gIniFallbackPath = beside;
}

}  // namespace kinoha
