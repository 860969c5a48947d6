// Process environment, code page and version name on POSIX systems.
#include <iconv.h>
#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>

#include "platform/platform.h"
#include "platform/platform_detail.h"
#include "platform/posix/posix_path.h"

namespace kinoha::platform {
namespace {
using posix::NameToWide;

std::wstring StripTrailingSlash(std::wstring s) {
    while (s.size() > 1 && s.back() == L'/') s.pop_back();
    return s;
}

// The running system's description, PRETTY_NAME of os-release, or empty.
std::string OsPrettyName() {
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("PRETTY_NAME=", 0) != 0) continue;
            std::string v = line.substr(12);
            if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
                v = v.substr(1, v.size() - 2);
            // The name becomes a file name: no separators or other characters files refuse.
            for (char& c : v) {
                if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '-';
            }
            return v;
        }
    }
    return {};
}

// The registry as far as the version query needs it: the NT key's "ProductName".
class OsReleaseRegistry final : public RegistryReader {
  public:
    bool OpenKey(const std::wstring& subKey) override {
        open_ = subKey == L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
        return open_;
    }
    bool QueryValue(const std::wstring& name, std::uint32_t& type, std::uint32_t& size,
                    std::string& buffer) override {
        if (!open_ || name != L"ProductName") return false;
        const std::string pretty = OsPrettyName();
        if (pretty.empty()) return false;
        const std::string data = EncodeAnsi(NameToWide(pretty)) + '\0';
        type = kRegSz;
        size = static_cast<std::uint32_t>(data.size());
        if (buffer.empty()) return true;
        if (buffer.size() < data.size()) return false;
        buffer.replace(0, data.size(), data);
        return true;
    }
    void CloseKey() override { open_ = false; }

  private:
    bool open_ = false;
};
}  // namespace

std::wstring ProgramPath() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    return NameToWide(std::string_view(buf, static_cast<std::size_t>(n)));
}

std::wstring ProgramDirectory() {
    const std::wstring path = ProgramPath();
    const auto slash = path.rfind(L'/');
    if (path.empty() || slash == std::wstring::npos) return CurrentDirectory();
    return slash == 0 ? L"/" : path.substr(0, slash);
}

std::wstring CurrentDirectory() {
    char buf[PATH_MAX];
    if (getcwd(buf, sizeof buf) == nullptr) return L".";
    return StripTrailingSlash(NameToWide(buf));
}

bool ChangeCurrentDirectory(const std::wstring& directory) {
    return chdir(posix::NativePath(directory).c_str()) == 0;
}

std::wstring PerUserDirectory() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/')
        return StripTrailingSlash(NameToWide(xdg)) + L"/kinoha";
    const char* home = std::getenv("HOME");
    return StripTrailingSlash(NameToWide(home != nullptr ? home : "/tmp")) +
           L"/.local/share/kinoha";
}

std::size_t MemoryInUse() {
    return mallinfo2().uordblks;
}

std::unique_ptr<RegistryReader> SystemRegistry() {
    return std::make_unique<OsReleaseRegistry>();
}

namespace detail {

void PumpPlatformEvents() {}

bool BuildCodePage(const std::string& name, CodePageTable& out) {
    const std::string cp = name.empty() ? "CP932" : name;
    if (cp == "UTF-8" || cp == "utf-8" || cp == "UTF8" || cp == "utf8") {
        out = CodePageTable::Utf8();
        return true;
    }
    iconv_t cd = iconv_open("UTF-32LE", cp.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out =
        CodePageTable::FromConverter([cd](const unsigned char* bytes, std::size_t n, char32_t& c) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char in[4];
            // No character of a code page the table is built from is longer than this.
            if (n == 0 || n > sizeof in) return false;
            for (std::size_t i = 0; i < n; ++i) in[i] = static_cast<char>(bytes[i]);
            unsigned char result[8];
            char* inp = in;
            char* outp = reinterpret_cast<char*>(result);
            std::size_t inLeft = n, outLeft = sizeof result;
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1))
                return false;
            if (inLeft != 0 || sizeof result - outLeft != 4) return false;
            c = static_cast<char32_t>(result[0] | result[1] << 8 | result[2] << 16 |
                                      static_cast<unsigned>(result[3]) << 24);
            return true;
        });
    iconv_close(cd);
    return true;
}

}  // namespace detail
}  // namespace kinoha::platform
