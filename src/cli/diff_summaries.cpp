#include "cli/diff_summaries.h"

#include "cli/shown_text.h"
#include "cli/summary_formats.h"

namespace kinoha {
namespace {

std::wstring N(std::int64_t v) {
    return std::to_wstring(v);
}

const wchar_t* State(const ProjectDiff& p) {
    if (!p.compared) return L"failed";
    return p.older.empty() ? L"new" : L"compared";
}

// The sums over the projects compared.
struct Sums {
    std::size_t projects = 0;
    std::size_t states[4] = {};
    MemberDiff diff;
};

Sums Sum(const DiffRun& run) {
    Sums s;
    for (const auto& p : run.projects) {
        if (!p.compared) continue;
        ++s.projects;
        for (int i = 0; i < 4; ++i) s.states[i] += p.states[i];
        s.diff += p.totals;
    }
    return s;
}

std::wstring Changes(const wchar_t* name, const ClassDiff& c) {
    return std::wstring(L", ") + name + L" +" + N(c.added) + L" ~" + N(c.changed) + L" -" +
           N(c.deleted);
}

std::wstring Text(const std::size_t (&states)[4], const MemberDiff& d) {
    return L"members added " + std::to_wstring(states[0]) + L", deleted " +
           std::to_wstring(states[1]) + L", changed " + std::to_wstring(states[2]) +
           L", unchanged " + std::to_wstring(states[3]) + Changes(L"screen", d.screen) +
           Changes(L"code", d.code) + Changes(L"comment", d.comment);
}

std::wstring Cell(const ClassDiff& c) {
    return L"+" + N(c.added) + L" ~" + N(c.changed) + L" -" + N(c.deleted);
}

std::wstring Json(const ClassDiff& c) {
    return L"{\"added\": " + N(c.added) + L", \"changed\": " + N(c.changed) + L", \"deleted\": " +
           N(c.deleted) + L"}";
}

std::wstring JsonPath(const std::wstring& path, const std::wstring& here) {
    return path.empty() ? L"null" : JsonString(PortablePath(path, here));
}

}  // namespace

std::wstring DiffTextLine(const ProjectDiff& p, const std::wstring& here) {
    return ShownPath(p.path, here) + (p.older.empty() ? L" (no older version)" : L"") + L": " +
           Text(p.states, p.totals) + L"\n";
}

std::wstring DiffTextTotal(const DiffRun& run) {
    const Sums s = Sum(run);
    return L"total of " + std::to_wstring(s.projects) + L" projects: " + Text(s.states, s.diff) +
           L"\n";
}

std::wstring DiffCsvSummary(const DiffRun& run, const std::wstring& here) {
    std::wstring out =
        L"project,older,state,members_added,members_deleted,members_changed,members_unchanged,"
        L"screen_added,screen_changed,screen_deleted,code_added,code_changed,code_deleted,"
        L"comment_added,comment_changed,comment_deleted\n";
    for (const auto& p : run.projects) {
        out += CsvField(EscapeControls(PortablePath(p.path, here))) + L"," +
               (p.older.empty() ? L"" : CsvField(EscapeControls(PortablePath(p.older, here)))) +
               L"," + State(p);
        if (p.compared) {
            for (const std::size_t n : p.states) out += L"," + std::to_wstring(n);
            for (const ClassDiff* c : {&p.totals.screen, &p.totals.code, &p.totals.comment})
                out += L"," + N(c->added) + L"," + N(c->changed) + L"," + N(c->deleted);
        } else {
            out += std::wstring(13, L',');
        }
        out += L"\n";
    }
    for (const auto& gone : run.olderOnly)
        out += L"," + CsvField(EscapeControls(PortablePath(gone, here))) + L",older only" +
               std::wstring(13, L',') + L"\n";
    return out;
}

std::wstring DiffMarkdownSummary(const DiffRun& run, const std::wstring& here) {
    std::wstring out = MarkdownRow(
        {L"プロジェクト", L"新規", L"削除", L"変更", L"同一", L"画面部", L"コード部", L"コメント"});
    out += L"|---|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const auto& p : run.projects) {
        std::wstring name = MarkdownText(PortablePath(p.path, here));
        if (!p.compared) {
            out += MarkdownRow({name + L" (算出失敗)", L"", L"", L"", L"", L"", L"", L""});
            continue;
        }
        if (p.older.empty()) name += L" (旧バージョン無し)";
        out += MarkdownRow({name, std::to_wstring(p.states[0]), std::to_wstring(p.states[1]),
                            std::to_wstring(p.states[2]), std::to_wstring(p.states[3]),
                            Cell(p.totals.screen), Cell(p.totals.code), Cell(p.totals.comment)});
    }
    const Sums s = Sum(run);
    out += MarkdownRow({L"**合計** (" + std::to_wstring(s.projects) + L" プロジェクト)",
                        std::to_wstring(s.states[0]), std::to_wstring(s.states[1]),
                        std::to_wstring(s.states[2]), std::to_wstring(s.states[3]),
                        Cell(s.diff.screen), Cell(s.diff.code), Cell(s.diff.comment)});
    MarkdownNotes notes(out, here);
    for (const auto& p : run.projects) {
        for (const auto& problem : p.problems) notes.Problem(p.path, problem);
    }
    for (const auto& gone : run.olderOnly) notes.Note(gone, L"新バージョンに無し");
    return out;
}

std::wstring DiffJsonSummary(const DiffRun& run, const std::wstring& here) {
    std::wstring out = L"{\n  \"projects\": [";
    for (std::size_t i = 0; i < run.projects.size(); ++i) {
        const ProjectDiff& p = run.projects[i];
        out += (i == 0 ? L"\n" : L",\n");
        out += L"    {\"path\": " + JsonPath(p.path, here) + L", \"older\": " +
               JsonPath(p.older, here) + L", \"state\": \"" + State(p) + L"\", \"report\": " +
               JsonPath(p.report, here);
        if (p.compared) {
            out += L",\n     \"members\": {\"added\": " + std::to_wstring(p.states[0]) +
                   L", \"deleted\": " + std::to_wstring(p.states[1]) + L", \"changed\": " +
                   std::to_wstring(p.states[2]) + L", \"unchanged\": " +
                   std::to_wstring(p.states[3]) + L"},\n     \"screen\": " + Json(p.totals.screen) +
                   L", \"code\": " + Json(p.totals.code) + L", \"comment\": " +
                   Json(p.totals.comment);
        }
        out += L",\n     \"problems\": [";
        for (std::size_t k = 0; k < p.problems.size(); ++k)
            out += (k == 0 ? L"" : L", ") + std::wstring(L"{\"file\": ") +
                   JsonPath(p.problems[k].file, here) + L", \"reason\": " +
                   JsonString(p.problems[k].reason) + L"}";
        out += L"]}";
    }
    out += run.projects.empty() ? L"]" : L"\n  ]";
    out += L",\n  \"olderOnly\": [";
    for (std::size_t i = 0; i < run.olderOnly.size(); ++i)
        out += (i == 0 ? L"" : L", ") + JsonPath(run.olderOnly[i], here);
    const Sums s = Sum(run);
    out += L"],\n  \"total\": {\"projects\": " + std::to_wstring(run.projects.size()) +
           L", \"compared\": " + std::to_wstring(s.projects) + L", \"screen\": " +
           Json(s.diff.screen) + L", \"code\": " + Json(s.diff.code) + L", \"comment\": " +
           Json(s.diff.comment) + L"},\n  \"exitStatus\": " + std::to_wstring(run.status) +
           L"\n}\n";
    return out;
}

}  // namespace kinoha
