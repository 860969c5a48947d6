#include "cli/step_tool.h"

#include <algorithm>
#include <set>
#include <thread>

#include "app/sorted_list.h"
#include "app/text_helpers.h"
#include "app/version.h"
#include "catalogue/exclusion.h"
#include "cli/diff_summaries.h"
#include "cli/exit_codes.h"
#include "cli/progress_line.h"
#include "cli/shown_text.h"
#include "cli/summary_formats.h"
#include "cli/tool_options.h"
#include "cli/tool_paths.h"
#include "cli/tool_result.h"
#include "compile/project_inputs.h"
#include "platform/case_fold.h"
#include "platform/platform.h"
#include "step/line_count.h"
#include "step/project_count.h"
#include "step/project_versions.h"
#include "step/step_diff_report.h"
#include "step/step_projects.h"
#include "step/step_report.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

constexpr const wchar_t* kLineFeedsOnly =
    L"the file has line feeds but no carriage return, so it was read as one line, as VB reads "
    L"it; give it CR LF line ends (for git: a .gitattributes line \"*.vb? eol=crlf\" or similar)";

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

// Standard error: every message on a line of its own, escaped, the progress line out of its way.
class Messages {
  public:
    explicit Messages(const ToolStreams& streams)
        : err_(streams.err), progress_(streams.err, streams.errIsTerminal, streams.progressDelay) {}
    void Say(const std::wstring& body) {
        progress_.Clear();
        err_(L"kinoha-step: " + EscapeControls(body) + L"\n");
    }
    ProgressLine& progress() { return progress_; }

  private:
    ToolWriter err_;
    ProgressLine progress_;
};

// Where the output goes: standard output as it comes, or, with --output, the file, written
// whole at the end. A write that fails is said once; the counting goes on, as the reports are
// its main work, and the run ends with status 1.
class Output {
  public:
    Output(const ToolStreams& streams, std::wstring file, Messages& messages)
        : streams_(streams), file_(std::move(file)), messages_(messages) {}

    // The reports of --stdout, which never go to the file.
    void Stdout(const std::wstring& text) {
        wroteStdout_ = true;
        if (stdoutOk_ && !streams_.out(text)) Lost();
    }
    void Summary(const std::wstring& text) {
        if (file_.empty()) {
            Stdout(text);
        } else {
            summary_ += text;
        }
    }
    // True when everything reached its place.
    bool Finish() {
        if (wroteStdout_ && stdoutOk_ && streams_.finishOut && !streams_.finishOut()) Lost();
        if (file_.empty()) return stdoutOk_;
        const std::wstring path = platform::AbsolutePath(file_);
        if (!platform::ReplaceFileAtomically(path, platform::EncodeUtf8(summary_))) {
            messages_.Say(EscapeControls(platform::DisplayPath(file_)) +
                          L": the output file cannot be written");
            return false;
        }
        return stdoutOk_;
    }

  private:
    void Lost() {
        stdoutOk_ = false;
        messages_.Say(L"standard output cannot be written; the output is incomplete");
    }
    const ToolStreams& streams_;
    std::wstring file_;
    Messages& messages_;
    std::wstring summary_;
    bool stdoutOk_ = true;
    bool wroteStdout_ = false;
};

// Empty when the encoding is usable; otherwise the usage error.
std::wstring SelectEncoding(const std::wstring& encoding, EncodingRestore& restore) {
    if (encoding.empty()) return {};
    if (!platform::SelectAnsiCodePage(CodePageName(encoding)))
        return L"unknown encoding " + EscapeControls(encoding);
    restore.changed = true;
    // The paths in project files, and the tests of every line, read the ASCII bytes as ASCII.
    if (!platform::AnsiKeepsAscii() || platform::DecodeAnsi("\\") != L"\\")
        return L"encoding " + EscapeControls(encoding) +
               L" cannot be used: VB files need a code page that keeps ASCII as it is, with "
               L"\"\\\" as the byte 0x5C (for Japanese files: CP932)";
    return {};
}

