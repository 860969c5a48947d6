#include "compile/compile_entry.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/quoted_program.h"
#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "compile/compile_log.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

// A file as it was before the compile, to tell afterwards whether it was written meanwhile.
struct Watched {
    std::wstring path;
    bool existed = false;
    std::uint64_t stamp = 0;

    explicit Watched(std::wstring p) : path(std::move(p)) {
        existed = platform::FileWriteStamp(path, stamp);
    }
    bool Written() const {
        std::uint64_t now = 0;
        return platform::FileWriteStamp(path, now) && (!existed || now != stamp);
    }
};

CompileOutcome Failed(std::wstring why, const wchar_t* code) {
    CompileOutcome o;
    o.result = CompileResult::Failed;
    o.firstError = std::move(why);
    o.code = code;
    return o;
}

bool IsAsciiLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

std::wstring_view TrimBlanks(std::wstring_view v) {
    while (!v.empty() && v.front() == L' ') v.remove_prefix(1);
    while (!v.empty() && v.back() == L' ') v.remove_suffix(1);
    return v;
}

// A time limit for people: "30分", or "45秒" when it is no whole number of minutes.
std::wstring LimitText(std::chrono::seconds limit) {
    const auto s = limit.count();
    return s % 60 == 0 ? std::to_wstring(s / 60) + L"分" : std::to_wstring(s) + L"秒";
}

// The box's texts in one line for the reason: its text lines, then its buttons.
std::wstring DialogText(const ProcessOutcome& p) {
    std::wstring text;
    for (const auto& t : p.dialogTexts) {
        std::wstring line = t;
        for (wchar_t& c : line) {
            if (c == L'\r' || c == L'\n') c = L' ';
        }
        text += (text.empty() ? L"" : L" ") + line;
    }
    if (text.empty()) text = p.dialogTitle;
    std::wstring buttons;
    for (const auto& b : p.dialogButtons) buttons += (buttons.empty() ? L"" : L"／") + b;
    if (!buttons.empty()) text += L"［" + buttons + L"］";
    return text;
}
}  // namespace

std::wstring OutDirArgument(const std::wstring& outDir) {
    if (outDir.find(L'"') != std::wstring::npos) return {};
    std::wstring dir = outDir;
    // A backslash before the closing quote would make it a literal quote for the C runtime.
    while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    if (dir.size() == 2 && dir[1] == L':') dir += L"\\.";
    return dir;
}

std::optional<std::wstring> DefineItem(std::wstring_view item, bool blanks) {
    const auto eq = item.find(L'=');
    if (eq == std::wstring_view::npos) return std::nullopt;
    std::wstring_view name = item.substr(0, eq), value = item.substr(eq + 1);
    if (blanks) {
        name = TrimBlanks(name);
        value = TrimBlanks(value);
    }
    if (name.empty() || name.size() > 255 || !IsAsciiLetter(name[0])) return std::nullopt;
    for (const wchar_t c : name) {
        if (!IsAsciiLetter(c) && !(c >= L'0' && c <= L'9') && c != L'_') return std::nullopt;
    }
    std::wstring_view digits = value;
    if (!digits.empty() && digits[0] == L'-') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 10) return std::nullopt;
    std::int64_t n = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        n = n * 10 + (c - L'0');
    }
    if (n > 2147483648LL || (n == 2147483648LL && value[0] != L'-')) return std::nullopt;
    return std::wstring(name) + L"=" + std::wstring(value);
}

std::optional<std::wstring> DefineList(std::wstring_view text) {
    std::wstring joined;
    if (TrimBlanks(text).empty()) return joined;
    for (;;) {
        const auto colon = text.find(L':');
        const auto item = DefineItem(text.substr(0, colon), true);
        if (!item) return std::nullopt;
        joined += (joined.empty() ? L"" : L":") + *item;
        if (colon == std::wstring_view::npos) return joined;
        text.remove_prefix(colon + 1);
    }
}

std::wstring CompileCommandLine(const std::wstring& vbMain, const std::wstring& path,
                                const std::wstring& outDir, const std::wstring& logPath,
                                const std::wstring& defines) {
    std::wstring line = QuotedProgram(vbMain) + L" /make \"" + path + L"\"";
    if (!outDir.empty()) line += L" /outdir \"" + outDir + L"\"";
    if (!logPath.empty()) line += L" /out \"" + logPath + L"\"";
    if (!defines.empty()) line += L" /d " + defines;
    return line;
}

ProcessOutcome RunProcess(const std::wstring& commandLine, const platform::SupervisedRun& how) {
    return platform::RunSupervised(commandLine, how);
}

