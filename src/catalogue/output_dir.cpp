#include "app/globals.h"
#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "catalogue/project_values.h"
#include "platform/platform.h"

namespace kinoha {
namespace pv = project_values;

namespace {
// The line table holds line numbers 0 to 300; a longer file is not handled at all.
constexpr std::size_t kMaxLines = 301;

// VB5 refuses project and group files that carry these VB6-only lines.
bool IsVb6OnlyLine(const std::wstring& line) {
    return line.find(L"Retained=") != std::wstring::npos ||
           line.find(L"DebugStartupOption=") != std::wstring::npos;
}

// The file again without the VB6-only lines, every line ended by CR LF. Lines are copied as
// the bytes they were, so nothing outside the code page is changed on the way.
std::string WithoutVb6Lines(const std::vector<std::string_view>& raw,
                            const std::vector<std::wstring>& lines) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (IsVb6OnlyLine(lines[i])) continue;
        out.append(raw[i]);
        out.append("\r\n");
    }
    return out;
}
}  // namespace

std::wstring GetOutputDir(const std::wstring& projectPath) {
    std::string bytes;
    if (!platform::ReadFileBytes(projectPath, bytes)) return {};
    std::vector<std::string_view> raw;
    platform::SplitLines(bytes, raw);
    if (raw.size() > kMaxLines) return {};

    // Keys are looked for in the decoded text: a trail byte of a double-byte character can
    // look like an ASCII letter.
    std::vector<std::wstring> lines;
    lines.reserve(raw.size());
    std::wstring v;
    for (const auto r : raw) {
        lines.push_back(platform::DecodeAnsi(r));
        if (lines.back().find(pv::kPath) == std::wstring::npos) continue;
        auto value = pv::QuotedValue(lines.back(), pv::kPathFrom);
        if (!value) return {};
        v = std::move(*value);
    }

    std::wstring result;
    if (!v.empty()) result = ResolvePath(pv::IsAbsolute(v) ? v : pv::FolderOf(projectPath) + v);

    if (FindUpper(gVbMain, L"VB5.EXE") > 0) {
        if (!platform::ReplaceFileAtomically(projectPath, WithoutVb6Lines(raw, lines))) return {};
    }
    return result;
}

}  // namespace kinoha
