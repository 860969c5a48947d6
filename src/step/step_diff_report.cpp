#include "step/step_diff_report.h"

#include <algorithm>
#include <limits>
#include <map>

#include "app/text_helpers.h"
#include "platform/case_fold.h"
#include "platform/platform.h"
#include "step/member_lists.h"
#include "step/project_versions.h"
#include "step/step_report.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

constexpr const wchar_t* kHeader =
    L"名前,種別,状態,画面部追加,画面部変更,画面部削除,コード部追加,コード部変更,コード部削除,"
    L"コメント追加,コメント変更,コメント削除";

struct Side {
    const std::wstring* entry = nullptr;  // null: the member is not in this version
    MemberKind kind = MemberKind::Form;
};

struct Row {
    Side before, after;
    MemberKind kind = MemberKind::Form;
    DiffState state = DiffState::Unchanged;
    MemberDiff diff;
    CountResult result = CountResult::Counted;
    std::wstring failedFile;
};

std::wstring Cells(std::int64_t value, bool shown) {
    return shown ? std::to_wstring(value) : std::wstring(L"-");
}

std::wstring CountCells(const MemberDiff& d, bool screen) {
    std::wstring s;
    for (const auto& [c, shown] :
         {std::pair{&d.screen, screen}, std::pair{&d.code, true}, std::pair{&d.comment, true}}) {
        s += L"," + Cells(c->added, shown) + L"," + Cells(c->changed, shown) + L"," +
             Cells(c->deleted, shown);
    }
    return s;
}

const wchar_t* StateWord(DiffState state) {
    switch (state) {
        case DiffState::Added:
            return L"新規";
        case DiffState::Deleted:
            return L"削除";
        case DiffState::Changed:
            return L"変更";
        case DiffState::Unchanged:
            return L"同一";
    }
    return L"";
}

// A member file's bytes, whole: the comparison needs every line of both versions. A file
// beyond the count's size limit is not read past it, and a name holding a NUL is not read at
// all (the system would read the file named by the part before it).
CountResult ReadMemberBytes(const std::wstring& path, std::uint64_t maxBytes, std::string& bytes) {
    if (HoldsNul(path)) return CountResult::CannotRead;
    bool tooLarge = false;
    const bool read = platform::ReadFileBlocks(
        path, [&] { bytes.clear(); },
        [&](std::string_view block) {
            if (bytes.size() + block.size() > maxBytes) {
                tooLarge = true;
                return false;
            }
            bytes.append(block);
            return true;
        });
    if (tooLarge) return CountResult::TooLarge;
    return read ? CountResult::Counted : CountResult::CannotRead;
}

// Reads and compares one row's versions.
void Compare(Row& row, const CountOptions& counting) {
    std::string before, after;
    const auto read = [&](const Side& side, std::string& bytes) {
        const std::wstring path = MemberEntryPath(*side.entry);
        row.result = ReadMemberBytes(path, counting.maxBytes, bytes);
        if (row.result == CountResult::Counted) return true;
        row.failedFile = path;
        return false;
    };
    if (row.before.entry != nullptr && !read(row.before, before)) return;
    if (row.after.entry != nullptr && !read(row.after, after)) return;
    MemberCounts counts;
    if (row.after.entry == nullptr) {
        row.result = CountMemberBytes(row.before.kind, before, counting, counts);
        row.diff = DeletedMember(counts);
        row.state = DiffState::Deleted;
    } else if (row.before.entry == nullptr) {
        row.result = CountMemberBytes(row.after.kind, after, counting, counts);
        row.diff = AddedMember(counts);
        row.state = DiffState::Added;
    } else if (before == after && row.before.kind == row.after.kind) {
        // The same bytes: no step changed. Only an empty file is refused, as the count
        // refuses one without its first line.
        row.result = after.empty() && row.after.kind != MemberKind::Class ? CountResult::Empty
                                                                          : CountResult::Counted;
        row.state = DiffState::Unchanged;
    } else if (row.before.kind == row.after.kind) {
        row.result = DiffMemberBytes(row.after.kind, before, after, counting, row.diff);
        row.state = row.diff.Unchanged() ? DiffState::Unchanged : DiffState::Changed;
    } else {
        // The member changed its kind (a form made a user control): its lines classify by
        // each version's own rules, compared as one deleted and one added set of steps.
        MemberCounts old;
        row.result = CountMemberBytes(row.before.kind, before, counting, old);
        if (row.result == CountResult::Counted)
            row.result = CountMemberBytes(row.after.kind, after, counting, counts);
        row.diff = DeletedMember(old);
        row.diff += AddedMember(counts);
        row.state = DiffState::Changed;
    }
    if (row.result != CountResult::Counted) {
        row.diff = {};
        row.failedFile = MemberEntryPath(*(row.after.entry ? row.after.entry : row.before.entry));
    }
}

