#include "catalogue/project_values.h"

#include "platform/platform.h"

namespace kinoha::project_values {
namespace {
// The line table holds line numbers 0 to 300; a longer file is not handled at all.
constexpr std::size_t kMaxLines = 301;
}  // namespace

std::optional<std::wstring> QuotedValue(const std::wstring& line, std::size_t from) {
    if (line.size() < from) return std::nullopt;
    return line.substr(from - 1, line.size() - from);
}

bool ReadLineTable(const std::wstring& projectPath, LineTable& table) {
    table = {};
    if (!platform::ReadFileBytes(projectPath, table.bytes)) return false;
    platform::SplitLines(table.bytes, table.raw);
    if (table.raw.size() > kMaxLines) return false;
    // Keys are looked for in the decoded text: a trail byte of a double-byte character can
    // look like an ASCII letter.
    table.lines.reserve(table.raw.size());
    for (const auto r : table.raw) {
        table.lines.push_back(platform::DecodeAnsi(r));
        if (table.lines.back().find(kPath) == std::wstring::npos) continue;
        auto value = QuotedValue(table.lines.back(), kPathFrom);
        if (!value) return false;
        table.path32 = std::move(*value);
    }
    return true;
}

}  // namespace kinoha::project_values
