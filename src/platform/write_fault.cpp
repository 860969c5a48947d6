#include <atomic>

#include "platform/platform.h"
#include "platform/platform_detail.h"

namespace kinoha::platform {
namespace {
std::atomic<int> gFaultStep{0};
}

void SetWriteFaultForTesting(int step) {
    gFaultStep = step;
}

namespace detail {
bool WriteFaultAt(int step) {
    return gFaultStep.load() == step;
}
}  // namespace detail

}  // namespace kinoha::platform
