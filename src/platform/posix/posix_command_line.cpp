// Arguments, user paths and terminal text on POSIX systems.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <vector>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"

namespace kinoha::platform {

std::vector<std::wstring> CommandLineArguments(int argc, char** argv) {
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) args.push_back(posix::NameToWide(argv[i]));
    return args;
}

std::wstring AbsolutePath(const std::wstring& path) {
    std::wstring full = path;
    for (auto& c : full) {
        if (c == L'\\') c = L'/';
    }
    if (full.empty() || full.front() != L'/') full = CurrentDirectory() + L"/" + full;

    std::vector<std::wstring> parts;
    std::size_t pos = 0;
    while (pos <= full.size()) {
        std::size_t next = full.find(L'/', pos);
        if (next == std::wstring::npos) next = full.size();
        const std::wstring part = full.substr(pos, next - pos);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        pos = next + 1;
    }
    std::wstring out;
    for (const auto& part : parts) out += L"\\" + part;
    return out.empty() ? L"\\" : out;
}

std::wstring DisplayPath(const std::wstring& path) {
    std::wstring out = path;
    for (auto& c : out) {
        if (c == L'\\') c = L'/';
    }
    return out;
}

std::string TerminalText(std::wstring_view text) {
    return posix::WideToName(text);
}

bool TerminalShows(std::wstring_view) {
    return true;  // UTF-8 holds every character
}

bool HoldStandardStreams() {
    bool outputOpen = true;
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        if (fd == 1) outputOpen = false;
        // The lowest free number is this one, the ones below being open.
        open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
    return outputOpen;
}

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace kinoha::platform
