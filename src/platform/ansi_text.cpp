// The active code page for file contents, shared by every reader and writer.
#include <memory>
#include <mutex>

#include "platform/platform.h"
#include "platform/platform_detail.h"

namespace kinoha::platform {
namespace {
std::once_flag gDefaultOnce;
std::shared_ptr<const detail::CodePageTable> gTable;

const detail::CodePageTable& Table() {
    std::call_once(gDefaultOnce, [] {
        if (gTable) return;  // chosen before first use
        auto t = std::make_shared<detail::CodePageTable>();
        if (!detail::BuildCodePage("", *t)) *t = detail::CodePageTable::Utf8();
        gTable = std::move(t);
    });
    return *gTable;
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
    static const detail::CodePageTable utf8 = detail::CodePageTable::Utf8();
    return utf8.Encode(text);
}

bool SelectAnsiCodePage(const std::string& name) {
    auto t = std::make_shared<detail::CodePageTable>();
    if (!detail::BuildCodePage(name, *t)) return false;
    std::call_once(gDefaultOnce, [] {});
    gTable = std::move(t);
    return true;
}

}  // namespace kinoha::platform
