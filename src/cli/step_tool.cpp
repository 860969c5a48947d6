#include "cli/step_tool.h"

#include <thread>

#include "app/text_helpers.h"
#include "cli/exit_codes.h"
#include "platform/platform.h"
#include "step/member_lists.h"
#include "step/project_versions.h"
#include "step/step_diff_report.h"
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
    L"       kinoha-step [options] --diff OLD NEW\n"
    L"  PATH          a project file (.vbp); a group file (.vbg), split into its projects;\n"
    L"                or a directory, searched for .vbg and .vbp files, groups split\n"
    L"  --diff OLD NEW  count the steps added, changed and deleted from OLD to NEW: two\n"
    L"                versions of a project file, or two trees whose projects are matched\n"
    L"                by their path in the tree; writes <project>_StepDiff.csv beside each\n"
    L"                project of NEW\n"
    L"  --under       a statement continued with \"_\" counts once\n"
    L"  --count-controls  count user controls (.ctl) and property pages (.pag) too\n"
    L"  --vb-comments  a comment is what VB takes for one: \"'\" or the word Rem in any\n"
    L"                case, after leading blanks and tabs\n"
    L"  --stdout      print each report to standard output instead of writing the\n"
    L"                _Step.csv files\n"
    L"  --exclude S   leave out projects whose path contains S (repeatable)\n"
    L"  --jobs N      count this many files at once (default: the number of cores)\n"
    L"  --encoding E  code page of the files (default: the ANSI code page on Windows,\n"
    L"                CP932 elsewhere)\n"
    L"  --help, --version\n";

