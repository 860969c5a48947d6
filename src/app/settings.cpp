#include "app/settings.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/globals.h"
#include "app/hotkey.h"
#include "app/recent_projects.h"
#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

std::wstring gIniFallbackPath;
std::wstring gIniInheritedPath;

namespace {
constexpr wchar_t kTop[] = L"[TOP   ]";
constexpr wchar_t kLeft[] = L"[LEFT  ]";
constexpr wchar_t kHeight[] = L"[HEIGHT]";
constexpr wchar_t kWidth[] = L"[WIDTH ]";
constexpr wchar_t kVbMain[] = L"[VBMAIN]";
constexpr wchar_t kDir[] = L"[DIR   ]";
constexpr wchar_t kFile[] = L"[FILE  ]";
constexpr wchar_t kJyogai[] = L"[JYOGAI]";
constexpr wchar_t kUnder[] = L"[UNDER ]";
constexpr wchar_t kHotkey[] = L"[HOTKEY]";
constexpr wchar_t kRecent[] = L"[RECENT]";
constexpr wchar_t kCtl[] = L"[CTL   ]";
constexpr wchar_t kVbCmt[] = L"[VBCMT ]";
constexpr wchar_t kChanged[] = L"[CHANGE]";

// A decimal integer with blanks allowed around it, within [min, max]; nothing otherwise.
std::optional<std::int64_t> ToInteger(std::wstring_view v, std::int64_t min, std::int64_t max) {
    std::size_t i = 0;
    while (i < v.size() && v[i] == L' ') ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == L'-' || v[i] == L'+')) negative = v[i++] == L'-';
    const std::size_t digitsFrom = i;
    std::int64_t value = 0;
    while (i < v.size() && v[i] >= L'0' && v[i] <= L'9') {
        value = value * 10 + (v[i++] - L'0');
        if (value > max + 1) return std::nullopt;
    }
    if (i == digitsFrom) return std::nullopt;
    while (i < v.size() && v[i] == L' ') ++i;
    if (i != v.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < min || value > max) return std::nullopt;
    return value;
}

bool StoreInt32(std::wstring_view value, std::int32_t& target) {
    const auto v = ToInteger(value, std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max());
    if (!v) return false;
    target = static_cast<std::int32_t>(*v);
    return true;
}

// Acts on one line. A value that does not convert (a number that is none, a text with a control
// character) is skipped and its field keeps what it had; the lines after it still load.
void ApplyLine(const std::wstring& line) {
    const std::wstring tag = line.substr(0, 8);
    const std::wstring value = line.size() > 8 ? line.substr(8) : std::wstring();
    if (tag == kTop) {
        StoreInt32(value, gTop);
    } else if (tag == kLeft) {
        StoreInt32(value, gLeft);
    } else if (tag == kHeight) {
        StoreInt32(value, gHeight);
    } else if (tag == kWidth) {
        StoreInt32(value, gWidth);
    } else if (HasControlCharacter(value)) {
        return;
    } else if (tag == kVbMain) {
        gVbMain = value;
    } else if (tag == kDir) {
        gPrjDir = value;
    } else if (tag == kFile) {
        const auto v = ToInteger(value, std::numeric_limits<std::int16_t>::min(),
                                 std::numeric_limits<std::int16_t>::max());
        if (v && *v == 1) gFileNamesOnly = true;
    } else if (tag == kJyogai) {
        lstJyogai.push_back(value);
    } else if (tag == kUnder) {
        StoreInt32(value, gUnder);
    } else if (tag == kCtl) {
        StoreInt32(value, gCtl);
    } else if (tag == kVbCmt) {
        StoreInt32(value, gVbCmt);
    } else if (tag == kChanged) {
        StoreInt32(value, gMakeChanged);
    } else if (tag == kHotkey) {
        // A text that is no key combination keeps the default.
        if (const auto hotkey = ParseHotkey(value)) gHotkey = *hotkey;
    } else if (tag == kRecent) {
        if (!value.empty() && gRecent.size() < kRecentProjects) gRecent.push_back(value);
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

// A value as the settings file can keep it: empty when the file could not hold it unchanged
// (a control character would make it two lines; a character outside the code page would turn
// into "?" and name another file).
std::wstring Storable(const std::wstring& value) {
    return HasControlCharacter(value) || !platform::AnsiHolds(value) ? std::wstring() : value;
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
    for (const auto& folder : folders) {
        if (folder.empty()) continue;  // no settings path decided
        std::vector<platform::DirEntry> entries;
        platform::FindEntries(folder, L"*.ini", entries);
        for (const auto& e : entries) {
            const std::wstring path = folder + L"\\" + e.name;
            platform::LocalDateTime time;
            if (!e.isOrdinaryFile || !platform::FileModifiedLocal(path, time)) continue;
            if (!newest.empty() && key(time) <= key(newestTime)) continue;
            if (!IsSettingsFile(path)) continue;
            newest = path;
            newestTime = time;
        }
    }
    return newest;
}

void LoadSettings() {
    gHeight = 4515;
    gWidth = 6630;
    lstJyogai.clear();
    gIniInheritedPath.clear();
    gHotkey = DefaultHotkey();
    gRecent.clear();
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
    std::vector<std::wstring> lines = {
        kTop + std::to_wstring(gTop),       kLeft + std::to_wstring(gLeft),
        kHeight + std::to_wstring(gHeight), kWidth + std::to_wstring(gWidth),
        kVbMain + Storable(gVbMain),        kDir + Storable(gPrjDir),
        kUnder + std::to_wstring(gUnder),
    };
    // The counting and compile options beyond the classic ones are written only when set, so a
    // file of someone who never uses them stays as an older Kinoha writes and reads it.
    if (gCtl != 0) lines.push_back(kCtl + std::to_wstring(gCtl));
    if (gVbCmt != 0) lines.push_back(kVbCmt + std::to_wstring(gVbCmt));
    if (gMakeChanged != 0) lines.push_back(kChanged + std::to_wstring(gMakeChanged));
    for (const auto& entry : lstJyogai) {
        if (!HasControlCharacter(entry)) lines.push_back(kJyogai + entry);
    }
    lines.push_back(std::wstring(kFile) + (gFileNamesOnly ? L"1" : L"0"));
    // The newer tags only when they hold something, so that an older Kinoha reads the same file.
    if (gHotkey != DefaultHotkey()) lines.push_back(kHotkey + HotkeyText(gHotkey));
    for (const auto& path : gRecent) lines.push_back(kRecent + path);
    platform::WriteTextLines(gIniPath, lines);  // a failed save leaves the old file whole
}

void DecideIniPath(const std::wstring& versionName) {
    const std::wstring name = (versionName.empty() ? L"Kinoha" : versionName) + L".ini";
    const std::wstring programDir = platform::ProgramDirectory();
    const std::wstring beside = JoinDir(programDir, name);
    gIniFallbackPath.clear();
    if (platform::CanCreateFileIn(programDir)) {
        gIniPath = beside;
        return;
    }
    const std::wstring perUser = platform::PerUserDirectory();
    platform::EnsureDirectory(perUser);
    gIniPath = JoinDir(perUser, name);
    gIniFallbackPath = beside;
}

}  // namespace kinoha
