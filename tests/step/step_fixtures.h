// Member and project files for the step count tests, written as the VB IDE writes them.
#pragma once

#include <string>

#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::test {

// The text in the ANSI code page, each "\n" written as CR LF.
inline std::string AnsiCrLf(const std::wstring& text) {
    std::wstring crlf;
    for (const wchar_t c : text) {
        if (c == L'\n') crlf += L'\r';
        crlf += c;
    }
    return platform::EncodeAnsi(crlf);
}

inline void WriteAnsiFile(const std::wstring& path, const std::wstring& text) {
    WriteFile(path, AnsiCrLf(text));
}

// A form file: version line, designer block, five attribute lines, then `code`.
inline std::wstring FormText(const std::wstring& name, const std::wstring& code) {
    return L"VERSION 5.00\n"
           L"Begin VB.Form " +
           name +
           L" \n"
           L"   Caption         =   \"画面\"\n"
           L"   ClientHeight    =   3195\n"
           L"   ClientWidth     =   4680\n"
           L"End\n"
           L"Attribute VB_Name = \"" +
           name +
           L"\"\n"
           L"Attribute VB_GlobalNameSpace = False\n"
           L"Attribute VB_Creatable = False\n"
           L"Attribute VB_PredeclaredId = True\n"
           L"Attribute VB_Exposed = False\n" +
           code;
}

}  // namespace kinoha::test
