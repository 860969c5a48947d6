#include <algorithm>
#include <limits>

#include "app/text_helpers.h"
#include "catalogue/catalogue.h"

namespace kinoha {

std::int16_t ExePictureWidth(std::int32_t ansiBytes) {
    // The picture width is a 16-bit value; an absurdly long caption gets the widest picture
    // rather than an overflow.
    const std::int64_t width = 30 + 6 * static_cast<std::int64_t>(ansiBytes);
    return static_cast<std::int16_t>(
        std::min<std::int64_t>(width, std::numeric_limits<std::int16_t>::max()));
}

void BuildExeMenu(const std::vector<std::wstring>& exes, MenuArray& menu, bool fileNamesOnly) {
    // Entry 0 stays, so the executable pop-up always has an entry to show.
    for (std::size_t k = 1; k < menu.size(); ++k) {
        menu[k].visible = false;
        menu[k].pictured = false;
        menu[k].text.clear();
        menu[k].bitmapWidth = 20;
    }
    const std::size_t n = std::min(exes.size(), menu.size());
    for (std::size_t i = 0; i < n; ++i) {
        MenuEntry& entry = menu[i];
        entry.text = MenuCaption(exes[i], fileNamesOnly);
        entry.bitmapWidth = ExePictureWidth(AnsiByteLength(entry.text));
        entry.pictured = true;
        entry.tag = exes[i];
        entry.visible = true;
    }
}

}  // namespace kinoha
