// The user's start-up entry on POSIX desktops: an XDG autostart file.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"

namespace kinoha::platform {
namespace {
std::string AutostartFile() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "/tmp") + "/.config";
    }
    return base + "/autostart/kinoha.desktop";
}

std::string ExecLine(const std::wstring& program) {
    return "Exec=\"" + posix::NativePath(program) + "\"";
}
}  // namespace

bool StartsAtLogon(const std::wstring& program) {
    std::ifstream in(AutostartFile());
    std::string line;
    while (std::getline(in, line)) {
        if (line == ExecLine(program)) return true;
    }
    return false;
}

bool SetStartsAtLogon(const std::wstring& program, bool on) {
    const std::string file = AutostartFile();
    if (!on) {
        std::remove(file.c_str());
        return !StartsAtLogon(program);
    }
    const std::string folder = file.substr(0, file.rfind('/'));
    mkdir(folder.substr(0, folder.rfind('/')).c_str(), 0700);
    mkdir(folder.c_str(), 0700);
    std::ostringstream text;
    text << "[Desktop Entry]\nType=Application\nName=Kinoha\n" << ExecLine(program) << "\n";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text.str();
    out.close();
    return out.good() && StartsAtLogon(program);
}

}  // namespace kinoha::platform
