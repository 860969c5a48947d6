#include "cli/make_tool.h"

#include <algorithm>
#include <map>
#include <optional>
#include <thread>

#include "app/text_helpers.h"
#include "app/version.h"
#include "catalogue/exclusion.h"
#include "cli/exit_codes.h"
#include "cli/option_parser.h"
#include "cli/shown_text.h"
#include "cli/tool_paths.h"
#include "compile/compile_log_folder.h"
#include "compile/compile_reports.h"
#include "compile/make_plan.h"
#include "compile/make_run.h"
#include "compile/make_schedule.h"
#include "compile/vb_location.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

constexpr const wchar_t* kUsage =
    L"usage: kinoha-make [options] PATH...\n"
    L"  PATH           a project file (.vbp); a group file (.vbg), compiled as one; or a\n"
    L"                 directory, searched for .vbg and .vbp files (groups kept whole)\n"
    L"  --vb PATH      the VB executable (default: the environment variable KINOHA_VB,\n"
    L"                 else the VB6 that the registry records)\n"
    L"  --exclude S    leave out entries whose path contains S (repeatable)\n"
    L"  --log-dir DIR  write VB's logs into DIR, replacing logs of the same name there\n"
    L"                 (default: a folder per run under\n"
    L"                 %LOCALAPPDATA%\\Kinoha\\logs; the last 20 runs are kept)\n"
    L"  --junit FILE   write a JUnit XML report, one test case per entry\n"
    L"  --json FILE    write the results as JSON (\"-\": to standard output)\n"
    L"  --keep-going   compile the remaining entries after a failure (default: stop);\n"
    L"                 projects that reference a failed one are still not compiled\n"
    L"  --changed      compile only entries that are out of date: no output yet, or a\n"
    L"                 project file, member, resource or referenced project output\n"
    L"                 newer than the output\n"
    L"  --dry-run      print the order and each entry's state and reason; start nothing\n"
    L"                 (with --jobs, also the schedule and its expected time)\n"
    L"  -j, --jobs N   compile up to N entries at once (default 1; 0 or auto: one per\n"
    L"                 processor); an entry starts when the entries it references have\n"
    L"                 been built\n"
    L"  --timeout S    end VB when one entry takes longer than S seconds (default 1800;\n"
    L"                 0: no limit); a dialog box VB shows ends it at once\n"
    L"  --define N=V   a conditional compilation constant for VB's /d (repeatable); N a\n"
    L"                 VB name, V a whole number\n"
    L"Entries are compiled after the projects whose outputs they reference (Reference=,\n"
    L"Object=), otherwise in the order given; a reference cycle stops the run.\n"
    L"  --help, --version\n"
    L"Exit status: 0 every entry built or up to date (or a dry run), 1 an entry failed or\n"
    L"was not compiled for it, or a reference cycle, 2 usage error or no VB.\n";

struct Options {
    std::wstring vb, logDir, junit, json;
    std::vector<std::wstring> exclusions, paths;
    bool keepGoing = false, changed = false, dryRun = false;
    std::size_t jobs = 1;
    bool jobsCapped = false;  // more were asked for than a run takes
    unsigned timeout = 1800;  // seconds; 0: none
    std::wstring defines;     // checked, "A=1:B=0"
    // What the make remembers between runs (KINOHA_MAKE_MEMORY, else the per-user file).
    std::wstring memory;
};

