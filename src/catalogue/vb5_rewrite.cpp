#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "catalogue/project_values.h"
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
std::string WithoutVb6Lines(const project_values::LineTable& table) {
    std::string out;
    for (std::size_t i = 0; i < table.raw.size(); ++i) {
        if (IsVb6OnlyLine(table.lines[i])) continue;
        out.append(table.raw[i]);
        out.append("\r\n");
    }
    return out;
}

}  // namespace

bool PrepareProjectForVb(const std::wstring& projectPath, const std::wstring& vbMain) {
    if (FindUpper(vbMain, L"VB5.EXE") == 0) return true;
    project_values::LineTable table;
    if (!project_values::ReadLineTable(projectPath, table)) return false;
    return platform::ReplaceFileAtomically(projectPath, WithoutVb6Lines(table));
}

}  // namespace kinoha
