#include "compile/compile_result.h"

#include <cmath>
#include <cstdio>

namespace kinoha {

const wchar_t* ResultLabel(CompileResult result) {
    switch (result) {
        case CompileResult::Succeeded:
            return L"成功";
        case CompileResult::Failed:
            return L"失敗";
        case CompileResult::UpToDate:
            return L"最新";
        case CompileResult::NotRun:
            return L"未実行";
        case CompileResult::Stopped:
            break;
    }
    return L"中止";
}

void CompileCounts::Add(CompileResult result) {
    switch (result) {
        case CompileResult::Succeeded:
            ++succeeded;
            break;
        case CompileResult::Failed:
            ++failed;
            break;
        case CompileResult::Stopped:
            ++stopped;
            break;
        case CompileResult::UpToDate:
            ++upToDate;
            break;
        case CompileResult::NotRun:
            ++notRun;
            break;
    }
}

std::wstring CompileEndStatus(bool stopped, const CompileCounts& counts) {
    std::wstring text = stopped ? L"コンパイル中止：" : L"コンパイル終了：";
    text +=
        L"成功 " + std::to_wstring(counts.succeeded) + L"／失敗 " + std::to_wstring(counts.failed);
    if (counts.upToDate > 0) text += L"／最新 " + std::to_wstring(counts.upToDate);
    if (counts.notRun > 0) text += L"／未実行 " + std::to_wstring(counts.notRun);
    if (stopped) text += L"／中止 " + std::to_wstring(counts.stopped);
    return text;
}

std::wstring SecondsText(double seconds) {
    if (!(seconds >= 0)) seconds = 0;
    const long tenths = std::lround(seconds * 10);
    wchar_t buf[48];
    if (tenths < 600) {
        std::swprintf(buf, 48, L"%ld.%ld秒", tenths / 10, tenths % 10);
    } else {
        const long whole = tenths / 10;
        std::swprintf(buf, 48, L"%ld分%02ld秒", whole / 60, whole % 60);
    }
    return buf;
}

}  // namespace kinoha
