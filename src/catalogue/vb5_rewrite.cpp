#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

// VB5 refuses project and group files that carry these VB6-only lines.
bool IsVb6OnlyLine(const std::wstring& line) {
    return line.find(L"Retained=") != std::wstring::npos ||
           line.find(L"DebugStartupOption=") != std::wstring::npos;
}

// The file again without the VB6-only lines, every line ended by CR LF. Lines are copied as
// the bytes they were, so nothing outside the code page is changed on the way.
std::string WithoutVb6Lines(const ProjectFile& file) {
    std::vector<std::string_view> lines;
    platform::SplitLines(file.bytes, lines);
    std::string out;
    for (const auto line : lines) {
        if (IsVb6OnlyLine(platform::DecodeAnsi(line))) continue;
        out.append(line);
        out.append("\r\n");
    }
    return out;
}

}  // namespace

bool PrepareProjectForVb(const std::wstring& projectPath, const std::wstring& vbMain) {
    if (FindUpper(vbMain, L"VB5.EXE") == 0) return true;
    // Read now, not taken from an earlier reading: the rewrite must not undo a later edit.
    const ProjectFile file = ReadProjectFile(projectPath);
    if (!file.read || file.shortPath32) return false;
    return platform::ReplaceFileAtomically(projectPath, WithoutVb6Lines(file));
}

}  // namespace kinoha
