#include "compile/compile_layout.h"

namespace kinoha {

CompileLayout LayoutForHeight(int outerHeight) {
    return {outerHeight - 667, outerHeight - 1275, outerHeight - 1775};
}

}  // namespace kinoha
