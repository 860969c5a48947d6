// What each side (win32/, posix/) supplies to the portable parts of the platform layer.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace kinoha::platform::detail {

// Builds the table of the named code page; an empty name means the platform's default.
bool BuildCodePage(const std::string& name, CodePageTable& out);
// Processes pending window events (the platform's own pump).
void PumpPlatformEvents();
// True when the atomic-write fault seam is set to fail at `step`.
bool WriteFaultAt(int step);
// Calls the read hook, if one is set, after a block of a file was read.
void AfterReadBlock(const std::wstring& path, std::size_t read);
// The temporary file of an atomic replace of the file named `name`, made in its folder:
// "." name ".kinoha-" process "-" count ".tmp". A name of that pattern (any process and count)
// older than kStaleTemporarySeconds is left over from a killed write and removed by the next
// write of the same target; a live write takes far less.
std::wstring TemporaryName(const std::wstring& name, unsigned long process, unsigned count);
bool IsTemporaryOf(std::wstring_view candidate, std::wstring_view name);
inline constexpr long kStaleTemporarySeconds = 60;
// How often a file that changes while it is read is read before the reading gives up.
inline constexpr int kReadAttempts = 4;
// The size of the blocks ReadFileBlocks hands over.
inline constexpr std::size_t kReadBlock = std::size_t{1} << 16;
// A buffer of kReadBlock bytes left as it comes: the read fills it, and zeroing it for every
// file read showed in the step count.
inline std::unique_ptr<char[]> NewReadBlock() {
    return std::make_unique_for_overwrite<char[]>(kReadBlock);
}

}  // namespace kinoha::platform::detail
