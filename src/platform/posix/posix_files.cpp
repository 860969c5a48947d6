// Files on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>

#include "platform/case_fold.h"
#include "platform/platform.h"
#include "platform/platform_detail.h"
#include "platform/posix/posix_path.h"

namespace kinoha::platform {
namespace {
using posix::DirectPath;
using posix::NameToWide;
using posix::NativePath;

bool HasWildcard(std::wstring_view s) {
    return s.find_first_of(L"*?") != std::wstring_view::npos;
}

// Splits at the last separator: folder (empty for a bare name) and name.
void SplitLast(const std::wstring& path, std::wstring& folder, std::wstring& name) {
    const auto pos = path.find_last_of(L"\\/");
    if (pos == std::wstring::npos) {
        folder.clear();
        name = path;
    } else {
        folder = path.substr(0, pos == 0 ? 1 : pos);
        name = path.substr(pos + 1);
    }
}

bool ReadToEnd(int fd, const std::wstring& path,
               const std::function<bool(std::string_view)>& block) {
    const auto buf = detail::NewReadBlock();
    std::size_t total = 0;
    for (;;) {
        const ssize_t n = read(fd, buf.get(), detail::kReadBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (!block(std::string_view(buf.get(), static_cast<std::size_t>(n)))) return false;
        total += static_cast<std::size_t>(n);
        detail::AfterReadBlock(path, total);
    }
}

bool SameVersion(const struct stat& a, const struct stat& b) {
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}
// Removes what killed replaces of the file `base` in `folder` left behind (see TemporaryName).
void RemoveStaleTemporaries(const std::string& folder, const std::wstring& base) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return;
    const time_t now = time(nullptr);
    while (const dirent* e = readdir(dir)) {
        if (!detail::IsTemporaryOf(NameToWide(e->d_name), base)) continue;
        struct stat st;
        if (fstatat(dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            now - st.st_mtime > detail::kStaleTemporarySeconds)
            unlinkat(dirfd(dir), e->d_name, 0);
    }
    closedir(dir);
}
}  // namespace

bool FindEntries(const std::wstring& directory, const std::wstring& pattern,
                 std::vector<DirEntry>& out) {
    out.clear();
    // The path as written usually exists; resolving letter case is only needed when it does not.
    std::string native = DirectPath(directory);
    if (native.empty()) native.push_back('.');  // not = ".": GCC 12 -O3 warns falsely (-Wrestrict)
    DIR* dir = opendir(native.c_str());
    if (dir == nullptr && errno == ENOENT) {
        native = NativePath(directory);
        if (!native.empty()) dir = opendir(native.c_str());
    }
    if (dir == nullptr) return false;
    const int dirFd = dirfd(dir);
    while (const dirent* e = readdir(dir)) {
        std::wstring name = NameToWide(e->d_name);
        if (!MatchesPattern(name, pattern)) continue;
        DirEntry entry;
        entry.name = std::move(name);
        unsigned char type = e->d_type;
        entry.isLink = type == DT_LNK;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st;  // links are followed, as Windows enters junctions
            if (fstatat(dirFd, e->d_name, &st, 0) == 0) {
                if (!entry.isLink) {
                    struct stat lst;
                    entry.isLink = fstatat(dirFd, e->d_name, &lst, AT_SYMLINK_NOFOLLOW) == 0 &&
                                   S_ISLNK(lst.st_mode);
                }
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
            }
        }
        entry.isDirectory = type == DT_DIR;
        entry.isOrdinaryFile = type == DT_REG;
        out.push_back(std::move(entry));
    }
    closedir(dir);
    // A directory's order on disk is arbitrary here; by name, as NTFS lists, is repeatable.
    std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) {
        return CompareFolded(a.name, b.name) < 0;
    });
    return !out.empty();
}

bool LookupFile(const std::wstring& path) {
    std::wstring folder, name;
    SplitLast(path, folder, name);
    if (name.empty()) return false;
    if (!HasWildcard(name)) {
        struct stat st;
        return stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    std::vector<DirEntry> entries;
    FindEntries(folder, name, entries);
    return std::any_of(entries.begin(), entries.end(),
                       [](const DirEntry& e) { return e.isOrdinaryFile; });
}

bool DirectoryIdentity(const std::wstring& directory, std::string& identity) {
    struct stat st;
    if (stat(NativePath(directory).c_str(), &st) != 0) return false;
    identity = std::to_string(static_cast<unsigned long long>(st.st_dev)) + ":" +
               std::to_string(static_cast<unsigned long long>(st.st_ino));
    return true;
}

bool FileModifiedLocal(const std::wstring& path, LocalDateTime& out) {
    struct stat st;
    if (stat(NativePath(path).c_str(), &st) != 0) return false;
    std::tm tm{};
    const time_t t = st.st_mtime;
    if (localtime_r(&t, &tm) == nullptr) return false;
    out = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return true;
}

bool ReadFileBlocks(const std::wstring& path, const std::function<void()>& start,
                    const std::function<bool(std::string_view)>& block) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer; regular files ignore it.
    const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat before;
    bool ok = fstat(fd, &before) == 0 && S_ISREG(before.st_mode);
    bool settled = false;
    for (int attempt = 0; ok && !settled && attempt < detail::kReadAttempts; ++attempt) {
        start();
        // A file just opened is at its start; only a second reading goes back.
        ok = (attempt == 0 || lseek(fd, 0, SEEK_SET) == 0) && ReadToEnd(fd, path, block);
        struct stat after;
        ok = ok && fstat(fd, &after) == 0;
        // A write while the file was read changes its size or its time: read it again.
        settled = ok && SameVersion(before, after);
        before = after;
    }
    close(fd);
    return ok && settled;
}

bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes) {
    const std::string target = NativePath(path);
    if (target.empty()) return false;
    struct stat old;
    const bool existed = stat(target.c_str(), &old) == 0;
    if (existed && (!S_ISREG(old.st_mode) || (old.st_mode & S_IWUSR) == 0)) return false;

    static std::atomic<unsigned> counter{0};
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::wstring base =
        NameToWide(slash == std::string::npos ? target : target.substr(slash + 1));
    RemoveStaleTemporaries(folder, base);
    const std::string temp = folder + posix::WideToName(detail::TemporaryName(
                                          base, static_cast<unsigned long>(getpid()), counter++));

    if (detail::WriteFaultAt(1)) return false;
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = !detail::WriteFaultAt(2) && WriteAll(fd, bytes);
    // The permission bits only: a planted set-user-ID, set-group-ID or sticky bit is not copied.
    if (ok && existed) fchmod(fd, old.st_mode & 0777);
    ok = ok && !detail::WriteFaultAt(3) && fdatasync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && !detail::WriteFaultAt(4) && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

std::wstring ShortPathName(const std::wstring&) {
    return {};
}

bool OnRemoteDrive(const std::wstring&) {
    return false;
}

bool CanCreateFileIn(const std::wstring& directory) {
    std::string probe = NativePath(directory);
    if (!probe.empty() && probe.back() != '/') probe += '/';
    probe += ".kinoha-probe-" + std::to_string(getpid());
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

bool EnsureDirectory(const std::wstring& directory) {
    const std::string native = NativePath(directory);
    for (std::size_t pos = 1; pos <= native.size(); ++pos) {
        if (pos == native.size() || native[pos] == '/') {
            const std::string part = native.substr(0, pos);
            mkdir(part.c_str(), 0755);
        }
    }
    struct stat st;
    return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateNewDirectory(const std::wstring& directory) {
    return mkdir(NativePath(directory).c_str(), 0755) == 0;
}

}  // namespace kinoha::platform
