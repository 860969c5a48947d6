// The active code page for file contents, shared by every reader and writer.
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/platform.h"
#include "platform/platform_detail.h"

namespace kinoha::platform {
namespace {
// The tables are never freed: a worker still counting when the program returns from main (or
// when another code page is chosen) keeps reading the table it started with.
std::once_flag gDefaultOnce;
std::atomic<const detail::CodePageTable*> gTable{nullptr};
std::mutex gKeptMutex;

const detail::CodePageTable* Keep(detail::CodePageTable table) {
    static auto* kept = new std::vector<std::unique_ptr<const detail::CodePageTable>>();
    auto t = std::make_unique<const detail::CodePageTable>(std::move(table));
    const std::lock_guard<std::mutex> lock(gKeptMutex);
    kept->push_back(std::move(t));
    return kept->back().get();
}

const detail::CodePageTable& Table() {
    std::call_once(gDefaultOnce, [] {
        if (gTable.load()) return;  // chosen before first use
        detail::CodePageTable t;
        if (!detail::BuildCodePage("", t)) t = detail::CodePageTable::Utf8();
        gTable.store(Keep(std::move(t)));
    });
    return *gTable.load(std::memory_order_acquire);
}
}  // namespace

std::wstring DecodeAnsi(std::string_view bytes) {
    return Table().Decode(bytes);
}
std::string EncodeAnsi(std::wstring_view text) {
    return Table().Encode(text);
}
bool AnsiHolds(std::wstring_view text) {
    return Table().Decode(Table().Encode(text)) == text;
}
bool IsLeadByte(unsigned char byte) {
    return Table().IsLead(byte);
}
std::array<bool, 256> LeadBytes() {
    const detail::CodePageTable& table = Table();
    std::array<bool, 256> lead{};
    for (int b = 0; b < 256; ++b)
        lead[static_cast<std::size_t>(b)] = table.IsLead(static_cast<unsigned char>(b));
    return lead;
}
bool AnsiPairs(unsigned char lead, unsigned char next) {
    return Table().Pairs(lead, next);
}
bool AnsiKeepsAscii() {
    return Table().KeepsAscii();
}

std::string EncodeUtf8(std::wstring_view text) {
    static const detail::CodePageTable* utf8 = Keep(detail::CodePageTable::Utf8());
    return utf8->Encode(text);
}

bool SelectAnsiCodePage(const std::string& name) {
    detail::CodePageTable t;
    if (!detail::BuildCodePage(name, t)) return false;
    std::call_once(gDefaultOnce, [] {});
    gTable.store(Keep(std::move(t)), std::memory_order_release);
    return true;
}

}  // namespace kinoha::platform
