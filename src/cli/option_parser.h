// The one reading of the command-line tools' arguments: options by a table, "--" ending them, any
// other argument (and "-") a PATH.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoha {

struct OptionRule {
    std::vector<std::wstring_view> names;  // "--jobs", "-j"
    std::size_t values = 0;                // the arguments it takes after it
    // Takes the option's values; returns what is wrong with them, or nothing.
    std::function<std::wstring(const std::vector<std::wstring>& values)> take;
    // The problem when its values are missing; empty: "<option> needs a value".
    std::wstring_view missing = {};
    bool emptyIsMissing = false;  // an empty value counts as none
};

// Reads `args` against `rules`. Empty when they are usable, otherwise the first problem: a value
// missing, an unknown option ("unknown option X"), an empty PATH (`emptyPath`) or what an
// option's `take` said.
std::wstring ParseArguments(const std::vector<std::wstring>& args,
                            const std::vector<OptionRule>& rules, std::vector<std::wstring>& paths,
                            std::wstring_view emptyPath);

// A whole number of at most `digits` digits; false for anything else.
bool ParseWholeNumber(const std::wstring& text, std::size_t digits, unsigned& value);

}  // namespace kinoha
