// What the fuzz targets share: a scratch folder of their own, inputs written into it as files
// (the readers take paths), and a check that stops the run as a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kinoha::fuzz {

// The scratch folder as a logic path ("\" separators), made on first use and removed at exit.
const std::wstring& Folder();

// Writes the bytes to `relative` inside the folder (creating its folders) and returns the file's
// logic path. The same name is reused by every run, so nothing piles up.
std::wstring Put(const std::wstring& relative, std::string_view bytes);

// Stops the process, which libFuzzer reports as a crash with the input that caused it.
[[noreturn]] void Fail(const char* what, const char* file, int line);

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace kinoha::fuzz

#define KINOHA_FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::kinoha::fuzz::Fail(#condition, __FILE__, __LINE__))
