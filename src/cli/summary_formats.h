// The summary of a kinoha-step run in each --format. The _Step.csv reports are not touched here.
#pragma once

#include <initializer_list>
#include <string>

#include "cli/tool_result.h"

namespace kinoha {

// text: one line per counted project, then a total line when more than one project was counted.
std::wstring TextProjectLine(const ProjectStep& project, const std::wstring& here);
std::wstring TextTotalLine(const StepRun& run);
// The line before each report that --stdout prints when there are several: a report line never
// begins with "==> " and ends with " <==" (its last field is a date, "-" or the heading).
std::wstring ReportSeparator(const std::wstring& project, const std::wstring& here);

// csv: a header and one row per project (RFC 4180 quoting, lines ending in "\n" as the
// stream writes them; the counts are empty for a project
// that was not counted).
std::wstring CsvSummary(const StepRun& run, const std::wstring& here);
// markdown: a table of the projects with a total row, and a list of the problems.
std::wstring MarkdownSummary(const StepRun& run, const std::wstring& here);
// json: the whole run; the schema is src/cli/kinoha-step.schema.json. ASCII only (other
// characters as \u escapes), so it is the same bytes in any terminal code page.
std::wstring JsonSummary(const StepRun& run, const std::wstring& here);

// The cells of the summaries, for every summary the tool makes. RFC 4180 field; markdown text
// with its markup characters escaped; a table row; a JSON string of ASCII only.
std::wstring CsvField(std::wstring text);
std::wstring MarkdownText(const std::wstring& text);
std::wstring MarkdownRow(std::initializer_list<std::wstring> cells);
// The list under a markdown table: one line "- PATH: [FILE: ]reason" per problem of a project (the
// file named only when it is not the project itself), the first line after a blank one.
class MarkdownNotes {
  public:
    MarkdownNotes(std::wstring& out, const std::wstring& here) : out_(out), here_(here) {}
    void Problem(const std::wstring& project, const StepFailure& problem);
    void Note(const std::wstring& path, const std::wstring& text);

  private:
    void Line(const std::wstring& text);
    std::wstring& out_;
    const std::wstring& here_;
    bool any_ = false;
};
std::wstring JsonString(const std::wstring& text);

}  // namespace kinoha
