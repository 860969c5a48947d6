// A window's outer position and size in twips, as the settings record keeps it.
#pragma once

#include <cstdint>

namespace kinoha {

struct WindowGeometry {
    std::int32_t top = 0, left = 0, height = 0, width = 0;
};

}  // namespace kinoha
