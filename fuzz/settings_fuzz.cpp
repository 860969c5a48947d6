// The settings file: any bytes load without harm, and what was loaded survives a save and a
// second load unchanged.
#include "app/globals.h"
#include "app/settings.h"
#include "fuzz_support.h"

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

}  // namespace
}  // namespace kinoha

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinoha;
    ResetGlobals();
    gIniFallbackPath.clear();
    gIniPath = fuzz::Put(L"Kinoha.ini", fuzz::Bytes(data, size));
    LoadSettings();
    const Record loaded = Current();
    if (gVbMain.empty()) return 0;  // nothing would be saved

    gIniPath = fuzz::Folder() + L"\\Saved.ini";
    SaveSettings();
    ResetGlobals();
    gIniPath = fuzz::Folder() + L"\\Saved.ini";
    LoadSettings();
    KINOHA_FUZZ_CHECK(Current() == loaded);
    return 0;
}
