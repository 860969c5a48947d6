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
    // How the run ends other than by itself: a dialog box (its texts), or past its time.
    platform::SupervisedEnd::How ends = platform::SupervisedEnd::How::Exited;
    std::vector<std::wstring> dialogTexts = {};
};

class FakeVb {
  public:
    std::map<std::wstring, FakeVbMode> modes;  // by the project or group file's name
    std::vector<std::wstring> commands;        // every command line, in order

    platform::SupervisedRun lastRun;  // how the last command was to be watched

    ProcessOutcome operator()(const std::wstring& line, const platform::SupervisedRun& how = {}) {
        commands.push_back(line);
        lastRun = how;
        const platform::CommandLineParts parts = platform::SplitCommandLine(line);
        std::wstring file, log;
        for (std::size_t i = 0; i + 1 < parts.arguments.size(); ++i) {
            if (parts.arguments[i] == L"/make") file = parts.arguments[i + 1];
            if (parts.arguments[i] == L"/out") log = parts.arguments[i + 1];
        }
        const FakeVbMode vb = modes[NameOf(file)];
        ProcessOutcome end;
        if (!vb.starts) {
            end.error = 2;
            end.errorText = L"指定されたファイルが見つかりません。";
            return end;
        }
        end.how = vb.ends;
        end.dialogTitle = L"Microsoft Visual Basic";
        end.dialogTexts = vb.dialogTexts;
        if (vb.ends != platform::SupervisedEnd::How::Exited) return end;
        if (vb.writesLog)
            WriteFile(log, vb.log.empty() ? "Build of 'x.exe' succeeded.\r\n" : vb.log);
        if (vb.writesOutput) {
            std::vector<std::wstring> projects = GroupProjects(file);
            if (projects.empty()) projects.push_back(file);
            for (const auto& p : projects) {
                const std::wstring exe = ReadProjectFile(p).builds;
                if (!exe.empty() && modes[NameOf(p)].writesOutput) WriteFile(exe, "MZ");
            }
        }
        end.exitCode = vb.exitCode;
        return end;
    }
};

}  // namespace kinoha::test
