#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

std::int32_t AnsiByteLength(std::wstring_view text) {
    return static_cast<std::int32_t>(platform::EncodeAnsi(text).size());
}

}  // namespace kinoha
