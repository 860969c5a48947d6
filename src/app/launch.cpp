#include "app/launch.h"

#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

// The text before its last backslash; a text without one (a bare drive such as "C:") stays.
std::wstring CutLastComponent(const std::wstring& dir) {
    return LastBackslash(dir) > 0 ? FolderOf(dir) : dir;
}
}  // namespace

ShellTarget PlanShellOpen(const std::wstring& path, const std::wstring& programDir) {
    const std::int32_t lastSep = LastBackslash(path);
    if (lastSep == 0) return {path, programDir};
    if (path.rfind(L"..\\", 0) == 0) {
        std::int32_t pos = 0, n = 0;
        SearchString(1, path, L"..\\", pos, n);
        // A drive root reports its backslash; the cutting works on the folder without it.
        std::wstring base = programDir;
        if (!base.empty() && base.back() == L'\\') base.pop_back();
        for (std::int32_t i = 0; i < n; ++i) base = CutLastComponent(base);
        const std::size_t from = static_cast<std::size_t>(3 * n);
        const std::wstring rest = path.substr(from);
        // With no folder between the "..\" run and the name, the base itself is the folder.
        const std::size_t folderLength =
            static_cast<std::size_t>(lastSep - 1) > from ? lastSep - 1 - from : 0;
        const std::wstring folder = path.substr(from, folderLength);
        return {base + L"\\" + rest, folder.empty() ? base : base + L"\\" + folder};
    }
    return {path, FolderOf(path)};
}

void LaunchFile(void* ownerWindow, const std::wstring& path, std::int16_t& result) {
    // Always a path (the help file, a report), never read as a command line: a report under
    // "C:\Setup.exe files" must not start a planted C:\Setup.exe.
    const ShellTarget target = PlanShellOpen(path, platform::ProgramDirectory());
    const int rc = platform::ShellOpen(ownerWindow, target.file, target.directory);
    result = (rc == 2 || rc == 31) ? 2 : 0;
}

bool RunAndWait(const std::wstring& commandLine) {
    if (!FileExists(commandLine)) return false;
    return platform::RunCommandLineAndWait(commandLine);
}

}  // namespace kinoha
