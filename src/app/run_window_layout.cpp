#include "app/run_window_layout.h"

namespace kinoha {

RunWindowLayout RunWindowLayoutForHeight(int outerHeight) {
    RunWindowLayout layout;
    layout.statusTop = outerHeight - 667;
    layout.buttonsTop = outerHeight - 1275;
    layout.listHeight = outerHeight - 1775;
    layout.listFits = layout.listHeight >= 0;
    return layout;
}

}  // namespace kinoha
