#include "compile/make_memory.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/text_helpers.h"
#include "compile/project_inputs.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

// Form 2 adds the compile times ("t" lines); a form-1 file still gives its digests.
constexpr char kHeader1[] = "kinoha make memory 1";
constexpr char kHeader[] = "kinoha make memory 2";
constexpr std::string_view kTimeLine = "t\t";

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
    if (lines.empty() || (lines[0] != kHeader && lines[0] != kHeader1)) return;  // not ours
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        const bool time = line.substr(0, kTimeLine.size()) == kTimeLine;
        if (time) line.remove_prefix(kTimeLine.size());
        const auto tab = line.rfind('\t');
        if (tab == std::string_view::npos) continue;
        const std::string number(line.substr(tab + 1));
        char* end = nullptr;
        const unsigned long long value = std::strtoull(number.c_str(), &end, time ? 10 : 16);
        if (number.empty() || *end != '\0') continue;
        (time ? millis_ : settled_)[std::string(line.substr(0, tab))] = value;
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
    Write();
}

std::optional<double> MakeMemory::Seconds(const std::wstring& entry) const {
    const auto it = millis_.find(platform::EncodeUtf8(PathKey(entry)));
    if (it == millis_.end()) return std::nullopt;
    return static_cast<double>(it->second) / 1000.0;
}

void MakeMemory::RememberSeconds(const std::wstring& entry, double seconds) {
    if (!(seconds >= 0) || seconds > 1e9) return;
    millis_[platform::EncodeUtf8(PathKey(entry))] = static_cast<std::uint64_t>(seconds * 1000.0);
    Write();
}

void MakeMemory::Write() const {
    if (file_.empty()) return;
    std::string text = std::string(kHeader) + "\r\n";
    for (const auto& [key, d] : settled_) {
        char hex[20];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(d));
        text += key + "\t" + hex + "\r\n";
    }
    for (const auto& [key, ms] : millis_)
        text += std::string(kTimeLine) + key + "\t" + std::to_string(ms) + "\r\n";
    platform::EnsureDirectory(FolderOf(file_));
    platform::ReplaceFileAtomically(file_, text);  // a failed write only means compiling again
}

}  // namespace kinoha