// Empty when the arguments are usable, otherwise what is wrong with them.
std::wstring Parse(const std::vector<std::wstring>& args, Options& o, bool& help, bool& version) {
    const auto flag = [](bool& value) {
        return [&value](const std::vector<std::wstring>&) {
            value = true;
            return std::wstring();
        };
    };
    const auto text = [](std::wstring& value) {
        return [&value](const std::vector<std::wstring>& v) {
            value = v[0];
            return std::wstring();
        };
    };
    const std::vector<OptionRule> rules{
        {{L"--help", L"-h"}, 0, flag(help)},
        {{L"--version"}, 0, flag(version)},
        {{L"--keep-going", L"-k"}, 0, flag(o.keepGoing)},
        {{L"--changed"}, 0, flag(o.changed)},
        {{L"--dry-run", L"-n"}, 0, flag(o.dryRun)},
        {{L"--vb"}, 1, text(o.vb), {}, true},
        {{L"--log-dir"}, 1, text(o.logDir), {}, true},
        {{L"--junit"}, 1, text(o.junit), {}, true},
        {{L"--json"}, 1, text(o.json), {}, true},
        {{L"--exclude"},
         1,
         [&](const std::vector<std::wstring>& v) {
             o.exclusions.push_back(v[0]);
             return std::wstring();
         },
         {},
         true},
        {{L"--timeout"},
         1,
         [&](const std::vector<std::wstring>& v) {
             return ParseWholeNumber(v[0], 6, o.timeout)
                        ? std::wstring()
                        : std::wstring(L"--timeout needs a whole number of seconds (0: none)");
         },
         {},
         true},
        {{L"--jobs", L"-j"},
         1,
         [&](const std::vector<std::wstring>& v) {
             unsigned n = 0;
             if (v[0] == L"auto") {
                 n = 0;
             } else if (!ParseWholeNumber(v[0], 6, n)) {
                 return std::wstring(
                            L"--jobs needs a whole number (0 or auto: one per "
                            L"processor): ") +
                        v[0];
             }
             o.jobs = n != 0 ? n : std::max(1u, std::thread::hardware_concurrency());
             o.jobsCapped = o.jobs > kMaxJobs;
             o.jobs = std::min(o.jobs, kMaxJobs);
             return std::wstring();
         },
         {},
         true},
        {{L"--define"},
         1,
         [&](const std::vector<std::wstring>& v) {
             const auto item = DefineItem(v[0], false);
             if (!item) return L"--define needs NAME=VALUE, a VB name and a whole number: " + v[0];
             o.defines += (o.defines.empty() ? L"" : L":") + *item;
             return std::wstring();
         },
         {},
         true},
    };
    if (std::wstring problem = ParseArguments(args, rules, o.paths, L"an empty PATH");
        !problem.empty())
        return problem;
    if (!help && !version && o.paths.empty()) return L"no PATH given";
    o.memory = platform::EnvironmentValue(L"KINOHA_MAKE_MEMORY");
    if (o.memory.empty()) o.memory = MakeMemory::DefaultFile();
    return {};
}

std::wstring Seconds(double s) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%.1f s", s >= 0 ? s : 0);
    return buf;
}

// A report file, its folder made when missing.
bool WriteReport(const std::wstring& given, const std::string& bytes) {
    const std::wstring path = platform::AbsolutePath(given);
    if (LastBackslash(path) > 0) platform::EnsureDirectory(FolderOf(path));
    return platform::ReplaceFileAtomically(path, bytes);
}

const wchar_t* Word(CompileResult r) {
    switch (r) {
        case CompileResult::Succeeded:
            return L"ok        ";
        case CompileResult::Failed:
            return L"FAILED    ";
        case CompileResult::UpToDate:
            return L"up to date";
        case CompileResult::NotRun:
        case CompileResult::Stopped:
            break;
    }
    return L"not run   ";
}

// The VB executable: --vb, KINOHA_VB or the registry; empty (with the message written) when
// there is none.
std::wstring FindVb(const Options& o, const ToolWriter& err) {
    std::wstring vb = o.vb;
    if (vb.empty()) vb = platform::EnvironmentValue(L"KINOHA_VB");
    if (vb.empty()) {
        const auto registry = platform::SystemRegistry();
        vb = RegisteredVb6(*registry);
    }
    if (vb.empty()) {
        err(L"kinoha-make: no VB executable: give --vb PATH (or set KINOHA_VB)\n" +
            std::wstring(kUsage));
        return {};
    }
    // Given by the user, the path is taken as a path, relative to the current directory.
    if (!platform::LookupFile(vb)) {
        const std::wstring absolute = platform::AbsolutePath(vb);
        if (!platform::LookupFile(absolute)) {
            err(L"kinoha-make: " + vb + L": the VB executable does not exist\n");
            return {};
        }
        vb = absolute;
    }
    return vb;
}

