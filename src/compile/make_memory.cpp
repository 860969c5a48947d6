#include "compile/make_memory.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/text_helpers.h"
#include "compile/project_inputs.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

constexpr char kHeader[] = "kinoha make memory 1";

// The lines VB writes when it builds a project (the public record): the revision it raises, and
// the compatibility settings the first make records.
bool WrittenByVb(std::string_view line) {
    for (const std::string_view key :
         {"RevisionVer=", "VersionCompatible32=", "CompatibleEXE32="}) {
        if (line.substr(0, key.size()) == key) return true;
    }
    return false;
}

}  // namespace

std::uint64_t SettledDigest(std::string_view projectBytes) {
    std::vector<std::string_view> lines;
    platform::SplitLines(projectBytes, lines);
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (const auto line : lines) {
        if (WrittenByVb(line)) continue;
        for (const char c : line) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        h = (h ^ '\n') * 1099511628211ull;
    }
    return h;
}

MakeMemory::MakeMemory(std::wstring file) : file_(std::move(file)) {
    std::string bytes;
    if (file_.empty() || !platform::ReadFileBytes(file_, bytes)) return;
    std::vector<std::string_view> lines;
    platform::SplitLines(bytes, lines);
    if (lines.empty() || lines[0] != kHeader) return;  // not ours, or an older form
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto tab = lines[i].rfind('\t');
        if (tab == std::string_view::npos) continue;
        unsigned long long digest = 0;
        const std::string hex(lines[i].substr(tab + 1));
        char* end = nullptr;
        digest = std::strtoull(hex.c_str(), &end, 16);
        if (hex.empty() || *end != '\0') continue;
        settled_[std::string(lines[i].substr(0, tab))] = digest;
    }
}

std::wstring MakeMemory::DefaultFile() {
    return platform::PerUserDirectory() + L"\\make-memory.txt";
}

std::optional<std::uint64_t> MakeMemory::Settled(const std::wstring& project) const {
    const auto it = settled_.find(platform::EncodeUtf8(PathKey(project)));
    if (it == settled_.end()) return std::nullopt;
    return it->second;
}

void MakeMemory::Remember(const std::wstring& project, std::uint64_t digest) {
    settled_[platform::EncodeUtf8(PathKey(project))] = digest;
    if (file_.empty()) return;
    std::string text = std::string(kHeader) + "\r\n";
    for (const auto& [key, d] : settled_) {
        char hex[20];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(d));
        text += key + "\t" + hex + "\r\n";
    }
    platform::EnsureDirectory(FolderOf(file_));
    platform::ReplaceFileAtomically(file_, text);  // a failed write only means compiling again
}

}  // namespace kinoha
