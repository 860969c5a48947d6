// The directory tree watch on Linux: inotify on every directory of the tree (it watches one
// directory at a time), directories created later included.
#include <dirent.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <thread>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"

namespace kinoha::platform {
namespace {

constexpr std::uint32_t kMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

class InotifyWatch final : public DirectoryWatch {
  public:
    InotifyWatch(int fd, const std::string& root, std::function<void()> changed) : fd_(fd) {
        if (pipe(stop_) != 0) stop_[0] = stop_[1] = -1;
        root_ = inotify_add_watch(fd_, root.c_str(), kMask);
        if (root_ >= 0) paths_[root_] = root;
        AddBelow(root);
        thread_ = std::thread([this, changed = std::move(changed)] { Run(changed); });
    }
    ~InotifyWatch() override {
        if (stop_[1] >= 0) (void)!write(stop_[1], "x", 1);
        thread_.join();
        close(fd_);
        if (stop_[0] >= 0) close(stop_[0]);
        if (stop_[1] >= 0) close(stop_[1]);
    }
    bool Watching() const { return root_ >= 0 && stop_[0] >= 0; }

  private:
    // Dot directories are not searched, so they are not watched either.
    void AddBelow(const std::string& dir) {
        DIR* d = opendir(dir.c_str());
        if (d == nullptr) return;
        while (const dirent* e = readdir(d)) {
            if (e->d_name[0] == '.' || e->d_type != DT_DIR) continue;
            const std::string sub = dir + "/" + e->d_name;
            const int wd = inotify_add_watch(fd_, sub.c_str(), kMask);
            if (wd < 0) continue;
            paths_[wd] = sub;
            AddBelow(sub);
        }
        closedir(d);
    }

    void Run(const std::function<void()>& changed) {
        alignas(inotify_event) char buf[16384];
        for (;;) {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) return;
            const ssize_t n = read(fd_, buf, sizeof buf);
            if (n <= 0) return;
            bool gone = false;
            for (ssize_t at = 0; at < n;) {
                inotify_event event;
                std::memcpy(&event, buf + at, sizeof event);
                const char* name = buf + at + sizeof event;
                if ((event.mask & (IN_CREATE | IN_MOVED_TO)) && (event.mask & IN_ISDIR) &&
                    paths_.count(event.wd) && name[0] != '.') {
                    const std::string sub = paths_[event.wd] + "/" + name;
                    const int wd = inotify_add_watch(fd_, sub.c_str(), kMask);
                    if (wd >= 0) paths_[wd] = sub;
                    AddBelow(sub);
                }
                if (event.wd == root_ && (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)))
                    gone = true;
                at += static_cast<ssize_t>(sizeof event + event.len);
            }
            changed();
            if (gone) return;
        }
    }

    int fd_;
    int stop_[2] = {-1, -1};
    int root_ = -1;
    std::map<int, std::string> paths_;  // only the watch thread touches it once started
    std::thread thread_;
};
}  // namespace

std::unique_ptr<DirectoryWatch> WatchDirectoryTree(const std::wstring& directory,
                                                   std::function<void()> changed) {
    const int fd = inotify_init1(IN_CLOEXEC);
    if (fd < 0) return nullptr;
    auto watch =
        std::make_unique<InotifyWatch>(fd, posix::NativePath(directory), std::move(changed));
    if (!watch->Watching()) return nullptr;
    return watch;
}

}  // namespace kinoha::platform
