#include "app/text_helpers.h"

namespace kinoha {

bool HasControlCharacter(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

}  // namespace kinoha
