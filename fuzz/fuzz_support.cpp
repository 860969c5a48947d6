#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"

namespace kinoha::fuzz {
namespace fs = std::filesystem;

namespace {
fs::path gNative;

void RemoveFolder() {
    std::error_code ec;
    if (!gNative.empty()) fs::remove_all(gNative, ec);
}

// A memory-backed folder when there is one: the atomic writes sync every file they make.
fs::path MakeFolder() {
    std::string base = "/dev/shm";
    if (!fs::is_directory(base)) {
        const char* tmp = std::getenv("TMPDIR");
        base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    }
    std::string pattern = base + "/kinoha-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        Fail("cannot make a scratch folder", __FILE__, __LINE__);
    std::atexit(RemoveFolder);
    return fs::path(pattern);
}
}  // namespace

const std::wstring& Folder() {
    static const std::wstring folder = [] {
        gNative = MakeFolder();
        return platform::AbsolutePath(gNative.wstring());
    }();
    return folder;
}

std::wstring Put(const std::wstring& relative, std::string_view bytes) {
    const std::wstring path = Folder() + L"\\" + relative;
    std::wstring native = relative;
    for (auto& c : native) {
        if (c == L'\\') c = L'/';
    }
    const fs::path file = gNative / fs::path(native);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail("cannot write the input file", __FILE__, __LINE__);
    return path;
}

void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

}  // namespace kinoha::fuzz
