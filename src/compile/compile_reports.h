// The results of a batch compile as files for build servers: a JUnit XML report (one test case
// per entry, failures with VB's error lines) and JSON. Both are UTF-8; text that is no valid
// character (bytes of a log that the code page could not decode) is written as "?".
#pragma once

#include <string>
#include <vector>

#include "compile/compile_result.h"

namespace kinoha {

struct CompiledEntry {
    std::wstring path;  // as shown to the user
    CompileOutcome outcome;
};

std::string JUnitReport(const std::vector<CompiledEntry>& entries, const std::wstring& suite);
std::string JsonReport(const std::vector<CompiledEntry>& entries, const std::wstring& vb);

// Text as UTF-8; a lone surrogate or other non-character becomes "?".
std::string Utf8Text(std::wstring_view text);

}  // namespace kinoha
