#include "compile/compile_entry.h"

#include <chrono>
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

CompileOutcome Failed(std::wstring why) {
    CompileOutcome o;
    o.result = CompileResult::Failed;
    o.firstError = std::move(why);
    return o;
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

std::wstring CompileCommandLine(const std::wstring& vbMain, const std::wstring& path,
                                const std::wstring& outDir, const std::wstring& logPath) {
    std::wstring line = QuotedProgram(vbMain) + L" /make \"" + path + L"\"";
    if (!outDir.empty()) line += L" /outdir \"" + outDir + L"\"";
    if (!logPath.empty()) line += L" /out \"" + logPath + L"\"";
    return line;
}

ProcessOutcome RunProcess(const std::wstring& commandLine) {
    ProcessOutcome o;
    o.started = platform::RunCommandLineAndWait(commandLine, &o.exitCode);
    return o;
}

CompileOutcome CompileEntry(const std::wstring& vbMain, const CompileTarget& target,
                            const std::wstring& logPath, const ProcessRunner& run) {
    const std::wstring& entry = target.entry;
    const auto start = std::chrono::steady_clock::now();
    const auto finish = [&](CompileOutcome o) {
        o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return o;
    };

    if (entry.find(L'"') != std::wstring::npos)
        return finish(Failed(L"ファイル名に「\"」が含まれているため、コンパイルしません"));
    const std::wstring& rawOutDir = target.outDir;
    const std::wstring outDir = OutDirArgument(rawOutDir);
    if (!rawOutDir.empty() && outDir.empty())
        return finish(Failed(L"出力先フォルダ名に「\"」が含まれているため、コンパイルしません：" +
                             rawOutDir));
    if (logPath.empty())
        return finish(Failed(L"ログファイルを置くフォルダを作れないため、コンパイルしません"));
    if (!FileExists(vbMain) && !platform::LookupFile(vbMain))
        return finish(Failed(L"ＶＢ本体がありません：" + vbMain));

    // A file that VB5 needed rewritten and did not get is compiled without /outdir.
    const bool prepared = PrepareProjectForVb(entry, vbMain);
    std::vector<Watched> outputs;
    for (const auto& path : target.outputs) outputs.emplace_back(path);
    const Watched log(logPath);

    const ProcessOutcome process =
        run(CompileCommandLine(vbMain, entry, prepared ? outDir : std::wstring(), logPath));

    CompileOutcome o;
    o.logPath = logPath;
    std::vector<std::wstring> reasons;
    if (!process.started) reasons.push_back(L"ＶＢ本体を起動できませんでした");
    if (process.started && process.exitCode != 0)
        reasons.push_back(L"ＶＢ本体が終了コード " + std::to_wstring(process.exitCode) +
                          L" で終了しました");
    if (process.started) {
        if (!log.Written()) {
            reasons.push_back(L"ＶＢ本体がログを書きませんでした");
        } else {
            CompileLogReading reading = ReadCompileLog(logPath, kMaxErrorLines);
            o.errorLines = std::move(reading.errorLines);
            if (!reading.read) {
                reasons.push_back(L"ログを読めませんでした");
            } else if (!reading.failureLine.empty()) {
                reasons.push_back(reading.failureLine);
            } else if (!o.errorLines.empty()) {
                reasons.push_back(o.errorLines.front());
            } else if (reading.succeeded == 0) {
                reasons.push_back(L"ログにビルド成功の行がありません");
            }
        }
        for (const auto& out : outputs) {
            if (!out.Written()) {
                reasons.push_back(L"出力ファイルが書かれていません：" + out.path);
                break;
            }
        }
    }
    if (reasons.empty() && o.errorLines.empty()) {
        o.result = CompileResult::Succeeded;
    } else {
        o.result = CompileResult::Failed;
        // VB's own first error line says most; the other signals say why without one.
        o.firstError = !o.errorLines.empty() ? o.errorLines.front() : reasons.front();
    }
    return finish(std::move(o));
}

}  // namespace kinoha
