// The settings file: any bytes load without harm, and what was loaded survives a save and a
// second load unchanged. The same bytes, cut at NUL bytes, also serve as values to save (line
// breaks and other control characters among them): a value never becomes two lines, so what
// reads back is each value as set or nothing, never a line it smuggled in.
#include <algorithm>

#include "app/globals.h"
#include "app/settings.h"
#include "fuzz_support.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

struct Record {
    std::int32_t top, left, height, width, under;
    std::wstring vbMain, prjDir;
    std::vector<std::wstring> jyogai;
    bool fileNamesOnly;
    bool operator==(const Record&) const = default;
};

Record Current() {
    return {gTop, gLeft, gHeight, gWidth, gUnder, gVbMain, gPrjDir, lstJyogai, gFileNamesOnly};
}

void ReloadSaved() {
    ResetGlobals();
    gIniPath = fuzz::Folder() + L"\\Saved.ini";
    LoadSettings();
}

// True when `part` is `whole` with some items left out, the rest in order.
bool IsSubsequence(const std::vector<std::wstring>& part, const std::vector<std::wstring>& whole) {
    auto it = whole.begin();
    for (const auto& item : part) {
        it = std::find(it, whole.end(), item);
        if (it == whole.end()) return false;
        ++it;
    }
    return true;
}

void SavedValuesStayOneLineEach(std::string_view bytes) {
    std::vector<std::wstring> values;
    std::size_t from = 0;
    for (;;) {
        const std::size_t nul = bytes.find('\0', from);
        values.push_back(platform::DecodeAnsi(bytes.substr(from, nul - from)));
        if (nul == std::string_view::npos) break;
        from = nul + 1;
    }
    ResetGlobals();
    gIniPath = fuzz::Folder() + L"\\Saved.ini";
    gVbMain = L"V" + values[0];
    gPrjDir = values.size() > 1 ? values[1] : L"";
    if (values.size() > 2) lstJyogai.assign(values.begin() + 2, values.end());
    const Record set = Current();
    SaveSettings();
    ReloadSaved();
    KINOHA_FUZZ_CHECK(gVbMain == set.vbMain || gVbMain.empty());
    KINOHA_FUZZ_CHECK(gPrjDir == set.prjDir || gPrjDir.empty());
    KINOHA_FUZZ_CHECK(IsSubsequence(lstJyogai, set.jyogai));
    KINOHA_FUZZ_CHECK(gTop == set.top && gLeft == set.left && gHeight == set.height &&
                      gWidth == set.width && gUnder == set.under &&
                      gFileNamesOnly == set.fileNamesOnly);
}

}  // namespace
}  // namespace kinoha

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinoha;
    const std::string_view bytes = fuzz::Bytes(data, size);
    SavedValuesStayOneLineEach(bytes);

    ResetGlobals();
    gIniFallbackPath.clear();
    gIniPath = fuzz::Put(L"Kinoha.ini", bytes);
    LoadSettings();
    const Record loaded = Current();
    if (gVbMain.empty()) return 0;  // nothing would be saved

    gIniPath = fuzz::Folder() + L"\\Saved.ini";
    SaveSettings();
    ReloadSaved();
    KINOHA_FUZZ_CHECK(Current() == loaded);
    return 0;
}