// The rows as the catalogue would list them: a directory's finds sorted as its list is. False
// (after saying so) when a PATH does not exist.
bool CollectRows(const std::vector<std::wstring>& paths, Messages& messages,
                 std::vector<std::wstring>& rows, std::vector<std::wstring>& unreadable) {
    std::wstring bad;
    const ToolPathProblem problem = ExpandToolPaths(paths, rows, bad, &unreadable);
    if (problem == ToolPathProblem::None) return true;
    messages.Say(ToolPathMessage(problem, EscapeControls(bad)));
    return false;
}

// The projects the rows stand for, groups split. The window tests only its rows; here a project
// reached through a group is left out too, for the count and the diff alike.
void ToolProjects(const std::vector<std::wstring>& rows,
                  const std::vector<std::wstring>& exclusions, std::vector<std::wstring>& out) {
    std::vector<std::wstring> listed;
    FillStepProjects(rows, exclusions, listed);
    out = WithoutExcluded(listed, exclusions);
}

// A group file whose CR LF line ends were converted to LF reads as one line, so as no project:
// said as it is for project and member files.
void SayLineFeedGroups(const std::vector<std::wstring>& rows, Messages& messages,
                       const std::wstring& here) {
    for (const auto& row : rows) {
        std::string bytes;
        if (HasExtension(row, L".VBG") && platform::ReadFileBytes(row, bytes) &&
            HasLineFeedsOnly(bytes))
            messages.Say(ShownPath(row, here) + L": " + kLineFeedsOnly);
    }
}

// Counts one project for the summary; `lstStep` receives its report lines.
ProjectStep CountOne(const std::wstring& project, const ToolOptions& o, StepWorkers& workers,
                     std::vector<std::wstring>& lstStep) {
    ProjectStep p;
    p.path = project;
    ProjectCount c = CountProject(project, {!o.toStdout, &workers, o.counting}, lstStep);
    p.members = std::move(c.members);
    p.totals = c.totals;
    if (c.failure.kind == StepFailureKind::ProjectUnreadable) {
        p.problems.push_back({project, c.failure.reason});
        return p;
    }
    if (c.lineFeedsOnly) p.problems.push_back({project, kLineFeedsOnly});
    if (!c.counted) {
        p.problems.push_back({c.failure.file, c.failure.reason + L"; no report written"});
        return p;
    }
    p.state = ProjectState::Counted;
    p.memberCount = c.memberCount;
    if (!o.toStdout) StepReportPath(project, p.report);
    if (c.listCut)
        p.problems.push_back({c.listCut->file, c.listCut->reason +
                                                   L"; the members listed before that line were "
                                                   L"counted"});
    for (const auto& m : p.members) {
        if (m.counts.lineFeedsOnly) p.problems.push_back({m.file, kLineFeedsOnly});
    }
    if (!p.problems.empty()) p.state = ProjectState::Warned;
    return p;
}

// The rows of the tree `outer` less those under `inner` when that is a folder inside it.
void DropInnerTree(std::vector<std::wstring>& rows, const std::wstring& outer,
                   const std::wstring& inner) {
    const std::wstring in = platform::AbsolutePath(inner);
    const std::wstring prefix = PathKey(in) + L"\\";
    const std::wstring outerKey = PathKey(platform::AbsolutePath(outer)) + L"\\";
    if (platform::LookupFile(in) || prefix == outerKey ||
        prefix.compare(0, outerKey.size(), outerKey) != 0)
        return;
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const std::wstring& r) {
                                  return PathKey(r).compare(0, prefix.size(), prefix) == 0;
                              }),
               rows.end());
}

