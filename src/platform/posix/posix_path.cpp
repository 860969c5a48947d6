#include "platform/posix/posix_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/case_fold.h"
#include "platform/code_page.h"

namespace kinoha::platform::posix {
namespace {
const detail::CodePageTable& Utf8() {
    static const detail::CodePageTable table = detail::CodePageTable::Utf8();
    return table;
}

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The entry of `directory` whose name equals `name` ignoring letter case, or `name` itself.
std::string MatchInDirectory(const std::string& directory, const std::string& name) {
    DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
    if (dir == nullptr) return name;
    const std::wstring wanted = NameToWide(name);
    std::string found = name;
    while (const dirent* e = readdir(dir)) {
        if (CompareFolded(NameToWide(e->d_name), wanted) == 0) {
            found = e->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}
}  // namespace

std::wstring NameToWide(std::string_view bytes) {
    return Utf8().Decode(bytes);
}
std::string WideToName(std::wstring_view text) {
    return Utf8().Encode(text);
}

std::string DirectPath(const std::wstring& path) {
    std::string bytes = WideToName(path);
    for (char& c : bytes) {
        if (c == '\\') c = '/';
    }
    return bytes;
}

std::string NativePath(const std::wstring& path) {
    std::string bytes = DirectPath(path);
    if (bytes.empty() || Exists(bytes)) return bytes;

    // Resolve one component at a time; the parts that exist keep their case.
    std::string out;
    std::size_t pos = 0;
    if (bytes[0] == '/') {
        out = "/";
        pos = 1;
    }
    while (pos <= bytes.size()) {
        std::size_t next = bytes.find('/', pos);
        if (next == std::string::npos) next = bytes.size();
        const std::string comp = bytes.substr(pos, next - pos);
        if (!comp.empty()) {
            std::string candidate = out + comp;
            if (comp != "." && comp != ".." && !Exists(candidate)) {
                candidate = out + MatchInDirectory(out, comp);
            }
            out = candidate;
        }
        if (next < bytes.size()) out += '/';
        pos = next + 1;
    }
    return out;
}

}  // namespace kinoha::platform::posix