struct Options {
    CountOptions counting;
    bool diff = false;
    std::wstring olderPath, newerPath;
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
        if (a == L"--diff" && i + 2 >= args.size()) return a + L" needs OLD and NEW";
        if (a == L"--") {
            optionsEnd = true;
        } else if (a == L"--under") {
            o.counting.under = true;
        } else if (a == L"--count-controls") {
            o.counting.countControls = true;
        } else if (a == L"--vb-comments") {
            o.counting.vbComments = true;
        } else if (a == L"--diff") {
            if (o.diff) return L"--diff given twice";
            o.diff = true;
            o.olderPath = args[++i];
            o.newerPath = args[++i];
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
    if (o.diff && !o.paths.empty()) return L"--diff takes no other PATH";
    if (o.diff && (o.olderPath.empty() || o.newerPath.empty())) return L"an empty PATH";
    if (!help && !version && !o.diff && o.paths.empty()) return L"no PATH given";
    return {};
}

// A path for messages: relative to the current directory when it lies below it.
std::wstring Shown(const std::wstring& path, const std::wstring& here) {
    if (path.size() > here.size() + 1 && path.compare(0, here.size(), here) == 0 &&
        path[here.size()] == L'\\')
        return platform::DisplayPath(path.substr(here.size() + 1));
    return platform::DisplayPath(path);
}

std::wstring Counts(std::size_t members, const MemberCounts& c) {
    return L"members " + std::to_wstring(members) + L", screen " + std::to_wstring(c.screen) +
           L", code " + std::to_wstring(c.code) + L", comment " + std::to_wstring(c.comment) +
           L", blank " + std::to_wstring(c.blank);
}

// The rows a path stands for (AddPathRows); false (and the message) when it does not exist.
bool AddRows(const std::wstring& given, std::vector<std::wstring>& rows, const ToolWriter& err) {
    if (AddPathRows(platform::AbsolutePath(given), rows)) return true;
    err(L"kinoha-step: " + given + L": no such file or directory\n");
    return false;
}

std::wstring Changes(const wchar_t* name, const ClassDiff& c) {
    return std::wstring(L", ") + name + L" +" + std::to_wstring(c.added) + L" ~" +
           std::to_wstring(c.changed) + L" -" + std::to_wstring(c.deleted);
}

std::wstring DiffSummary(const std::size_t (&states)[4], const MemberDiff& d) {
    return L"members added " + std::to_wstring(states[0]) + L", deleted " +
           std::to_wstring(states[1]) + L", changed " + std::to_wstring(states[2]) +
           L", unchanged " + std::to_wstring(states[3]) + Changes(L"screen", d.screen) +
           Changes(L"code", d.code) + Changes(L"comment", d.comment);
}

// --diff OLD NEW: the changed-step report of each project of NEW against its older version.
int RunDiff(const Options& o, const ToolWriter& out, const ToolWriter& err) {
    std::vector<std::wstring> olderRows, newerRows, older, newer;
    if (!AddRows(o.olderPath, olderRows, err) || !AddRows(o.newerPath, newerRows, err))
        return kExitUsage;
    FillStepProjects(olderRows, o.exclusions, older);
    FillStepProjects(newerRows, o.exclusions, newer);
    if (newer.empty()) {
        err(L"kinoha-step: no project to count\n");
        return kExitNotCounted;
    }
    // A file stands for itself; its versions are compared whatever their names.
    const auto root = [](const std::wstring& given) {
        const std::wstring path = platform::AbsolutePath(given);
        return platform::LookupFile(path) ? FolderOf(path) : path;
    };
    std::vector<VersionPair> pairs;
    std::vector<std::wstring> olderOnly;
    const std::wstring oldPath = platform::AbsolutePath(o.olderPath);
    const std::wstring newPath = platform::AbsolutePath(o.newerPath);
    if (older.size() == 1 && newer.size() == 1 && older[0] == oldPath && newer[0] == newPath) {
        pairs.push_back({older[0], newer[0]});
    } else {
        PairProjectVersions(older, root(o.olderPath), newer, root(o.newerPath), pairs, olderOnly);
    }

    const std::wstring here = platform::AbsolutePath(L".");
    StepWorkers workers(o.jobs != 0 ? o.jobs : std::thread::hardware_concurrency());
    int status = kExitCounted;
    std::size_t compared = 0;
    std::size_t allStates[4] = {};
    MemberDiff all;
    for (const auto& pair : pairs) {
        const std::wstring shown = Shown(pair.newer, here);
        std::vector<std::wstring> lines;
        StepFailure failure;
        MemberDiff totals;
        std::size_t states[4] = {};
        StepDiffOptions options;
        options.writeReport = !o.toStdout;
        options.workers = &workers;
        options.failure = &failure;
        options.totals = &totals;
        options.states = states;
        options.counting = o.counting;
        if (!DiffProjectSteps(pair.older, pair.newer, lines, options)) {
            err(L"kinoha-step: " + shown + L": " +
                (failure.file.empty() ? L"" : Shown(failure.file, here) + L": ") + failure.reason +
                L"; no report written\n");
            status = kExitNotCounted;
            continue;
        }
        if (o.toStdout) {
            std::wstring text;
            for (const auto& line : lines) text += line + L"\n";
            out(text);
        } else {
            out(shown + (pair.older.empty() ? L" (no older version)" : L"") + L": " +
                DiffSummary(states, totals) + L"\n");
        }
        ++compared;
        all += totals;
        for (int i = 0; i < 4; ++i) allStates[i] += states[i];
    }
    if (!o.toStdout) {
        for (const auto& gone : olderOnly)
            out(Shown(gone, here) + L": only in the older version, not compared\n");
        if (pairs.size() > 1)
            out(L"total of " + std::to_wstring(compared) + L" projects: " +
                DiffSummary(allStates, all) + L"\n");
    }
    return status;
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

    if (o.diff) return RunDiff(o, out, err);
    std::vector<std::wstring> rows;
    for (const auto& given : o.paths)
        if (!AddRows(given, rows, err)) return kExitUsage;
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
        const std::wstring shown = Shown(project, here);
        // A project file that cannot be read gives no (empty) report, as in the window.
        std::string projectBytes;
        if (!platform::ReadFileBytes(project, projectBytes)) {
            err(L"kinoha-step: " + shown + L": the project file cannot be read\n");
            status = kExitNotCounted;
            continue;
        }
        MemberLists lists;
        StepFailure note;
        const bool complete = ReadProjectMembers(project, lists, &note, &workers, o.counting);
        std::vector<std::wstring> lstStep;
        StepFailure failure;
        MemberCounts c;
        const StepCountOptions options{!o.toStdout, &workers, &failure, &c, o.counting};
        if (!CountProjectSteps(project, lists, lstStep, options)) {
            const StepFailure& why = failure.file.empty() && !note.file.empty() ? note : failure;
            err(L"kinoha-step: " + shown + L": " +
                (why.file.empty() ? L"" : Shown(why.file, here) + L": ") + why.reason +
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
