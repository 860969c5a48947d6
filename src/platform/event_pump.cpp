#include "platform/platform.h"
#include "platform/platform_detail.h"

namespace kinoha::platform {
namespace {
std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void PumpEvents() {
    if (Hook()) {
        Hook()();
        return;
    }
    detail::PumpPlatformEvents();
}

void SetEventPumpForTesting(std::function<void()> pump) {
    Hook() = std::move(pump);
}

}  // namespace kinoha::platform
