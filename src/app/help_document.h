// The help the tray's "ヘルプ" entry opens: the user's own "Kinoha.hlp" beside the program where
// there is one (it keeps working as it always did), otherwise the HTML help shipped beside the
// program (current Windows opens .hlp files only with an add-on).
#pragma once

#include <string>

namespace kinoha {

inline constexpr const wchar_t* kHelpFileName = L"Kinoha.hlp";
inline constexpr const wchar_t* kHelpDocumentName = L"Kinoha.html";

// The shipped HTML help's full path, beside the program.
std::wstring HelpDocumentPath();

// Kinoha.hlp beside the program when it exists, else the shipped HTML help.
std::wstring HelpToOpen();

}  // namespace kinoha