// --diff OLD NEW: the changed-step report of each project of NEW against its older version.
int RunDiff(const ToolOptions& o, const ToolStreams& streams, Messages& messages) {
    std::vector<std::wstring> olderRows, newerRows, older, newer, unreadable;
    if (!CollectRows({o.olderPath}, messages, olderRows, unreadable) ||
        !CollectRows({o.newerPath}, messages, newerRows, unreadable))
        return kExitUsage;
    // One tree inside the other (OLD a copy kept under NEW): the inner tree is not part of the
    // outer one's version, or its projects would count as new and get reports of their own.
    DropInnerTree(newerRows, o.newerPath, o.olderPath);
    DropInnerTree(olderRows, o.olderPath, o.newerPath);
    ToolProjects(olderRows, o.exclusions, older);
    ToolProjects(newerRows, o.exclusions, newer);
    const std::wstring here = platform::AbsolutePath(L".");
    int status = kExitCounted;
    for (const auto& dir : unreadable) {
        messages.Say(ShownPath(dir, here) + L": " + kUnreadableDirectory);
        status = kExitNotCounted;
    }
    if (newer.empty()) {
        messages.Say(L"no project to count");
        return kExitNotCounted;
    }
    // A file stands for itself; its two versions are compared whatever their names.
    const std::wstring oldPath = platform::AbsolutePath(o.olderPath);
    const std::wstring newPath = platform::AbsolutePath(o.newerPath);
    const auto root = [](const std::wstring& path) {
        return platform::LookupFile(path) ? FolderOf(path) : path;
    };
    std::vector<VersionPair> pairs;
    std::vector<std::wstring> olderOnly;
    if (older.size() == 1 && newer.size() == 1 && older[0] == oldPath && newer[0] == newPath) {
        pairs.push_back({older[0], newer[0]});
    } else {
        PairProjectVersions(older, root(oldPath), newer, root(newPath), pairs, olderOnly);
    }

    Output output(streams, o.output, messages);
    const bool summary = !o.toStdout || !o.output.empty();
    const bool text = summary && o.format == OutputFormat::Text;
    const bool separators = o.toStdout && pairs.size() > 1;
    StepWorkers workers(o.jobs != 0 ? o.jobs : std::thread::hardware_concurrency());
    DiffRun run;
    run.status = status;
    run.olderOnly = olderOnly;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        ProjectDiff p;
        p.path = pairs[i].newer;
        p.older = pairs[i].older;
        const std::wstring shown = ShownPath(p.path, here);
        messages.progress().Show(i, pairs.size(), shown);
        std::vector<std::wstring> lines;
        StepFailure failure;
        StepDiffOptions options;
        options.writeReport = !o.toStdout;
        options.workers = &workers;
        options.failure = &failure;
        options.totals = &p.totals;
        options.states = p.states;
        options.counting = o.counting;
        p.compared = DiffProjectSteps(p.older, p.path, lines, options);
        if (!p.compared) {
            p.problems.push_back({failure.file, failure.reason + L"; no report written"});
            const bool other = !failure.file.empty() && failure.file != p.path;
            messages.Say(shown + L": " + (other ? ShownPath(failure.file, here) + L": " : L"") +
                         p.problems.back().reason);
            run.status = kExitNotCounted;
            p.totals = {};
            std::fill(std::begin(p.states), std::end(p.states), 0);
        } else {
            messages.progress().Clear();
            if (!o.toStdout) StepDiffReportPath(p.path, p.report);
            if (o.toStdout) {
                std::wstring report = separators ? ReportSeparator(p.path, here) : L"";
                for (const auto& line : lines) report += line + L"\n";
                output.Stdout(report);
            }
            if (text) output.Summary(DiffTextLine(p, here));
        }
        run.projects.push_back(std::move(p));
    }
    messages.progress().Clear();
    if (text) {
        for (const auto& gone : olderOnly)
            output.Summary(ShownPath(gone, here) + L": only in the older version, not compared\n");
        if (pairs.size() > 1) output.Summary(DiffTextTotal(run));
    }
    if (summary && o.format == OutputFormat::Csv) output.Summary(DiffCsvSummary(run, here));
    if (summary && o.format == OutputFormat::Markdown)
        output.Summary(DiffMarkdownSummary(run, here));
    if (summary && o.format == OutputFormat::Json) output.Summary(DiffJsonSummary(run, here));
    if (!output.Finish()) run.status = kExitNotCounted;
    return run.status;
}

}  // namespace

