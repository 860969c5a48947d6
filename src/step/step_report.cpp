#include "step/step_report.h"

#include <atomic>
#include <cstdint>
#include <limits>

#include "app/text_helpers.h"
#include "step/line_count.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

constexpr const wchar_t* kHeader = L"名前,種別,画面部,コード部,コメント,ブランク,更新日付";

struct Member {
    MemberKind kind = MemberKind::Form;
    const std::wstring* entry = nullptr;
    CountResult result = CountResult::CannotRead;
    MemberCounts counts;
    bool dated = false;
    platform::LocalDateTime date;
};

void Count(Member& m, const CountOptions& counting) {
    if (*m.entry == kFailedMemberEntry) return;  // its file could not be read for its name
    const std::wstring path = MemberEntryPath(*m.entry);
    if (HoldsNul(path)) return;  // the system would read the file named by the part before it
    m.result = CountMemberLines(m.kind, path, counting, m.counts);
    if (m.result == CountResult::Counted) m.dated = platform::FileModifiedLocal(path, m.date);
}

// The member file; empty for a form-like member whose file gave no name.
std::wstring PathOf(const Member& m) {
    return *m.entry == kFailedMemberEntry ? std::wstring() : MemberEntryPath(*m.entry);
}

// Why the member was not counted, or null.
const wchar_t* FailureOf(const Member& m) {
    if (*m.entry == kFailedMemberEntry)
        return L"a form, user document or designer file could not be read for its name";
    if (HoldsNul(PathOf(m))) return L"the member's file name holds a NUL character";
    if (m.result == CountResult::CannotRead) return L"the member file cannot be opened or read";
    if (m.result == CountResult::Empty) return L"the member file is empty";
    if (!m.dated) return L"the member file's date cannot be read";
    return nullptr;
}

void ListMembers(const std::vector<Member>& list, std::size_t firstFailure,
                 std::vector<MemberStep>& out) {
    out.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Member& m = list[i];
        MemberStep step;
        step.kind = m.kind;
        step.name = MemberEntryName(*m.entry);
        step.file = PathOf(m);
        if (i > firstFailure) {
            step.failure = L"not counted: the count stopped at an earlier member";
        } else if (const wchar_t* why = FailureOf(m)) {
            step.failure = why;
        } else {
            step.counts = m.counts;
            step.counted = true;
            step.date = m.date;
        }
        out.push_back(std::move(step));
    }
}

void Two(std::wstring& s, int v) {
    s += static_cast<wchar_t>(L'0' + (v / 10) % 10);
    s += static_cast<wchar_t>(L'0' + v % 10);
}

bool Fail(StepFailure* failure, std::wstring file, std::wstring reason) {
    if (failure != nullptr) *failure = {std::move(file), std::move(reason)};
    return false;
}

}  // namespace

bool StepReportPath(const std::wstring& projectPath, std::wstring& reportPath) {
    const std::int32_t p = FindUpper(projectPath, L".VBP");
    if (p == 0) return false;
    reportPath = projectPath.substr(0, static_cast<std::size_t>(p - 1)) + L"_Step.csv";
    return true;
}

std::wstring FormatStepDate(const platform::LocalDateTime& t) {
    std::wstring s = std::to_wstring(t.year);
    if (s.size() < 4) s.insert(0, 4 - s.size(), L'0');
    s += L'/';
    Two(s, t.month);
    s += L'/';
    Two(s, t.day);
    s += L' ';
    Two(s, t.hour);
    s += L':';
    Two(s, t.minute);
    return s;
}

std::string StepReportBytes(const std::vector<std::wstring>& lstStep) {
    std::wstring text;
    for (const auto& line : lstStep) {
        text += line;
        text += L"\r\n";
    }
    return platform::EncodeAnsi(text);
}

bool CountProjectSteps(const std::wstring& projectPath, const MemberLists& members,
                       std::vector<std::wstring>& lstStep, const StepCountOptions& options) {
    lstStep.clear();
    lstStep.emplace_back(kHeader);

    std::vector<Member> list;
    list.reserve(members.Count());
    for (const auto& [entries, kind] : ReportOrder(members)) {
        for (const auto& entry : *entries) {
            Member m;
            m.kind = kind;
            m.entry = &entry;
            list.push_back(m);
        }
    }

    // Count side by side; a member after the first failure in list order is not needed, and on
    // one thread is not even read, as the count ends there.
    std::atomic<std::size_t> firstFailure{list.size()};
    ForEachMember(options.workers, list.size(), [&](std::size_t i) {
        if (i > firstFailure.load()) return;
        Count(list[i], options.counting);
        if (list[i].result != CountResult::Counted || !list[i].dated) {
            std::size_t seen = firstFailure.load();
            while (i < seen && !firstFailure.compare_exchange_weak(seen, i)) {
            }
        }
    });

    if (options.members != nullptr) ListMembers(list, firstFailure.load(), *options.members);

    MemberCounts total;
    for (const auto& m : list) {
        const wchar_t* why = FailureOf(m);
        if (why != nullptr) return Fail(options.failure, PathOf(m), why);
        const MemberCounts& c = m.counts;
        std::wstring line =
            MemberEntryName(*m.entry) + L"," + std::wstring(KindWord(m.kind)) + L",";
        line += HasScreenPart(m.kind) ? std::to_wstring(c.screen) + L"," : std::wstring(L"-,");
        line += std::to_wstring(c.code) + L"," + std::to_wstring(c.comment) + L"," +
                std::to_wstring(c.blank) + L"," + FormatStepDate(m.date);
        lstStep.push_back(std::move(line));
        total.screen += c.screen;
        total.code += c.code;
        total.comment += c.comment;
        total.blank += c.blank;
    }
    // The report holds 32-bit counts; a total past that is refused rather than wrapped.
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (total.screen > kMax || total.code > kMax || total.comment > kMax || total.blank > kMax)
        return Fail(options.failure, projectPath, L"the line counts exceed 2147483647");
    lstStep.push_back(L"STEP合計,-," + std::to_wstring(total.screen) + L"," +
                      std::to_wstring(total.code) + L"," + std::to_wstring(total.comment) + L"," +
                      std::to_wstring(total.blank) + L",-");
    if (options.totals != nullptr) *options.totals = total;

    if (!options.writeReport) return true;
    std::wstring reportPath;
    if (!StepReportPath(projectPath, reportPath))
        return Fail(options.failure, projectPath,
                    L"the project path holds no \".vbp\" to name the report after");
    if (!platform::ReplaceFileAtomically(reportPath, StepReportBytes(lstStep)))
        return Fail(options.failure, reportPath, L"the report file cannot be written");
    return true;
}

}  // namespace kinoha
