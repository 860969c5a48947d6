// A whole file in memory, read through the block reader both platforms supply.
#include "platform/platform.h"

namespace kinoha::platform {

bool ReadFileBytes(const std::wstring& path, std::string& out) {
    out.clear();
    const bool ok = ReadFileBlocks(
        path, [&] { out.clear(); },
        [&](std::string_view block) {
            out.append(block);
            return true;
        });
    if (!ok) out.clear();
    return ok;
}

}  // namespace kinoha::platform
