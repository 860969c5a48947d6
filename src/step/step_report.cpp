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

// Why the member was not counted: kind None when it was.
StepFailure FailureOf(const Member& m, std::uint64_t maxBytes) {
    const std::wstring path = PathOf(m);
    if (*m.entry == kFailedMemberEntry)
        return {L"", L"a form, user document or designer file could not be read for its name",
                StepFailureKind::MemberUnreadable};
    if (HoldsNul(path))
        return {path, L"the member's file name holds a NUL character",
                StepFailureKind::MemberUnreadable};
    if (m.result == CountResult::CannotRead)
        return {path, L"the member file cannot be opened or read",
                StepFailureKind::MemberUnreadable};
    if (m.result == CountResult::TooLarge)
        return {path, L"the member file is larger than " + std::to_wstring(maxBytes) + L" bytes",
                StepFailureKind::MemberTooLarge};
    if (m.result == CountResult::Empty)
        return {path, L"the member file is empty", StepFailureKind::MemberEmpty};
    if (!m.dated)
        return {path, L"the member file's date cannot be read", StepFailureKind::MemberUndated};
    return {};
}

void ListMembers(const std::vector<Member>& list, std::size_t firstFailure, std::uint64_t maxBytes,
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
        } else if (StepFailure why = FailureOf(m, maxBytes); why.kind != StepFailureKind::None) {
            step.failure = std::move(why.reason);
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

}  // namespace

// A member name as a report cell. A name that VB allows needs nothing and is written as it is;
// another (from a hand-edited project file) must neither shift nor add cells nor rows, and must
// not become a formula in the spreadsheet that opens the report.
std::wstring NameCell(std::wstring name) {
    if (!name.empty() && (name[0] == L'=' || name[0] == L'+' || name[0] == L'-' || name[0] == L'@'))
        name.insert(0, 1, L'\'');
    if (name.find_first_of(L",\"\r\n") == std::wstring::npos) return name;
    std::wstring quoted = L"\"";
    for (const wchar_t c : name) {
        quoted += c;
        if (c == L'"') quoted += L'"';
    }
    quoted += L'"';
    return quoted;
}

bool StepReportPath(const std::wstring& projectPath, std::wstring& reportPath) {
    // Named after the file alone: a ".vbp" in a folder name must not move the report up the
    // tree, where it would overwrite another file or another project's report.
    if (NameOf(projectPath).empty()) return false;
    reportPath = ReplaceExtension(projectPath, L"_Step.csv");
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

bool WriteStepReport(ReportNamer namer, const std::wstring& projectPath,
                     const std::vector<std::wstring>& lines, StepFailure* failure) {
    std::wstring reportPath;
    if (!namer(projectPath, reportPath))
        return Fail(failure, StepFailureKind::ReportUnnamed, projectPath,
                    L"the project path names no file");
    if (!platform::ReplaceFileAtomically(reportPath, StepReportBytes(lines)))
        return Fail(failure, StepFailureKind::ReportUnwritable, reportPath,
                    L"the report file cannot be written");
    return true;
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

    if (options.members != nullptr)
        ListMembers(list, firstFailure.load(), options.counting.maxBytes, *options.members);

    MemberCounts total;
    for (const auto& m : list) {
        if (StepFailure why = FailureOf(m, options.counting.maxBytes);
            why.kind != StepFailureKind::None) {
            if (options.failure != nullptr) *options.failure = std::move(why);
            return false;
        }
        const MemberCounts& c = m.counts;
        std::wstring line =
            NameCell(MemberEntryName(*m.entry)) + L"," + std::wstring(KindWord(m.kind)) + L",";
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
        return Fail(options.failure, StepFailureKind::CountsTooLarge, projectPath,
                    L"the line counts exceed 2147483647");
    lstStep.push_back(L"STEP合計,-," + std::to_wstring(total.screen) + L"," +
                      std::to_wstring(total.code) + L"," + std::to_wstring(total.comment) + L"," +
                      std::to_wstring(total.blank) + L",-");
    if (options.totals != nullptr) *options.totals = total;

    return !options.writeReport ||
           WriteStepReport(StepReportPath, projectPath, lstStep, options.failure);
}

}  // namespace kinoha
