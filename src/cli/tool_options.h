// The command line of kinoha-step: its options, their reading and the usage text.
#pragma once

#include <string>
#include <vector>

#include "step/count_options.h"

namespace kinoha {

enum class OutputFormat { Text, Csv, Json, Markdown };

struct ToolOptions {
    CountOptions counting;
    bool toStdout = false;  // the reports to standard output instead of the _Step.csv files
    std::vector<std::wstring> exclusions;
    unsigned jobs = 0;  // 0: the number of cores
    std::wstring encoding;
    OutputFormat format = OutputFormat::Text;
    bool formatGiven = false;
    std::wstring output;  // the summary to this file instead of standard output
    std::vector<std::wstring> paths;
    bool diff = false;  // --diff OLD NEW: the changed-step count instead of the count
    std::wstring olderPath, newerPath;
    bool help = false;
    bool version = false;
};

extern const wchar_t* const kToolUsage;

// Reads the arguments after the program name. Empty when they are usable, otherwise what is
// wrong with them.
std::wstring ParseToolOptions(const std::vector<std::wstring>& args, ToolOptions& options);

// The code page to select for an --encoding name: the names in common use for the code page of
// VB's files (SJIS, Shift_JIS, MS932, Windows-31J, any letter case) are CP932, since a converter's
// own Shift_JIS reads the byte of "\" as the yen sign. Other names are passed on as they are.
std::string CodePageName(const std::wstring& encoding);

}  // namespace kinoha
