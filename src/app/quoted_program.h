// The program part of a command line, quoted, so that the system never tries the shorter
// blank-separated prefixes of an unquoted path with blanks (C:\Program.exe, ...) as programs.
#pragma once

#include <string>

namespace kinoha {

// `setting` is a program path, possibly followed by arguments a user added. When all of it
// names an existing file it is quoted whole; otherwise, when it holds ".EXE " (any case) and
// the text through ".EXE" names an existing file, that program part is quoted and the
// arguments stay after it. Text already starting with a quote, or naming no existing program,
// is returned unchanged.
std::wstring QuotedProgram(const std::wstring& setting);

}  // namespace kinoha