// A reason with its file as the command line shows paths.
std::wstring ReasonText(const MakeState& why) {
    return why.file.empty() ? why.reason : why.reason + L"：" + platform::DisplayPath(why.file);
}

using Shows = std::function<bool(const std::wstring&)>;

// A Japanese text with its stable code in front when the console cannot show it.
std::wstring Legible(const std::wstring& text, const std::wstring& code, const Shows& shows) {
    // VB's log lines come as VB wrote them: a NUL or an escape sequence must not reach the
    // terminal as such.
    const std::wstring safe = EscapeControls(text);
    return code.empty() || shows(safe) ? safe : L"[" + code + L"] " + safe;
}

// The order lines: each entry with what it comes after, and in a dry run its state and reason.
void PrintOrder(const MakePlan& plan, const std::vector<std::wstring>& shown,
                const std::vector<MakeState>* states, const ToolStreams& streams) {
    std::wstring text = L"order:\n";
    for (std::size_t k = 0; k < plan.Order().size(); ++k) {
        const std::size_t i = plan.Order()[k];
        text += L"  " + std::to_wstring(k + 1) + L". ";
        if (states != nullptr)
            text += std::wstring((*states)[i].upToDate ? L"up to date   " : L"out of date  ");
        text += shown[i];
        if (states != nullptr)
            text += L"  " + Legible(ReasonText((*states)[i]), (*states)[i].code, streams.shows);
        std::wstring after;
        for (const std::size_t j : plan.After(i)) after += (after.empty() ? L"" : L", ") + shown[j];
        if (!after.empty()) text += L"  (after " + after + L")";
        text += L"\n";
        for (const auto& note : plan.Notes(i)) text += L"     note: " + note + L"\n";
    }
    streams.out(text);
}

// The entries the PATHs stand for, less the exclusions, each with its path as shown; a status
// when there is nothing to compile.
std::optional<int> Select(const Options& o, const ToolWriter& err,
                          std::vector<std::wstring>& entries, std::vector<std::wstring>& shown) {
    std::vector<std::wstring> rows;
    std::wstring bad;
    if (const ToolPathProblem problem = ExpandToolPaths(o.paths, rows, bad);
        problem != ToolPathProblem::None) {
        err(L"kinoha-make: " + ToolPathMessage(problem, bad) + L"\n");
        return kMakeUsage;
    }
    std::size_t repeats = 0;
    entries = EachOnce(WithoutExcluded(rows, o.exclusions), repeats);
    if (entries.empty()) {
        err(L"kinoha-make: no project to compile\n");
        return kMakeFailed;
    }
    if (repeats > 0)
        err(L"kinoha-make: " + std::to_wstring(repeats) +
            L" repeats of entries already listed were skipped; each entry is compiled once\n");
    // A report written over a project or group file given would destroy it.
    for (const std::wstring* report : {&o.junit, &o.json}) {
        if (report->empty() || *report == L"-") continue;
        if (AmongPaths(platform::AbsolutePath(*report), rows)) {
            err(L"kinoha-make: " + *report + L": the report would replace an input file\n");
            return kMakeUsage;
        }
    }
    const std::wstring here = platform::AbsolutePath(L".");
    for (const auto& entry : entries) shown.push_back(ShownPath(entry, here));
    return std::nullopt;
}

