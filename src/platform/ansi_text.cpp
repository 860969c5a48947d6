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
bool IsLeadByte(unsigned char byte) {
    return Table().IsLead(byte);
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
