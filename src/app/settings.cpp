#include "app/settings.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "app/globals.h"
#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

std::wstring gIniFallbackPath;

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
constexpr wchar_t kCtl[] = L"[CTL   ]";
constexpr wchar_t kVbCmt[] = L"[VBCMT ]";

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

// Acts on one line; false when its value does not convert, which ends the reading.
bool ApplyLine(const std::wstring& line) {
    const std::wstring tag = line.substr(0, 8);
    const std::wstring value = line.size() > 8 ? line.substr(8) : std::wstring();
    if (tag == kTop) return StoreInt32(value, gTop);
    if (tag == kLeft) return StoreInt32(value, gLeft);
    if (tag == kHeight) return StoreInt32(value, gHeight);
    if (tag == kWidth) return StoreInt32(value, gWidth);
    if (tag == kVbMain) {
        gVbMain = value;
    } else if (tag == kDir) {
        gPrjDir = value;
    } else if (tag == kFile) {
        const auto v = ToInteger(value, std::numeric_limits<std::int16_t>::min(),
                                 std::numeric_limits<std::int16_t>::max());
        if (!v) return false;
        if (*v == 1) gFileNamesOnly = true;
    } else if (tag == kJyogai) {
        lstJyogai.push_back(value);
    } else if (tag == kUnder) {
        return StoreInt32(value, gUnder);
    } else if (tag == kCtl) {
        return StoreInt32(value, gCtl);
    } else if (tag == kVbCmt) {
        return StoreInt32(value, gVbCmt);
    }
    return true;
}

std::wstring JoinDir(const std::wstring& directory, const std::wstring& name) {
    if (!directory.empty() && (directory.back() == L'\\' || directory.back() == L'/'))
        return directory + name;
    return directory + L"\\" + name;
}
}  // namespace

void LoadSettings() {
    gHeight = 4515;
    gWidth = 6630;
    lstJyogai.clear();
    std::wstring path = gIniPath;
    if (!FileExists(path)) {
        if (gIniFallbackPath.empty() || !FileExists(gIniFallbackPath)) return;
        path = gIniFallbackPath;
    }
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(path, lines)) return;
    for (const auto& line : lines) {
        if (!ApplyLine(line)) return;
    }
}

void SaveSettings() {
    if (gVbMain.empty()) return;
    std::vector<std::wstring> lines = {
        kTop + std::to_wstring(gTop),
        kLeft + std::to_wstring(gLeft),
        kHeight + std::to_wstring(gHeight),
        kWidth + std::to_wstring(gWidth),
        kVbMain + gVbMain,
        kDir + gPrjDir,
        kUnder + std::to_wstring(gUnder),
    };
    // The counting options beyond the classic rules are written only when set, so a file of
    // someone who never uses them stays as an older Kinoha writes and reads it.
    if (gCtl != 0) lines.push_back(kCtl + std::to_wstring(gCtl));
    if (gVbCmt != 0) lines.push_back(kVbCmt + std::to_wstring(gVbCmt));
    for (const auto& entry : lstJyogai) lines.push_back(kJyogai + entry);
    lines.push_back(std::wstring(kFile) + (gFileNamesOnly ? L"1" : L"0"));
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