// The schedule a run with several jobs would follow, from the recorded compile times: each
// wave of entries that start together, and the expected wall time.
void PrintSchedule(const MakePlan& plan, const std::vector<std::wstring>& shown,
                   const std::vector<MakeState>& states, const Options& o,
                   const ToolStreams& streams) {
    std::vector<std::vector<std::size_t>> waits;
    std::vector<std::optional<double>> last;
    std::vector<bool> compiles;
    for (std::size_t i = 0; i < states.size(); ++i) {
        waits.push_back(plan.Waits(i));
        last.push_back(plan.LastSeconds(i));
        compiles.push_back(!o.changed || !states[i].upToDate);
    }
    const std::vector<double> seconds = ExpectedSeconds(last);
    const std::vector<ForecastEntry> forecast = ForecastRun(waits, seconds, compiles, o.jobs);
    std::map<double, std::vector<std::size_t>> waves;
    double wall = 0, total = 0;
    for (std::size_t i = 0; i < forecast.size(); ++i) {
        if (forecast[i].slot == 0) continue;
        waves[forecast[i].start].push_back(i);
        wall = std::max(wall, forecast[i].end);
        total += seconds[i];
    }
    std::wstring text = L"schedule (" + std::to_wstring(o.jobs) + L" at once):\n";
    std::size_t k = 0;
    for (auto& [start, ids] : waves) {
        std::sort(ids.begin(), ids.end(), [&](std::size_t a, std::size_t b) {
            return forecast[a].slot < forecast[b].slot;
        });
        text += L"  wave " + std::to_wstring(++k) + L" at " + Seconds(start) + L":";
        for (const std::size_t i : ids)
            text += L"\n    [" + std::to_wstring(forecast[i].slot) + L"] " + shown[i] + L"  " +
                    Seconds(seconds[i]);
        text += L"\n";
    }
    text += L"expected " + Seconds(wall) + L" (compiles " + Seconds(total) +
            L"; times of the last builds, the median for entries never built)\n";
    streams.out(text);
}

int WriteReports(const std::vector<CompiledEntry>& results, const Options& o,
                 const std::wstring& vb, const ToolStreams& streams, int status);

int DryRun(const MakePlan& plan, const std::vector<std::wstring>& shown, const Options& o,
           const ToolStreams& streams) {
    const std::vector<MakeState> states = plan.Forecast();
    PrintOrder(plan, shown, &states, streams);
    if (o.jobs > 1) PrintSchedule(plan, shown, states, o, streams);
    std::size_t stale = 0;
    for (const auto& state : states) stale += state.upToDate ? 0 : 1;
    streams.out(std::to_wstring(stale) + L" out of date, " +
                std::to_wstring(states.size() - stale) +
                L" up to date (dry run: nothing compiled)\n");
    // The reports asked for, of the plan: every entry not run, with what a run would do.
    std::vector<CompiledEntry> results;
    for (const std::size_t i : plan.Order()) {
        CompiledEntry e{shown[i], {}};
        e.outcome.result = CompileResult::NotRun;
        e.outcome.reason = L"dry run: " + ReasonText(states[i]);
        e.outcome.reasonCode = states[i].code;
        results.push_back(std::move(e));
    }
    return WriteReports(results, o, {}, streams, kMakeBuilt);
}

// "[2] " before the lines of slot 2 when several compile at once.
std::wstring SlotPrefix(std::size_t slot, std::size_t jobs) {
    return jobs > 1 && slot > 0 ? L"[" + std::to_wstring(slot) + L"] " : std::wstring();
}

// The line of an entry as it ends.
std::wstring EntryLine(const CompiledEntry& e, const MakeStep& step, bool changed,
                       const Shows& shows, const std::wstring& prefix) {
    const CompileOutcome& o = e.outcome;
    std::wstring line = prefix + Word(o.result) + L"  " + e.path;
    if (step.action == MakeStep::Action::Compile) {
        line += L"  " + Seconds(o.seconds);
        if (changed) line += L"  (" + Legible(o.reason, o.reasonCode, shows) + L")";
    }
    if (o.result == CompileResult::NotRun)
        line += L"\n         " + Legible(o.reason, o.reasonCode, shows);
    if (o.result == CompileResult::Failed) {
        line += L"\n         " + Legible(o.firstError, o.code, shows);
        if (!e.outcome.logPath.empty())
            line += L"\n         log: " + platform::DisplayPath(e.outcome.logPath);
    }
    return line + L"\n";
}

