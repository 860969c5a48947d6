// Member files of every kind: the name a form-like file declares, the line counts, which
// account for every line of the file, and the changed-step count against a shortened copy,
// which never counts more steps than either version has.
#include <tuple>

#include "fuzz_support.h"
#include "platform/platform.h"
#include "step/line_count.h"
#include "step/member_diff.h"
#include "step/member_lists.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinoha;
    if (size == 0) return 0;
    constexpr MemberKind kKinds[] = {MemberKind::Form, MemberKind::Module, MemberKind::Class,
                                     MemberKind::Doc, MemberKind::Dsr};
    const MemberKind kind = kKinds[data[0] % 5];
    const CountOptions options{.under = (data[0] / 5) % 2 == 1,
                               .vbComments = (data[0] / 10) % 2 == 1};
    const std::string_view bytes = fuzz::Bytes(data + 1, size - 1);
    const std::wstring path = fuzz::Put(L"member.frm", bytes);

    MemberCounts counts;
    const CountResult result = CountMemberLines(kind, path, options, counts);
    MemberCounts again;
    KINOHA_FUZZ_CHECK(CountMemberBytes(kind, bytes, options, again) == result);
    KINOHA_FUZZ_CHECK(again.screen == counts.screen && again.code == counts.code &&
                      again.comment == counts.comment && again.blank == counts.blank);

    std::vector<std::string_view> lines;
    platform::SplitLines(bytes, lines);
    const auto n = static_cast<std::int64_t>(lines.size());
    const std::int64_t total = counts.screen + counts.code + counts.comment + counts.blank;
    if (kind == MemberKind::Class) {
        KINOHA_FUZZ_CHECK(result == CountResult::Counted);
        KINOHA_FUZZ_CHECK(counts.screen == 0 && total <= n);
    } else if (lines.empty()) {
        KINOHA_FUZZ_CHECK(result == CountResult::Empty);
    } else {
        KINOHA_FUZZ_CHECK(result == CountResult::Counted);
        // Every line after the first counts once (a continued line may count nothing).
        KINOHA_FUZZ_CHECK(options.under ? total <= n - 1 : total == n - 1);
        if (kind == MemberKind::Module) KINOHA_FUZZ_CHECK(counts.screen == 0);
    }

    // The same file against itself, and against a copy with a stretch of bytes left out.
    MemberDiff diff;
    KINOHA_FUZZ_CHECK(DiffMemberBytes(kind, bytes, bytes, options, diff) == result);
    KINOHA_FUZZ_CHECK(diff.Unchanged());
    const std::size_t cut = bytes.empty() ? 0 : (size * 7919) % bytes.size();
    std::string shorter(bytes.substr(0, cut));
    shorter += bytes.substr(cut + (bytes.size() - cut) / 3);
    MemberCounts older;
    if (CountMemberBytes(kind, shorter, options, older) == CountResult::Counted &&
        DiffMemberBytes(kind, shorter, bytes, options, diff) == CountResult::Counted) {
        for (const auto& [d, before, after] :
             {std::tuple{diff.screen, older.screen, counts.screen},
              std::tuple{diff.code, older.code, counts.code},
              std::tuple{diff.comment, older.comment, counts.comment}}) {
            KINOHA_FUZZ_CHECK(d.added + d.changed <= after && d.deleted + d.changed <= before);
            KINOHA_FUZZ_CHECK(d.added >= 0 && d.changed >= 0 && d.deleted >= 0);
        }
    }

    const std::wstring entry = FormMemberEntry(fuzz::Folder() + L"\\member.frm");
    KINOHA_FUZZ_CHECK(entry.size() == kNameColumn + 1 + path.size());
    KINOHA_FUZZ_CHECK(entry[kNameColumn] == L'|' && MemberEntryPath(entry) == path);
    return 0;
}
