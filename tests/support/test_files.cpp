#include "support/test_files.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace kinoha::test {
namespace fs = std::filesystem;

namespace {
fs::path Native(const std::wstring& path) {
#ifdef _WIN32
    return fs::path(path);
#else
    std::wstring p = path;
    for (auto& c : p) {
        if (c == L'\\') c = L'/';
    }
    return fs::path(Utf8(p));
#endif
}
}  // namespace

std::string Utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        auto c = static_cast<char32_t>(wc);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

TempDir::TempDir() {
    std::random_device rd;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("kinoha-test-" + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            path_ = fs::canonical(candidate).wstring();
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempDir::~TempDir() {
    RemoveTree(path_);
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    const fs::path p = Native(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write test file");
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(Native(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PathExists(const std::wstring& path) {
    std::error_code ec;
    return fs::exists(Native(path), ec);
}

void MakeDirectory(const std::wstring& path) {
    fs::create_directories(Native(path));
}

void RemovePath(const std::wstring& path) {
    RemoveTree(path);
}

void SetModifiedAgo(const std::wstring& path, int seconds) {
    fs::last_write_time(Native(path),
                        fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
}

void SetReadOnly(const std::wstring& path, bool readOnly) {
    fs::permissions(Native(path),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace kinoha::test