// The rows: per kind in report order, the members of both versions matched by path, sorted as
// the member lists sort (by entry text, letter case ignored).
std::vector<Row> MatchMembers(const MemberLists& before, const std::wstring& beforeFolder,
                              const MemberLists& after, const std::wstring& afterFolder) {
    // Older members by key; a key listed twice is matched in list order.
    std::map<std::wstring, std::vector<Side>> older;
    for (const auto& [list, kind] : ReportOrder(before))
        for (const auto& entry : *list)
            older[RelativeKey(beforeFolder, MemberEntryPath(entry))].push_back({&entry, kind});
    std::vector<Row> rows;
    std::vector<std::vector<Row>> byKind(7);
    for (const auto& [list, kind] : ReportOrder(after)) {
        for (const auto& entry : *list) {
            Row row;
            row.after = {&entry, kind};
            row.kind = kind;
            auto it = older.find(RelativeKey(afterFolder, MemberEntryPath(entry)));
            if (it != older.end() && !it->second.empty()) {
                row.before = it->second.front();
                it->second.erase(it->second.begin());
            }
            byKind[static_cast<std::size_t>(kind)].push_back(row);
        }
    }
    for (const auto& [key, sides] : older) {
        for (const Side& side : sides) {
            Row row;
            row.before = side;
            row.kind = side.kind;
            byKind[static_cast<std::size_t>(side.kind)].push_back(row);
        }
    }
    for (const auto& [list, kind] : ReportOrder(after)) {
        auto& group = byKind[static_cast<std::size_t>(kind)];
        const auto text = [](const Row& r) -> const std::wstring& {
            return *(r.after.entry != nullptr ? r.after.entry : r.before.entry);
        };
        std::stable_sort(group.begin(), group.end(), [&](const Row& x, const Row& y) {
            return platform::CompareFolded(text(x), text(y)) < 0;
        });
        rows.insert(rows.end(), group.begin(), group.end());
    }
    return rows;
}

bool ReadMembers(const std::wstring& project, MemberLists& lists, const StepDiffOptions& options) {
    std::string bytes;
    if (!platform::ReadFileBytes(project, bytes))
        return Fail(options.failure, StepFailureKind::ProjectUnreadable, project,
                    L"the project file cannot be read");
    StepFailure note;
    if (!ReadProjectMembers(project, lists, &note, options.workers, options.counting))
        return Fail(options.failure, note.kind, note.file, note.reason);
    const auto failed = [](const SortedList* list) {
        return std::find(list->begin(), list->end(), kFailedMemberEntry) != list->end();
    };
    for (const auto& [list, kind] : ReportOrder(lists))
        if (failed(list))
            return Fail(options.failure, StepFailureKind::MemberUnreadable,
                        note.file.empty() ? project : note.file,
                        L"a form, user document or designer file could not be read for its name");
    return true;
}

}  // namespace

bool StepDiffReportPath(const std::wstring& projectPath, std::wstring& reportPath) {
    std::wstring step;
    if (!StepReportPath(projectPath, step)) return false;
    constexpr std::wstring_view kStep = L"_Step.csv";
    reportPath = step.substr(0, step.size() - kStep.size()) + L"_StepDiff.csv";
    return true;
}

bool DiffProjectSteps(const std::wstring& oldProject, const std::wstring& newProject,
                      std::vector<std::wstring>& lines, const StepDiffOptions& options) {
    lines.clear();
    lines.emplace_back(kHeader);
    MemberLists before, after;
    if (!oldProject.empty() && !ReadMembers(oldProject, before, options)) return false;
    if (!ReadMembers(newProject, after, options)) return false;

    std::vector<Row> rows = MatchMembers(before, FolderOf(oldProject), after, FolderOf(newProject));
    ForEachMember(options.workers, rows.size(),
                  [&](std::size_t i) { Compare(rows[i], options.counting); });

    MemberDiff total;
    std::size_t states[4] = {};
    for (const Row& row : rows) {
        switch (row.result) {
            case CountResult::Counted:
                break;
            case CountResult::CannotRead:
                return Fail(options.failure, StepFailureKind::MemberUnreadable, row.failedFile,
                            L"the member file cannot be opened or read");
            case CountResult::TooLarge:
                return Fail(options.failure, StepFailureKind::MemberTooLarge, row.failedFile,
                            L"the member file is larger than " +
                                std::to_wstring(options.counting.maxBytes) + L" bytes");
            case CountResult::Empty:
                return Fail(options.failure, StepFailureKind::MemberEmpty, row.failedFile,
                            L"the member file is empty");
        }
        const std::wstring& entry = *(row.after.entry ? row.after.entry : row.before.entry);
        lines.push_back(NameCell(MemberEntryName(entry)) + L"," + std::wstring(KindWord(row.kind)) +
                        L"," + StateWord(row.state) +
                        CountCells(row.diff, HasScreenPart(row.kind)));
        total += row.diff;
        ++states[static_cast<std::size_t>(row.state)];
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    for (const ClassDiff* c : {&total.screen, &total.code, &total.comment})
        if (c->added > kMax || c->changed > kMax || c->deleted > kMax)
            return Fail(options.failure, StepFailureKind::CountsTooLarge, newProject,
                        L"the line counts exceed 2147483647");
    lines.push_back(L"STEP合計,-,-" + CountCells(total, true));
    if (options.totals != nullptr) *options.totals = total;
    if (options.states != nullptr) std::copy(states, states + 4, options.states);

    return !options.writeReport ||
           WriteStepReport(StepDiffReportPath, newProject, lines, options.failure);
}

}  // namespace kinoha
