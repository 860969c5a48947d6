// The settings file: one line per value, an 8-character tag followed by the value, in the ANSI
// code page with CR LF line ends.
#pragma once

#include <string>

namespace kinoha {

// Gives every value of the settings record the value it has before any file is read.
void ResetSettingsRecord();

// Fills the settings record (the geometry's size, the exclusions, the hotkey and the recent
// projects first set to their defaults; the other values keep what they had) from the file at
// gIniPath (or, while no file is there, from the file beside the program that gIniPath replaced, or
// else from the newest settings file of another Windows version, which gIniInheritedPath then
// names). A line ends at CR LF, CR or LF. A value that does not convert (a number that is none, a
// text with a control character) is skipped, its field keeping its value; the rest still loads.
// Reports nothing.
void LoadSettings();

// Writes the settings record to gIniPath in the fixed tag order, replacing the file whole; the
// "[CTL   ]" and "[VBCMT ]" lines follow "[UNDER ]" only when their values are not 0.
// Nothing is written while gVbMain is empty. A value is never written so that it would read
// back as something else: an exclusion with a control character is left out, and a path with
// one, or with a character the code page cannot hold, is written empty. Reports nothing.
void SaveSettings();

// The path as the settings file can keep it: itself when the ANSI code page holds it, else the
// system's short name for it when that one is held; empty when neither.
std::wstring KeepablePath(const std::wstring& path);

// The newest ".ini" file beside gIniPath (or beside gIniFallbackPath) that names a VB
// executable: the settings of another Windows version. Empty when there is none.
std::wstring OtherVersionSettingsFile();

// The other version's file that the last LoadSettings started from; empty when it read this
// version's own file or none.
extern std::wstring gIniInheritedPath;

// Decides gIniPath once at start-up from the system's version name: the program's directory
// when a file can be created there and it is no network folder (a UNC path or a mapped network
// drive, which a team shares), otherwise the per-user folder (where an existing file beside the
// program is still read, as the team's defaults, until the per-user file exists; it is never
// written). `programDirectory`: the program's own when empty (tests give another).
void DecideIniPath(const std::wstring& versionName, const std::wstring& programDirectory = {});

// The file read while the per-user settings file does not exist yet; empty when none.
extern std::wstring gIniFallbackPath;

}  // namespace kinoha