struct RunTimes {
    double wall = 0, compiles = 0;  // seconds
};

// Compiles the plan's entries, a line for each as it starts and as it ends.
std::vector<CompiledEntry> RunPlan(MakePlan& plan, const std::vector<std::wstring>& shown,
                                   const Options& o, const std::wstring& vb,
                                   const ProcessRunner& run, const ToolStreams& streams,
                                   RunTimes& times) {
    CompileLogFolder logs = o.logDir.empty()
                                ? CompileLogFolder::ForRunNow()
                                : CompileLogFolder::Given(platform::AbsolutePath(o.logDir));
    if (logs.FellBack() && !logs.Folder().empty())
        streams.err(L"kinoha-make: the logs folder cannot be written; logs go to " +
                    platform::DisplayPath(logs.Folder()) + L"\n");
    const CompileSettings compile{vb, std::chrono::seconds(o.timeout), o.defines, run};
    MakeSettings settings{compile, o.changed,
                          [&](const std::wstring& entry) {
                              std::wstring log = logs.PathFor(entry);
                              // A log of an earlier run of the same name must not stand for
                              // this one.
                              if (!o.logDir.empty()) platform::RemoveFile(log);
                              return log;
                          },
                          o.jobs, o.keepGoing};
    MakeRunHooks hooks;
    hooks.started = [&](std::size_t i, std::size_t slot) {
        streams.out(SlotPrefix(slot, o.jobs) + L"compiling " + L"  " + shown[i] + L"\n");
    };
    hooks.ended = [&](std::size_t i, const MadeEntry& made) {
        CompiledEntry e{shown[i], made.outcome};
        e.outcome.reason = ReasonText(made.step.why);
        streams.out(
            EntryLine(e, made.step, o.changed, streams.shows, SlotPrefix(made.slot, o.jobs)));
    };
    const MakeRunReport report = RunMake(plan, settings, hooks);
    // In the plan's order whatever the order they ended in.
    std::vector<CompiledEntry> results;
    for (const std::size_t i : plan.Order()) {
        CompiledEntry e{shown[i], {}};
        if (report.made[i]) {
            e.outcome = report.made[i]->outcome;
            e.outcome.reason = ReasonText(report.made[i]->step.why);
        } else {
            e.outcome.result = CompileResult::Stopped;
        }
        results.push_back(std::move(e));
    }
    times = {report.wallSeconds, report.compileSeconds};
    return results;
}

// The summary line and the report files; the exit status.
int Report(const std::vector<CompiledEntry>& results, const RunTimes& times, const Options& o,
           const std::wstring& vb, const ToolStreams& streams) {
    CompileCounts counts;
    for (const auto& e : results) counts.Add(e.outcome.result);
    std::wstring summary = std::to_wstring(counts.succeeded) + L" built, " +
                           std::to_wstring(counts.failed) + L" failed";
    if (counts.upToDate > 0) summary += L", " + std::to_wstring(counts.upToDate) + L" up to date";
    if (counts.notRun > 0)
        summary += L", " + std::to_wstring(counts.notRun) +
                   L" not run (a project they reference was not built)";
    if (counts.stopped > 0)
        summary += L", " + std::to_wstring(counts.stopped) +
                   L" not run (stopped at the first failure; --keep-going runs them)";
    streams.out(summary + L" in " + Seconds(times.wall) + L" (compiles " + Seconds(times.compiles) +
                L")\n");

    return WriteReports(results, o, vb, streams,
                        counts.failed + counts.notRun > 0 ? kMakeFailed : kMakeBuilt);
}

