#include "cli/tool_options.h"

namespace kinoha {
namespace {

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
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        if (optionsEnd || a.empty() || a[0] != L'-' || a == L"-") {
            if (a.empty()) return L"an empty PATH names nothing";
            o.paths.push_back(a);
            continue;
        }
        const bool takesValue = a == L"--exclude" || a == L"--jobs" || a == L"--encoding" ||
                                a == L"--format" || a == L"--output";
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
            if (o.olderPath.empty() || o.newerPath.empty()) return L"an empty PATH names nothing";
        } else if (a == L"--stdout") {
            o.toStdout = true;
        } else if (a == L"--help" || a == L"-h") {
            o.help = true;
        } else if (a == L"--version") {
            o.version = true;
        } else if (a == L"--exclude") {
            o.exclusions.push_back(args[++i]);
        } else if (a == L"--jobs") {
            if (!ParseCount(args[++i], o.jobs)) return L"--jobs needs a whole number from 1";
        } else if (a == L"--encoding") {
            o.encoding = args[++i];
            if (o.encoding.empty()) return L"--encoding needs a name";
        } else if (a == L"--format") {
            if (!ParseFormat(args[++i], o.format))
                return L"--format needs text, csv, json or markdown";
            o.formatGiven = true;
        } else if (a == L"--output") {
            o.output = args[++i];
            if (o.output.empty()) return L"--output needs a file name";
        } else {
            return L"unknown option " + a;
        }
    }
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
