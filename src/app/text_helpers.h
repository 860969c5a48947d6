// The small text and path routines that the catalogue, the launcher and the step count share.
// Positions are 1-based character positions; 0 means not found. Comparisons are exact.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kinoha {

// mode 0: position of the first `find` in `text`, count 1 (or 0, 0).
// mode != 0: every occurrence, overlapping ones too; position of the last, and their count.
// An empty `find` is never found.
void SearchString(std::int16_t mode, std::wstring_view text, std::wstring_view find,
                  std::int32_t& position, std::int32_t& count);

// Applies the "..\" steps of a path. A path that begins with "..\" is taken relative to the
// program's directory; in any other path each "..\" removes the folder before it. A step that
// cannot be applied is left as it is.
std::wstring ResolvePath(std::wstring_view path);

// Whether the text holds a control character (U+0000 to U+001F, U+007F): CR or LF would split a
// line of the settings file in two, and no Windows path holds any of them.
bool HasControlCharacter(std::wstring_view text);

// A decimal integer with blanks allowed around it, within [min, max]; nothing otherwise.
std::optional<std::int64_t> ToInteger(std::wstring_view v, std::int64_t min, std::int64_t max);

// Bytes the text takes in the ANSI code page.
std::int32_t AnsiByteLength(std::wstring_view text);

// Whether an ordinary file exists at `path`. For a command line (".EXE " inside, any case) only
// the part through "EXE" is looked up.
bool FileExists(std::wstring_view path);

// The text with ASCII letters upper-cased: the extension tests (".VBP", ".EXE", "VB5.EXE")
// look only for ASCII keys, so positions stay those of the original text.
std::wstring UpperAscii(std::wstring_view text);
// 1-based position of the first `key` in the upper-cased text, or 0.
std::int32_t FindUpper(std::wstring_view text, std::wstring_view key);

// 1-based position of the last "\" of a path, or 0.
std::int32_t LastBackslash(std::wstring_view path);
// The folder of a path: the text before its last "\" (empty when there is none).
std::wstring FolderOf(std::wstring_view path);
// The name of a path: the text after its last "\" (the whole text when there is none).
std::wstring NameOf(std::wstring_view path);
// Whether the name of a path ends in the extension `upperExt` (".VBP", ".EXE"; ASCII letters
// in any case). Folder names are not looked at: a folder "Sales.vbg" makes no group file.
bool HasExtension(std::wstring_view path, std::wstring_view upperExt);
// The path with its name's extension (from the name's last ".") replaced by `suffix`; a name
// without one gets `suffix` appended.
std::wstring ReplaceExtension(std::wstring_view path, std::wstring_view suffix);
// The host a UNC path names (\\host\share\... or \\?\UNC\host\...), upper-cased; empty for
// any other path.
std::wstring HostOf(std::wstring_view path);
// Whether `path` names a host other than `home`'s (the project directory's): looking at it,
// even for its icon, would connect to that host and offer it the user's credentials.
bool NamesOtherHost(std::wstring_view path, std::wstring_view home);
// One spelling of a path for comparing: "/" as "\", a run of separators as one (the two that
// begin a UNC path kept), and no "." step.
std::wstring NormalisedPath(std::wstring_view path);
// A path read from a file, as a full path: an absolute value (a drive letter with "\" or "/"
// after the colon, or a UNC path) as it is, any other joined to `folder` with "\"; "..\" steps
// applied either way.
std::wstring PathFromFolder(std::wstring_view folder, std::wstring_view value);
// Whether a value is a path of its own: a drive letter with "\" or "/" after the colon, or a
// UNC path.
bool IsAbsolute(std::wstring_view value);

// 1-based position of the first `find` in `text` at or after `start`, or 0 (exact match).
std::int32_t InStr(std::int32_t start, std::wstring_view text, std::wstring_view find);

}  // namespace kinoha
