// Write stamps and removal of files and folders on POSIX systems.
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"

namespace kinoha::platform {

bool FileWriteStamp(const std::wstring& path, std::uint64_t& stamp) {
    struct stat st;
    if (stat(posix::NativePath(path).c_str(), &st) != 0) return false;
    stamp = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1'000'000'000u +
            static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
    return true;
}

std::uint64_t WriteStampNow(int secondsAhead) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec + secondsAhead) * 1'000'000'000u +
           static_cast<std::uint64_t>(now.tv_nsec);
}

bool RemoveFile(const std::wstring& path) {
    const std::string native = posix::NativePath(path);
    struct stat st;
    if (lstat(native.c_str(), &st) != 0) return true;
    return !S_ISDIR(st.st_mode) && unlink(native.c_str()) == 0;
}

bool RemoveEmptyDirectory(const std::wstring& directory) {
    const std::string native = posix::NativePath(directory);
    struct stat st;
    if (lstat(native.c_str(), &st) != 0) return true;
    return rmdir(native.c_str()) == 0;
}

}  // namespace kinoha::platform
