// The directory tree watch on Windows: the system's change notification for a tree.
#include <windows.h>

#include <thread>

#include "platform/platform.h"

namespace kinoha::platform {
namespace {

class Win32Watch final : public DirectoryWatch {
  public:
    Win32Watch(HANDLE change, std::function<void()> changed)
        : change_(change), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = std::thread([this, changed = std::move(changed)] {
            const HANDLE handles[2] = {stop_, change_};
            for (;;) {
                const DWORD got = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
                if (got != WAIT_OBJECT_0 + 1) return;  // stopped, or the wait failed
                changed();
                // Changes that come in a burst (a copy, a directory that is gone and signals
                // without end) are told at most five times a second.
                if (WaitForSingleObject(stop_, 200) == WAIT_OBJECT_0) return;
                // Fails once the directory itself is gone.
                if (!FindNextChangeNotification(change_)) return;
            }
        });
    }
    ~Win32Watch() override {
        SetEvent(stop_);
        thread_.join();
        FindCloseChangeNotification(change_);
        CloseHandle(stop_);
    }

  private:
    HANDLE change_;
    HANDLE stop_;
    std::thread thread_;
};
}  // namespace

std::unique_ptr<DirectoryWatch> WatchDirectoryTree(const std::wstring& directory,
                                                   std::function<void()> changed) {
    const HANDLE change = FindFirstChangeNotificationW(
        directory.c_str(), TRUE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
    if (change == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32Watch>(change, std::move(changed));
}

}  // namespace kinoha::platform
