// Files on Windows, through the wide-character API.
#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/platform.h"
#include "platform/platform_detail.h"
#include "platform/win32/win32_path.h"

namespace kinoha::platform {
namespace {
using win32::ApiPath;

constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::wstring Join(const std::wstring& directory, const std::wstring& name) {
    if (!directory.empty() && directory.back() == L'\\') return directory + name;
    return directory + L"\\" + name;
}

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

// What tells one version of a file from the next: its size and last-write time.
struct Version {
    long long size = 0;
    unsigned long long written = 0;
    bool directory = false;
    bool operator==(const Version& o) const { return size == o.size && written == o.written; }
};

// Asked without the volume (GetFileInformationByHandle also asks for the volume's serial number,
// which costs Wine a millisecond a file: most of reading a small project file).
bool VersionOf(HANDLE h, Version& v) {
    FILE_BASIC_INFO basic;
    LARGE_INTEGER size;
    if (!GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic) ||
        !GetFileSizeEx(h, &size))
        return false;
    v.size = size.QuadPart;
    v.written = static_cast<unsigned long long>(basic.LastWriteTime.QuadPart);
    v.directory = (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

bool ReadToEnd(HANDLE h, const std::wstring& path,
               const std::function<bool(std::string_view)>& block) {
    const auto buf = detail::NewReadBlock();
    std::size_t total = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h, buf.get(), static_cast<DWORD>(detail::kReadBlock), &got, nullptr))
            return false;
        if (got == 0) return true;
        if (!block(std::string_view(buf.get(), got))) return false;
        total += got;
        detail::AfterReadBlock(path, total);
    }
}
// Removes what killed replaces of the file `name` in `folder` left behind (see TemporaryName).
void RemoveStaleTemporaries(const std::wstring& folder, const std::wstring& name) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(ApiPath(folder + L"." + name + L".kinoha-*.tmp").c_str(),
                                   FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    constexpr unsigned long long kTicksPerSecond = 10000000;
    do {
        if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                0 &&
            detail::IsTemporaryOf(data.cFileName, name) &&
            ticks(now) >
                ticks(data.ftLastWriteTime) + detail::kStaleTemporarySeconds * kTicksPerSecond)
            DeleteFileW(ApiPath(folder + data.cFileName).c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
}
}  // namespace

bool FindEntries(const std::wstring& directory, const std::wstring& pattern,
                 std::vector<DirEntry>& out) {
    out.clear();
    const std::wstring query = ApiPath(directory.empty() ? pattern : Join(directory, pattern));
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(query.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        DirEntry e;
        e.name = data.cFileName;
        e.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.isOrdinaryFile = (data.dwFileAttributes & kNotOrdinary) == 0;
        e.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        out.push_back(std::move(e));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool LookupFile(const std::wstring& path) {
    if (path.empty() || path.back() == L'\\') return false;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(ApiPath(path).c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        if ((data.dwFileAttributes & kNotOrdinary) == 0) found = true;
    } while (!found && FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

bool DirectoryIdentity(const std::wstring& directory, std::string& identity) {
    Handle h(CreateFileW(ApiPath(directory).c_str(), 0,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h.get(), &info)) return false;
    identity = std::to_string(info.dwVolumeSerialNumber) + ":" +
               std::to_string((static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
                              info.nFileIndexLow);
    return true;
}

bool FileModifiedLocal(const std::wstring& path, LocalDateTime& out) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) return false;
    if (!FileTimeToSystemTime(&local, &st)) return false;
    out = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    return true;
}

bool ReadFileBlocks(const std::wstring& path, const std::function<void()>& start,
                    const std::function<bool(std::string_view)>& block) {
    Handle h(CreateFileW(ApiPath(path).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h.valid()) return false;
    // CON, NUL, pipes: not files; reading the console would wait for the keyboard.
    if (GetFileType(h.get()) != FILE_TYPE_DISK) return false;
    Version before;
    bool ok = VersionOf(h.get(), before) && !before.directory;
    bool settled = false;
    for (int attempt = 0; ok && !settled && attempt < detail::kReadAttempts; ++attempt) {
        start();
        LARGE_INTEGER origin{};
        // A file just opened is at its start; only a second reading goes back.
        ok = (attempt == 0 || SetFilePointerEx(h.get(), origin, nullptr, FILE_BEGIN)) &&
             ReadToEnd(h.get(), path, block);
        Version after;
        ok = ok && VersionOf(h.get(), after);
        // A write while the file was read changes its size or its time: read it again.
        settled = ok && after == before;
        before = after;
    }
    return ok && settled;
}

bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes) {
    if (path.empty()) return false;
    const std::wstring target = ApiPath(path);
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES &&
        (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;

    static std::atomic<unsigned> counter{0};
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    RemoveStaleTemporaries(folder, name);
    const std::wstring temp =
        ApiPath(folder + detail::TemporaryName(name, GetCurrentProcessId(), counter++));
    if (detail::WriteFaultAt(1)) return false;
    Handle h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr));
    if (!h.valid()) return false;
    bool ok = !detail::WriteFaultAt(2);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1 << 20));
        DWORD written = 0;
        ok = WriteFile(h.get(), p, chunk, &written, nullptr) && written == chunk;
        p += chunk;
        left -= chunk;
    }
    ok = ok && !detail::WriteFaultAt(3) && FlushFileBuffers(h.get());
    ok = h.close() && ok;
    ok = ok && !detail::WriteFaultAt(4) &&
         MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

std::wstring ShortPathName(const std::wstring& path) {
    const DWORD need = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (need == 0) return {};
    std::wstring buf(need, L'\0');
    const DWORD got = GetShortPathNameW(path.c_str(), buf.data(), need);
    if (got == 0 || got >= need) return {};
    buf.resize(got);
    return buf;
}

bool CanCreateFileIn(const std::wstring& directory) {
    const std::wstring probe =
        Join(directory, L".kinoha-probe-" + std::to_wstring(GetCurrentProcessId()));
    Handle h(CreateFileW(ApiPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return h.valid();
}

bool OnRemoteDrive(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return false;
    const std::wstring root = path.substr(0, 2) + L"\\";
    return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}

bool EnsureDirectory(const std::wstring& directory) {
    for (std::size_t pos = 3; pos <= directory.size(); ++pos) {
        if (pos == directory.size() || directory[pos] == L'\\')
            CreateDirectoryW(ApiPath(directory.substr(0, pos)).c_str(), nullptr);
    }
    const DWORD attrs = GetFileAttributesW(ApiPath(directory).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateNewDirectory(const std::wstring& directory) {
    return CreateDirectoryW(ApiPath(directory).c_str(), nullptr) != 0;
}

}  // namespace kinoha::platform
