#include <atomic>
#include <mutex>

#include "platform/platform.h"
#include "platform/platform_detail.h"

namespace kinoha::platform {
namespace {
std::mutex gHookMutex;
std::function<void(const std::wstring&, std::size_t)> gHook;
std::atomic<bool> gHookSet{false};
}  // namespace

void SetReadHookForTesting(std::function<void(const std::wstring& path, std::size_t read)> hook) {
    const std::lock_guard<std::mutex> lock(gHookMutex);
    gHookSet = static_cast<bool>(hook);
    gHook = std::move(hook);
}

namespace detail {
void AfterReadBlock(const std::wstring& path, std::size_t read) {
    if (!gHookSet.load()) return;  // the usual case costs no lock
    std::function<void(const std::wstring&, std::size_t)> hook;
    {
        const std::lock_guard<std::mutex> lock(gHookMutex);
        hook = gHook;
    }
    if (hook) hook(path, read);
}
}  // namespace detail

}  // namespace kinoha::platform
