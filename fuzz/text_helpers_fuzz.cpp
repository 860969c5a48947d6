// The text and path helpers on decoded text, and the decoding itself: no byte of any code page
// is ever lost on the way in and out.
#include <algorithm>

#include "app/text_helpers.h"
#include "fuzz_support.h"
#include "platform/code_page.h"
#include "platform/platform_detail.h"

namespace kinoha {
namespace {
using platform::detail::CodePageTable;

const CodePageTable& Table(unsigned which) {
    static const CodePageTable tables[] = {[] {
                                               CodePageTable t;
                                               if (!platform::detail::BuildCodePage("CP932", t))
                                                   fuzz::Fail("no CP932", __FILE__, __LINE__);
                                               return t;
                                           }(),
                                           [] {
                                               CodePageTable t;
                                               if (!platform::detail::BuildCodePage("CP1252", t))
                                                   fuzz::Fail("no CP1252", __FILE__, __LINE__);
                                               return t;
                                           }(),
                                           CodePageTable::Utf8()};
    return tables[which % 3];
}

// Decoding keeps every byte: the text encodes to as many bytes, and those decode to the same
// text, whichever spelling the code page gives a character it has twice.
void CheckRoundTrip(const CodePageTable& table, std::string_view bytes) {
    const std::wstring text = table.Decode(bytes);
    const std::string again = table.Encode(text);
    KINOHA_FUZZ_CHECK(again.size() == bytes.size());
    KINOHA_FUZZ_CHECK(table.Decode(again) == text);
}

std::int32_t NaiveCount(std::wstring_view text, std::wstring_view find, std::int32_t& last) {
    std::int32_t n = 0;
    last = 0;
    if (find.empty()) return 0;
    for (std::size_t i = 0; i + find.size() <= text.size(); ++i) {
        if (text.compare(i, find.size(), find) == 0) {
            ++n;
            last = static_cast<std::int32_t>(i + 1);
        }
    }
    return n;
}

void CheckSearchString(std::wstring_view text, std::wstring_view find) {
    std::int32_t position = -1, count = -1;
    SearchString(0, text, find, position, count);
    const auto first = find.empty() ? std::wstring_view::npos : text.find(find);
    KINOHA_FUZZ_CHECK(
        position == (first == std::wstring_view::npos ? 0 : static_cast<std::int32_t>(first + 1)));
    KINOHA_FUZZ_CHECK(count == (position > 0 ? 1 : 0));
    std::int32_t last = 0;
    const std::int32_t n = NaiveCount(text, find, last);
    SearchString(1, text, find, position, count);
    KINOHA_FUZZ_CHECK(count == n);
    KINOHA_FUZZ_CHECK(position == last);
}

void CheckResolvePath(std::wstring_view path) {
    const std::wstring resolved = ResolvePath(path);
    if (path.substr(0, 3) == L"..\\") return;  // relative to the program's folder
    // Each applied step only shortens the path, and a resolved path has nothing left to apply.
    KINOHA_FUZZ_CHECK(resolved.size() <= path.size());
    if (resolved.substr(0, 3) != L"..\\") KINOHA_FUZZ_CHECK(ResolvePath(resolved) == resolved);
}

}  // namespace
}  // namespace kinoha

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinoha;
    if (size == 0) return 0;
    const std::string_view input = fuzz::Bytes(data + 1, size - 1);
    const auto& table = Table(data[0]);
    CheckRoundTrip(table, input);

    // Text and sought text, split at the first NUL byte.
    const auto split = std::min(input.find('\0'), input.size());
    const std::wstring text = table.Decode(input.substr(0, split));
    // The program seeks short keys only (a backslash, "..\", ".EXE "); a long one would make the
    // count here, not the code under test, the slow part of a long input.
    const std::wstring find =
        table.Decode(split < input.size() ? input.substr(split + 1, 8) : std::string_view());
    CheckSearchString(text, find);
    CheckResolvePath(text);
    AnsiByteLength(text);
    return 0;
}
