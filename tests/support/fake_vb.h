// A fake VB executable for the compile logic's tests: given the compile command line, it writes
// VB's log and the output files as each project (by its file name) is told to.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/text_helpers.h"
#include "catalogue/group_file.h"
#include "catalogue/project_file.h"
#include "compile/compile_entry.h"
#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::test {

struct FakeVbMode {
    bool starts = true;
    std::uint32_t exitCode = 0;
    bool writesLog = true;
    std::string log;  // empty: the usual success line
    bool writesOutput = true;
};

class FakeVb {
  public:
    std::map<std::wstring, FakeVbMode> modes;  // by the project or group file's name
    std::vector<std::wstring> commands;        // every command line, in order

    ProcessOutcome operator()(const std::wstring& line) {
        commands.push_back(line);
        const platform::CommandLineParts parts = platform::SplitCommandLine(line);
        std::wstring file, log;
        for (std::size_t i = 0; i + 1 < parts.arguments.size(); ++i) {
            if (parts.arguments[i] == L"/make") file = parts.arguments[i + 1];
            if (parts.arguments[i] == L"/out") log = parts.arguments[i + 1];
        }
        const FakeVbMode vb = modes[NameOf(file)];
        if (!vb.starts) return {};
        if (vb.writesLog)
            WriteFile(log, vb.log.empty() ? "Build of 'x.exe' succeeded.\r\n" : vb.log);
        if (vb.writesOutput) {
            std::vector<std::wstring> projects = GroupProjects(file);
            if (projects.empty()) projects.push_back(file);
            for (const auto& p : projects) {
                const std::wstring exe = GetProjectOutput(p);
                if (!exe.empty() && modes[NameOf(p)].writesOutput) WriteFile(exe, "MZ");
            }
        }
        return {true, vb.exitCode};
    }
};

}  // namespace kinoha::test