// The JUnit and JSON reports asked for; `status`, or a failure when one cannot be written.
int WriteReports(const std::vector<CompiledEntry>& results, const Options& o,
                 const std::wstring& vb, const ToolStreams& streams, int status) {
    if (!o.junit.empty() && !WriteReport(o.junit, JUnitReport(results, L"kinoha-make"))) {
        streams.err(L"kinoha-make: " + o.junit + L": the JUnit report cannot be written\n");
        status = kMakeFailed;
    }
    if (!o.json.empty()) {
        const std::string json = JsonReport(results, vb);
        if (o.json == L"-") {
            streams.bytesOut(json);
        } else if (!WriteReport(o.json, json)) {
            streams.err(L"kinoha-make: " + o.json + L": the JSON report cannot be written\n");
            status = kMakeFailed;
        }
    }
    return status;
}
}  // namespace

namespace {
int Make(const Options& o, const ToolStreams& streams, const ProcessRunner& run) {
    // The log's path goes to VB in quotes, as the output folder does.
    if (o.logDir.find(L'"') != std::wstring::npos) {
        streams.err(L"kinoha-make: --log-dir: a folder name holding \" cannot be given to VB\n");
        return kMakeUsage;
    }
    // A dry run starts nothing and needs no VB.
    const std::wstring vb = o.dryRun ? std::wstring() : FindVb(o, streams.err);
    if (!o.dryRun && vb.empty()) return kMakeUsage;
    std::vector<std::wstring> entries, shown;
    if (const auto status = Select(o, streams.err, entries, shown)) return *status;

    MakePlan plan(entries, entries, o.memory);
    if (!plan.Cycle().empty()) {
        streams.err(
            L"kinoha-make: the projects reference each other in a cycle, nothing "
            L"compiled: " +
            plan.Cycle() + L"\n");
        return kMakeFailed;
    }
    if (o.jobsCapped)
        streams.err(L"kinoha-make: at most " + std::to_wstring(kMaxJobs) +
                    L" compiles run at once\n");
    if (o.dryRun) return DryRun(plan, shown, o, streams);
    PrintOrder(plan, shown, nullptr, streams);
    RunTimes times;
    const std::vector<CompiledEntry> results = RunPlan(plan, shown, o, vb, run, streams, times);
    return Report(results, times, o, vb, streams);
}
}  // namespace

int RunMakeTool(const std::vector<std::wstring>& args, const ToolStreams& streams,
                const ProcessRunner& run) {
    Options o;
    bool help = false, version = false;
    if (const std::wstring problem = Parse(args, o, help, version); !problem.empty()) {
        streams.err(L"kinoha-make: " + problem + L"\n" + kUsage);
        return kMakeUsage;
    }
    // Output that cannot be written fails the run; with "--json -" standard output holds the
    // JSON alone and the lines for people go to standard error.
    bool lost = false;
    ToolStreams s = streams;
    const ToolWriter people = o.json == L"-" ? streams.err : streams.out;
    s.out = [&lost, people](const std::wstring& text) {
        const bool ok = !people || people(text);
        lost = lost || !ok;
        return ok;
    };
    s.bytesOut = [&lost, &streams](std::string_view bytes) {
        const bool ok = !streams.bytesOut || streams.bytesOut(bytes);
        lost = lost || !ok;
        return ok;
    };
    int status = kMakeBuilt;
    if (help || version) {
        s.out(help ? std::wstring(kUsage) : L"kinoha-make " + VersionText() + L"\n");
    } else {
        status = Make(o, s, run);
    }
    if (streams.finishOut && !streams.finishOut()) lost = true;
    if (lost) {
        streams.err(L"kinoha-make: standard output cannot be written; the output is incomplete\n");
        if (status == kMakeBuilt) status = kMakeFailed;
    }
    return status;
}

}  // namespace kinoha
