#include "info/version_text.h"

#include "app/help_document.h"
#include "app/version.h"

namespace kinoha {

std::wstring VersionBlockText() {
    const std::wstring lines[] = {
        L"",
        L"　　Kinoha  　バージョン　" + VersionText(),
        L"",
        std::wstring(L"　　著作権：") + kAuthorName,
        std::wstring(L"　　連絡先：") + kContactAddress,
        L"　　ＨＰ　：",
        L"",
        std::wstring(L"　　　　　　") + kCopyrightNotice,
    };
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    return text;
}

HomePageLink HomePageLinkFor(const std::wstring& address) {
    if (!address.empty()) return {address, address};
    return {std::wstring(kHelpDocumentName) + L"（同梱のヘルプ）", HelpDocumentPath()};
}

HomePageLink BuiltHomePageLink() {
    return HomePageLinkFor(KINOHA_HOME_PAGE);
}

int TextCells(const std::wstring& text) {
    int cells = 0;
    for (const wchar_t c : text) cells += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
    return cells;
}

}  // namespace kinoha