CompileOutcome CompileEntry(const CompileSettings& settings, const CompileTarget& target,
                            const std::wstring& logPath) {
    const std::wstring& entry = target.entry;
    const std::wstring& vbMain = settings.vbMain;
    const auto start = std::chrono::steady_clock::now();
    const auto finish = [&](CompileOutcome o) {
        o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return o;
    };

    if (entry.find(L'"') != std::wstring::npos)
        return finish(
            Failed(L"ファイル名に「\"」が含まれているため、コンパイルしません", L"quote-in-path"));
    const std::wstring& rawOutDir = target.outDir;
    const std::wstring outDir = OutDirArgument(rawOutDir);
    if (!rawOutDir.empty() && outDir.empty())
        return finish(
            Failed(L"出力先フォルダ名に「\"」が含まれているため、コンパイルしません：" + rawOutDir,
                   L"quote-in-outdir"));
    if (logPath.empty())
        return finish(Failed(L"ログファイルを置くフォルダを作れないため、コンパイルしません",
                             L"no-log-folder"));
    // The log's path goes to VB in quotes: a quote in it would hand VB other arguments.
    if (logPath.find(L'"') != std::wstring::npos)
        return finish(
            Failed(L"ログファイルのパスに「\"」が含まれているため、コンパイルしません：" + logPath,
                   L"quote-in-log"));
    if (!FileExists(vbMain) && !platform::LookupFile(vbMain))
        return finish(Failed(L"ＶＢ本体がありません：" + vbMain, L"no-vb"));
    // The defines reach the command line only as checked constants.
    const auto defines = DefineList(settings.defines);
    if (!defines)
        return finish(Failed(L"条件付きコンパイル引数が正しくありません：" + settings.defines,
                             L"bad-defines"));

    // A file that VB5 needed rewritten and did not get is compiled without /outdir.
    const bool prepared = PrepareProjectForVb(entry, vbMain);
    // VB's /outdir must name a folder that exists.
    if (prepared && !outDir.empty() && !platform::EnsureDirectory(rawOutDir))
        return finish(Failed(L"出力先フォルダを作れないため、コンパイルしません：" + rawOutDir,
                             L"outdir-failed"));
    std::vector<Watched> outputs;
    for (const auto& path : target.outputs) outputs.emplace_back(path);
    const Watched log(logPath);

    platform::SupervisedRun how;
    how.timeLimit = settings.timeLimit;
    how.endOnDialog = true;
    // VB started by a service or CI agent would otherwise ask for elevation.
    how.environment = {{L"__COMPAT_LAYER", L"RunAsInvoker"}};
    const ProcessOutcome process = settings.run(
        CompileCommandLine(vbMain, entry, prepared ? outDir : std::wstring(), logPath, *defines),
        how);

    CompileOutcome o;
    o.logPath = logPath;
    using How = platform::SupervisedEnd::How;
    switch (process.how) {
        case How::NotStarted:
            o.logPath.clear();
            return finish(Failed(L"ＶＢ本体を起動できませんでした：" + process.errorText +
                                     L"（エラー " + std::to_wstring(process.error) + L"）",
                                 L"not-started"));
        case How::Dialog: {
            CompileOutcome d =
                Failed(L"ＶＢがダイアログを表示しました：" + DialogText(process), L"dialog");
            d.logPath = logPath;
            if (!process.dialogTitle.empty()) d.errorLines.push_back(process.dialogTitle);
            for (const auto& t : process.dialogTexts) d.errorLines.push_back(t);
            return finish(std::move(d));
        }
        case How::TimedOut: {
            CompileOutcome t =
                Failed(L"時間切れ（" + LimitText(settings.timeLimit) + L"）", L"timeout");
            t.logPath = logPath;
            return finish(std::move(t));
        }
        case How::Lost:
            o.logPath.clear();
            return finish(Failed(L"ＶＢ本体の終了を待てませんでした", L"lost"));
        case How::Exited:
            break;
    }

    struct Reason {
        std::wstring text;
        const wchar_t* code;
    };
    std::vector<Reason> reasons;
    if (process.exitCode != 0)
        reasons.push_back(
            {L"ＶＢ本体が終了コード " + std::to_wstring(process.exitCode) + L" で終了しました",
             L"exit-code"});
    bool outputsWritten = !outputs.empty();
    for (const auto& out : outputs) {
        if (!out.Written()) {
            reasons.push_back(
                {L"出力ファイルが作成されていません：" + out.path, L"no-output-written"});
            outputsWritten = false;
            break;
        }
    }
    std::vector<std::wstring> firstLines;  // VB's words when the log holds no verdict
    std::optional<Reason> logReason;
    if (!log.Written()) {
        logReason = Reason{L"ＶＢ本体がログを出力しませんでした", L"no-log"};
    } else {
        CompileLogReading reading = ReadCompileLog(logPath, kMaxErrorLines);
        o.errorLines = std::move(reading.errorLines);
        if (reading.succeeded == 0 && reading.failureLine.empty())
            firstLines = std::move(reading.firstLines);
        if (!reading.read) {
            logReason = Reason{L"ログを読めませんでした", L"log-unreadable"};
        } else if (!reading.failureLine.empty()) {
            logReason = Reason{reading.failureLine, L"build-failed"};
        } else if (!o.errorLines.empty()) {
            logReason = Reason{o.errorLines.front(), L"compile-error"};
        } else if (reading.succeeded == 0 && !(process.exitCode == 0 && outputsWritten)) {
            // No verdict in any words this reading knows: it built only when every sign says so.
            logReason = Reason{L"ログにビルド成功の行がありません", L"no-verdict"};
        }
    }
    // In the order of the signals: the exit code, the log, the output.
    if (logReason) reasons.insert(reasons.begin() + (process.exitCode != 0 ? 1 : 0), *logReason);
    if (reasons.empty() && o.errorLines.empty()) {
        o.result = CompileResult::Succeeded;
        o.code = L"built";
    } else {
        o.result = CompileResult::Failed;
        // VB's own words say most: its first error line, or its first lines when there is none.
        if (o.errorLines.empty()) o.errorLines = std::move(firstLines);
        o.firstError = !o.errorLines.empty() ? o.errorLines.front() : reasons.front().text;
        o.code = reasons.empty() ? L"compile-error" : reasons.front().code;
    }
    return finish(std::move(o));
}

}  // namespace kinoha
