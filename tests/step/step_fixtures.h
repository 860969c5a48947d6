// Member and project files for the step count tests, written as the VB IDE writes them.
#pragma once

#include <string>

#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::test {

// The text in the ANSI code page, each "\n" written as CR LF.
inline std::string AnsiCrLf(const std::wstring& text) {
    std::wstring crlf;
    for (const wchar_t c : text) crlf += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return platform::EncodeAnsi(crlf);
}

inline void WriteAnsiFile(const std::wstring& path, const std::wstring& text) {
    WriteFile(path, AnsiCrLf(text));
}

// A form file: version line, a designer block of 5 lines, 5 attribute lines (screen 10), `code`.
inline std::wstring FormText(const std::wstring& name, const std::wstring& code) {
    return L"VERSION 5.00\nBegin VB.Form " + name +
           L" \n   Caption = \"画面\"\n   ClientHeight = 3195\n   ClientWidth = 4680\nEnd\n"
           L"Attribute VB_Name = \"" +
           name +
           L"\"\nAttribute VB_GlobalNameSpace = False\n"
           L"Attribute VB_Creatable = False\nAttribute VB_PredeclaredId = True\n"
           L"Attribute VB_Exposed = False\n" +
           code;
}

}  // namespace kinoha::test
