#include "info/version_text.h"

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

}  // namespace kinoha
