#include "cli/step_tool.h"

#include <thread>

#include "cli/exit_codes.h"
#include "cli/tool_paths.h"
#include "platform/platform.h"
#include "step/member_lists.h"
#include "step/step_projects.h"
#include "step/step_report.h"
#include "step/step_workers.h"

#ifndef KINOHA_VERSION_W
#define KINOHA_VERSION_W L"0"
#endif

namespace kinoha {
namespace {

constexpr const wchar_t* kUsage =
    L"usage: kinoha-step [options] PATH...\n"
    L"  PATH          a project file (.vbp); a group file (.vbg), split into its projects;\n"
    L"                or a directory, searched for .vbg and .vbp files, groups split\n"
    L"  --under       a statement continued with \"_\" counts once\n"
    L"  --stdout      print each report to standard output instead of writing the\n"
    L"                _Step.csv files\n"
    L"  --exclude S   leave out projects whose path contains S (repeatable)\n"
    L"  --jobs N      count this many files at once (default: the number of cores)\n"
    L"  --encoding E  code page of the files (default: the ANSI code page on Windows,\n"
    L"                CP932 elsewhere)\n"
    L"  --help, --version\n";

struct Options {
    bool under = false;
    bool toStdout = false;
    std::vector<std::wstring> exclusions;
    unsigned jobs = 0;
    std::wstring encoding;
    std::vector<std::wstring> paths;
};

// Gives back the code page the tool selected, so that a caller (a test) gets the default again.
class EncodingRestore {
  public:
    EncodingRestore() = default;
    ~EncodingRestore() {
        if (changed) platform::SelectAnsiCodePage("");
    }
    EncodingRestore(const EncodingRestore&) = delete;
    EncodingRestore& operator=(const EncodingRestore&) = delete;
    bool changed = false;
};

bool ParseCount(const std::wstring& text, unsigned& value) {
    if (text.empty() || text.size() > 4) return false;
    unsigned v = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + static_cast<unsigned>(c - L'0');
    }
    if (v == 0) return false;
    value = v;
    return true;
}

// Empty when the arguments are usable, otherwise what is wrong with them.
std::wstring Parse(const std::vector<std::wstring>& args, Options& o, bool& help, bool& version) {
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        if (optionsEnd || a.empty() || a[0] != L'-' || a == L"-") {
            o.paths.push_back(a);
            continue;
        }
        const bool takesValue = a == L"--exclude" || a == L"--jobs" || a == L"--encoding";
        if (takesValue && i + 1 >= args.size()) return a + L" needs a value";
        if (a == L"--") {
            optionsEnd = true;
        } else if (a == L"--under") {
            o.under = true;
        } else if (a == L"--stdout") {
            o.toStdout = true;
        } else if (a == L"--help" || a == L"-h") {
            help = true;
        } else if (a == L"--version") {
            version = true;
        } else if (a == L"--exclude") {
            o.exclusions.push_back(args[++i]);
        } else if (a == L"--jobs") {
            if (!ParseCount(args[++i], o.jobs)) return L"--jobs needs a whole number from 1";
        } else if (a == L"--encoding") {
            o.encoding = args[++i];
        } else {
            return L"unknown option " + a;
        }
    }
    if (!help && !version && o.paths.empty()) return L"no PATH given";
    return {};
}

std::wstring Counts(std::size_t members, const MemberCounts& c) {
    return L"members " + std::to_wstring(members) + L", screen " + std::to_wstring(c.screen) +
           L", code " + std::to_wstring(c.code) + L", comment " + std::to_wstring(c.comment) +
           L", blank " + std::to_wstring(c.blank);
}

}  // namespace

int RunStepTool(const std::vector<std::wstring>& args, const ToolWriter& out,
                const ToolWriter& err) {
    Options o;
    bool help = false, version = false;
    const std::wstring problem = Parse(args, o, help, version);
    if (!problem.empty()) {
        err(L"kinoha-step: " + problem + L"\n" + kUsage);
        return kExitUsage;
    }
    if (help) {
        out(kUsage);
        return kExitCounted;
    }
    if (version) {
        out(L"kinoha-step " KINOHA_VERSION_W L"\n");
        return kExitCounted;
    }

    EncodingRestore restore;
    if (!o.encoding.empty()) {
        std::string name;
        for (const wchar_t c : o.encoding) name += static_cast<char>(c < 0x80 ? c : '?');
        if (!platform::SelectAnsiCodePage(name)) {
            err(L"kinoha-step: unknown encoding " + o.encoding + L"\n" + kUsage);
            return kExitUsage;
        }
        restore.changed = true;
    }

    // The rows as the catalogue would list them: a directory's finds sorted as its list is.
    std::vector<std::wstring> rows;
    std::wstring missing;
    if (!ExpandToolPaths(o.paths, rows, missing)) {
        err(L"kinoha-step: " + missing + L": no such file or directory\n");
        return kExitUsage;
    }
    std::vector<std::wstring> projects;
    FillStepProjects(rows, o.exclusions, projects);
    if (projects.empty()) {
        err(L"kinoha-step: no project to count\n");
        return kExitNotCounted;
    }

    const std::wstring here = platform::AbsolutePath(L".");
    const unsigned jobs = o.jobs != 0 ? o.jobs : std::thread::hardware_concurrency();
    StepWorkers workers(jobs);
    int status = kExitCounted;
    std::size_t counted = 0, allMembers = 0;
    MemberCounts all;
    for (const auto& project : projects) {
        const std::wstring shown = ShownPath(project, here);
        // A project file that cannot be read gives no (empty) report, as in the window.
        std::string projectBytes;
        if (!platform::ReadFileBytes(project, projectBytes)) {
            err(L"kinoha-step: " + shown + L": the project file cannot be read\n");
            status = kExitNotCounted;
            continue;
        }
        MemberLists lists;
        StepFailure note;
        const bool complete = ReadProjectMembers(project, lists, &note, &workers);
        std::vector<std::wstring> lstStep;
        StepFailure failure;
        MemberCounts c;
        const StepCountOptions options{!o.toStdout, &workers, &failure, &c, {o.under}};
        if (!CountProjectSteps(project, lists, lstStep, options)) {
            const StepFailure& why = failure.file.empty() && !note.file.empty() ? note : failure;
            err(L"kinoha-step: " + shown + L": " +
                (why.file.empty() ? L"" : ShownPath(why.file, here) + L": ") + why.reason +
                L"; no report written\n");
            status = kExitNotCounted;
            continue;
        }
        if (!complete) {
            err(L"kinoha-step: " + shown + L": " + note.reason +
                L"; the members listed before that line were counted\n");
            status = kExitNotCounted;
        }
        if (o.toStdout) {
            std::wstring text;
            for (const auto& line : lstStep) text += line + L"\n";
            out(text);
        } else {
            out(shown + L": " + Counts(lists.Count(), c) + L"\n");
        }
        ++counted;
        allMembers += lists.Count();
        all.screen += c.screen;
        all.code += c.code;
        all.comment += c.comment;
        all.blank += c.blank;
    }
    if (!o.toStdout && projects.size() > 1)
        out(L"total of " + std::to_wstring(counted) + L" projects: " + Counts(allMembers, all) +
            L"\n");
    return status;
}

}  // namespace kinoha
