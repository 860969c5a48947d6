// The text, csv and markdown summaries.
#include "cli/shown_text.h"
#include "cli/summary_formats.h"

namespace kinoha {
namespace {

std::wstring Counts(std::size_t members, const MemberCounts& c) {
    return L"members " + std::to_wstring(members) + L", screen " + std::to_wstring(c.screen) +
           L", code " + std::to_wstring(c.code) + L", comment " + std::to_wstring(c.comment) +
           L", blank " + std::to_wstring(c.blank);
}

bool WasCounted(const ProjectStep& p) {
    return p.state != ProjectState::Failed;
}

}  // namespace

// RFC 4180: quoted when it holds a comma, a quote or a line break; a leading = + - @ gets an
// apostrophe, so that a spreadsheet does not take the cell for a formula.
std::wstring CsvField(std::wstring text) {
    if (!text.empty() && (text[0] == L'=' || text[0] == L'+' || text[0] == L'-' || text[0] == L'@'))
        text.insert(0, 1, L'\'');
    if (text.find_first_of(L",\"\r\n") == std::wstring::npos) return text;
    std::wstring out = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"') out += L'"';
        out += c;
    }
    return out + L"\"";
}

// Text in a table cell: characters that markdown would take for markup are escaped, control
// characters shown as "\xHH".
std::wstring MarkdownText(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : EscapeControls(text)) {
        if (std::wstring_view(L"\\`*_[]<>|#!~").find(c) != std::wstring_view::npos) out += L'\\';
        out += c;
    }
    return out;
}

std::wstring MarkdownRow(std::initializer_list<std::wstring> cells) {
    std::wstring row = L"|";
    for (const auto& cell : cells) row += L" " + cell + L" |";
    return row + L"\n";
}

void MarkdownNotes::Line(const std::wstring& text) {
    if (!any_) out_ += L"\n";
    any_ = true;
    out_ += L"- " + text + L"\n";
}

void MarkdownNotes::Problem(const std::wstring& project, const StepFailure& problem) {
    std::wstring text = MarkdownText(PortablePath(project, here_)) + L": ";
    if (!problem.file.empty() && problem.file != project)
        text += MarkdownText(PortablePath(problem.file, here_)) + L": ";
    Line(text + MarkdownText(problem.reason));
}

void MarkdownNotes::Note(const std::wstring& path, const std::wstring& text) {
    Line(MarkdownText(PortablePath(path, here_)) + L": " + text);
}

std::wstring TextProjectLine(const ProjectStep& project, const std::wstring& here) {
    return ShownPath(project.path, here) + L": " + Counts(project.memberCount, project.totals) +
           L"\n";
}

std::wstring TextTotalLine(const StepRun& run) {
    const RunTotals s = CountedTotals(run);
    return L"total of " + std::to_wstring(s.projects) + L" projects: " +
           Counts(s.members, s.counts) + L"\n";
}

std::wstring ReportSeparator(const std::wstring& project, const std::wstring& here) {
    return L"==> " + ShownPath(project, here) + L" <==\n";
}

std::wstring CsvSummary(const StepRun& run, const std::wstring& here) {
    std::wstring out = L"project,state,members,screen,code,comment,blank\n";
    for (const auto& p : run.projects) {
        out += CsvField(EscapeControls(PortablePath(p.path, here))) + L"," + StateName(p.state);
        if (WasCounted(p)) {
            out += L"," + std::to_wstring(p.memberCount) + L"," + std::to_wstring(p.totals.screen) +
                   L"," + std::to_wstring(p.totals.code) + L"," +
                   std::to_wstring(p.totals.comment) + L"," + std::to_wstring(p.totals.blank);
        } else {
            out += L",,,,,";
        }
        out += L"\n";
    }
    return out;
}

std::wstring MarkdownSummary(const StepRun& run, const std::wstring& here) {
    std::wstring out = MarkdownRow(
        {L"プロジェクト", L"メンバー", L"画面部", L"コード部", L"コメント", L"ブランク"});
    out += L"|---|---:|---:|---:|---:|---:|\n";
    for (const auto& p : run.projects) {
        const std::wstring name = MarkdownText(PortablePath(p.path, here));
        if (!WasCounted(p)) {
            out += MarkdownRow({name + L" (算出失敗)", L"", L"", L"", L"", L""});
            continue;
        }
        out += MarkdownRow({p.state == ProjectState::Warned ? name + L" (警告あり)" : name,
                            std::to_wstring(p.memberCount), std::to_wstring(p.totals.screen),
                            std::to_wstring(p.totals.code), std::to_wstring(p.totals.comment),
                            std::to_wstring(p.totals.blank)});
    }
    const RunTotals s = CountedTotals(run);
    out += MarkdownRow({L"**合計** (" + std::to_wstring(s.projects) + L" プロジェクト)",
                        std::to_wstring(s.members), std::to_wstring(s.counts.screen),
                        std::to_wstring(s.counts.code), std::to_wstring(s.counts.comment),
                        std::to_wstring(s.counts.blank)});
    MarkdownNotes notes(out, here);
    for (const auto& p : run.projects) {
        for (const auto& problem : p.problems) notes.Problem(p.path, problem);
    }
    for (const auto& dir : run.unreadableDirectories) notes.Note(dir, kUnreadableDirectory);
    return out;
}

}  // namespace kinoha
