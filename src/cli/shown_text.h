// Paths and texts as the tool shows them: file contents and names may hold control characters,
// which a terminal would obey, so they are shown escaped.
#pragma once

#include <string>

namespace kinoha {

// The text with every control character (C0, DEL, C1) as "\xHH", and every byte that started no
// character of the code page (decoded as an escape character) as "\xHH" of that byte.
std::wstring EscapeControls(const std::wstring& text);

// A path relative to `here` (the current directory) when it lies below it, else the path itself;
// "\" separators, as the logic writes paths.
std::wstring RelativePath(const std::wstring& path, const std::wstring& here);

// A path for messages and the text summary: relative, in the platform's display form, escaped.
std::wstring ShownPath(const std::wstring& path, const std::wstring& here);

// A path for the csv, json and markdown summaries: relative, with "/" separators on every
// system, so that summaries made on Windows and on Linux compare equal.
std::wstring PortablePath(const std::wstring& path, const std::wstring& here);

}  // namespace kinoha
