// What the make remembers between runs, under the per-user Kinoha folder: each project file as
// it stood after its last successful build, less the lines VB itself writes on a build
// (RevisionVer= with AutoIncrementVer=1, the compatibility it records), so that VB's own
// write-back does not make the project out of date; and each entry's last compile time, which
// weighs the order of a parallel run. Nothing is written beside a project; a missing or damaged
// file only means "compile" (and no time known).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kinoha {

// A digest of a project file's bytes without the lines VB writes on a build.
std::uint64_t SettledDigest(std::string_view projectBytes);

class MakeMemory {
  public:
    // Reads `file`; an empty path remembers nothing and writes nothing.
    explicit MakeMemory(std::wstring file = {});
    // The per-user file the window and kinoha-make share.
    static std::wstring DefaultFile();

    std::optional<std::uint64_t> Settled(const std::wstring& project) const;
    // Records the project's digest after a successful build and writes the file.
    void Remember(const std::wstring& project, std::uint64_t digest);

    // The seconds the entry's last successful compile took.
    std::optional<double> Seconds(const std::wstring& entry) const;
    void RememberSeconds(const std::wstring& entry, double seconds);

  private:
    void Write() const;

    std::wstring file_;
    std::map<std::string, std::uint64_t> settled_;  // by PathKey, in UTF-8
    std::map<std::string, std::uint64_t> millis_;   // compile times, by the entry's PathKey
};

}  // namespace kinoha
