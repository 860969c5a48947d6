#include "cli/tool_options.h"

#include "cli/option_parser.h"

namespace kinoha {
namespace {

bool ParseFormat(const std::wstring& text, OutputFormat& format) {
    static constexpr struct {
        const wchar_t* name;
        OutputFormat format;
    } kFormats[] = {{L"text", OutputFormat::Text},
                    {L"csv", OutputFormat::Csv},
                    {L"json", OutputFormat::Json},
                    {L"markdown", OutputFormat::Markdown}};
    for (const auto& f : kFormats) {
        if (text == f.name) {
            format = f.format;
            return true;
        }
    }
    return false;
}

// Upper-cased ASCII with "-" and "_" dropped, for comparing encoding names.
std::string Folded(const std::wstring& name) {
    std::string out;
    for (const wchar_t c : name) {
        if (c == L'-' || c == L'_') continue;
        if (c >= 0x80) return {};
        out += static_cast<char>(c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c);
    }
    return out;
}

}  // namespace

const wchar_t* const kToolUsage =
    L"usage: kinoha-step [options] PATH...\n"
    L"       kinoha-step [options] --diff OLD NEW\n"
    L"  PATH           a project file (.vbp); a group file (.vbg), split into its projects;\n"
    L"                 or a directory, searched for .vbg and .vbp files, groups split\n"
    L"  --diff OLD NEW count the steps added, changed and deleted from OLD to NEW: two\n"
    L"                 versions of a project file, or two trees whose projects are paired\n"
    L"                 by their path in the tree; writes <project>_StepDiff.csv beside\n"
    L"                 each project of NEW\n"
    L"  --under        a statement continued with \"_\" counts once\n"
    L"  --count-controls  count user controls (.ctl) and property pages (.pag) too\n"
    L"  --vb-comments  a comment is what VB takes for one: \"'\" or the word Rem in any\n"
    L"                 case, after leading blanks and tabs\n"
    L"  --stdout       print each report to standard output instead of writing the\n"
    L"                 _Step.csv files (a line \"==> PATH <==\" before each when there\n"
    L"                 are several)\n"
    L"  --format F     the summary as text (default), csv, json or markdown\n"
    L"  --output FILE  write the summary to FILE (UTF-8) instead of standard output\n"
    L"  --exclude S    leave out projects whose path contains S (repeatable)\n"
    L"  --jobs N       count this many files at once (default: the number of cores)\n"
    L"  --encoding E   code page of the files (default: the ANSI code page on Windows,\n"
    L"                 CP932 elsewhere; SJIS, Shift_JIS, MS932 and Windows-31J are CP932)\n"
    L"  --help, --version\n";

std::wstring ParseToolOptions(const std::vector<std::wstring>& args, ToolOptions& o) {
    const auto flag = [](bool& value) {
        return [&value](const std::vector<std::wstring>&) {
            value = true;
            return std::wstring();
        };
    };
    const std::vector<OptionRule> rules{
        {{L"--under"}, 0, flag(o.counting.under)},
        {{L"--count-controls"}, 0, flag(o.counting.countControls)},
        {{L"--vb-comments"}, 0, flag(o.counting.vbComments)},
        {{L"--stdout"}, 0, flag(o.toStdout)},
        {{L"--help", L"-h"}, 0, flag(o.help)},
        {{L"--version"}, 0, flag(o.version)},
        {{L"--diff"},
         2,
         [&](const std::vector<std::wstring>& v) -> std::wstring {
             if (o.diff) return L"--diff given twice";
             o.diff = true;
             o.olderPath = v[0];
             o.newerPath = v[1];
             if (o.olderPath.empty() || o.newerPath.empty()) return L"an empty PATH names nothing";
             return {};
         },
         L"--diff needs OLD and NEW"},
        {{L"--exclude"},
         1,
         [&](const std::vector<std::wstring>& v) {
             o.exclusions.push_back(v[0]);
             return std::wstring();
         }},
        {{L"--jobs"},
         1,
         [&](const std::vector<std::wstring>& v) {
             return ParseWholeNumber(v[0], 4, o.jobs) && o.jobs != 0
                        ? std::wstring()
                        : std::wstring(L"--jobs needs a whole number from 1");
         }},
        {{L"--encoding"},
         1,
         [&](const std::vector<std::wstring>& v) {
             o.encoding = v[0];
             return o.encoding.empty() ? std::wstring(L"--encoding needs a name") : std::wstring();
         }},
        {{L"--format"},
         1,
         [&](const std::vector<std::wstring>& v) {
             o.formatGiven = true;
             return ParseFormat(v[0], o.format)
                        ? std::wstring()
                        : std::wstring(L"--format needs text, csv, json or markdown");
         }},
        {{L"--output"},
         1,
         [&](const std::vector<std::wstring>& v) {
             o.output = v[0];
             return o.output.empty() ? std::wstring(L"--output needs a file name") : std::wstring();
         }},
    };
    if (std::wstring problem = ParseArguments(args, rules, o.paths, L"an empty PATH names nothing");
        !problem.empty())
        return problem;
    if (o.help || o.version) return {};
    if (o.diff && !o.paths.empty()) return L"--diff takes no other PATH";
    if (!o.diff && o.paths.empty()) return L"no PATH given";
    if (o.toStdout && o.formatGiven && o.output.empty())
        return L"--stdout prints the reports; give --output FILE for the --format summary";
    return {};
}

std::string CodePageName(const std::wstring& encoding) {
    const std::string folded = Folded(encoding);
    for (const char* name : {"SJIS", "SHIFTJIS", "MS932", "WINDOWS31J", "CP932", "XSJIS"}) {
        if (folded == name) return "CP932";
    }
    std::string name;
    for (const wchar_t c : encoding) name += static_cast<char>(c < 0x80 ? c : '?');
    return name;
}

}  // namespace kinoha