int RunStepTool(const std::vector<std::wstring>& args, const ToolStreams& streams) {
    Messages messages(streams);
    ToolOptions o;
    const std::wstring problem = ParseToolOptions(args, o);
    if (!problem.empty()) {
        streams.err(L"kinoha-step: " + EscapeControls(problem) + L"\n" + kToolUsage);
        return kExitUsage;
    }
    if (o.help || o.version) {
        Output output(streams, {}, messages);
        output.Stdout(o.help ? std::wstring(kToolUsage) : L"kinoha-step " + VersionText() + L"\n");
        return output.Finish() ? kExitCounted : kExitNotCounted;
    }

    EncodingRestore restore;
    const std::wstring encodingProblem = SelectEncoding(o.encoding, restore);
    if (!encodingProblem.empty()) {
        streams.err(L"kinoha-step: " + encodingProblem + L"\n" + kToolUsage);
        return kExitUsage;
    }

    StepRun run;
    std::vector<std::wstring> rows;
    if (o.diff) return RunDiff(o, streams, messages);
    if (!CollectRows(o.paths, messages, rows, run.unreadableDirectories)) return kExitUsage;
    std::vector<std::wstring> listed;
    ToolProjects(rows, o.exclusions, listed);
    const std::vector<std::wstring> projects = EachOnce(listed, run.repeatsSkipped);

    const std::wstring here = platform::AbsolutePath(L".");
    for (const auto& dir : run.unreadableDirectories) {
        messages.Say(ShownPath(dir, here) + L": " + kUnreadableDirectory);
        run.status = kExitNotCounted;
    }
    SayLineFeedGroups(rows, messages, here);
    if (run.repeatsSkipped > 0)
        messages.Say(std::to_wstring(run.repeatsSkipped) +
                     L" repeats of projects already listed were skipped; each project is counted "
                     L"once");
    if (projects.empty()) {
        messages.Say(L"no project to count");
        return kExitNotCounted;
    }

    Output output(streams, o.output, messages);
    // With --stdout the reports take standard output; a summary is made only for --output.
    const bool summary = !o.toStdout || !o.output.empty();
    const bool separators = o.toStdout && projects.size() > 1;
    const unsigned jobs = o.jobs != 0 ? o.jobs : std::thread::hardware_concurrency();
    StepWorkers workers(jobs);
    for (std::size_t i = 0; i < projects.size(); ++i) {
        const std::wstring shown = ShownPath(projects[i], here);
        messages.progress().Show(i, projects.size(), shown);
        std::vector<std::wstring> lstStep;
        ProjectStep p = CountOne(projects[i], o, workers, lstStep);
        for (const auto& f : p.problems) {
            const bool other = !f.file.empty() && f.file != p.path;
            messages.Say(shown + L": " + (other ? ShownPath(f.file, here) + L": " : L"") +
                         f.reason);
        }
        if (p.state != ProjectState::Counted) run.status = kExitNotCounted;
        if (p.state != ProjectState::Failed) {
            messages.progress().Clear();  // standard output may be the same terminal
            if (o.toStdout) {
                std::wstring text = separators ? ReportSeparator(p.path, here) : L"";
                for (const auto& line : lstStep) text += line + L"\n";
                output.Stdout(text);
            }
            if (summary && o.format == OutputFormat::Text) output.Summary(TextProjectLine(p, here));
        }
        run.projects.push_back(std::move(p));
    }
    messages.progress().Clear();

    if (summary && o.format == OutputFormat::Text && projects.size() > 1)
        output.Summary(TextTotalLine(run));
    if (summary && o.format == OutputFormat::Csv) output.Summary(CsvSummary(run, here));
    if (summary && o.format == OutputFormat::Markdown) output.Summary(MarkdownSummary(run, here));
    if (summary && o.format == OutputFormat::Json) output.Summary(JsonSummary(run, here));
    if (!output.Finish()) run.status = kExitNotCounted;
    return run.status;
}

int RunStepTool(const std::vector<std::wstring>& args,
                const std::function<void(const std::wstring&)>& out,
                const std::function<void(const std::wstring&)>& err) {
    ToolStreams streams;
    streams.out = [&out](const std::wstring& text) {
        out(text);
        return true;
    };
    streams.err = [&err](const std::wstring& text) {
        err(text);
        return true;
    };
    return RunStepTool(args, streams);
}

}  // namespace kinoha
