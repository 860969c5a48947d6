// The settings file: one line per value, an 8-character tag followed by the value, in the ANSI
// code page with CR LF line ends.
#pragma once

#include <string>

namespace kinoha {

// Fills the settings record from the file at gIniPath (or, while no file is there, from the
// file beside the program that gIniPath replaced). Reading stops at the first numeric value
// that does not convert; what came before it stays. Reports nothing.
void LoadSettings();

// Writes the settings record to gIniPath in the fixed tag order, replacing the file whole; the
// "[CTL   ]" and "[VBCMT ]" lines follow "[UNDER ]" only when their values are not 0.
// Nothing is written while gVbMain is empty. Reports nothing.
void SaveSettings();

// Decides gIniPath once at start-up from the system's version name: the program's directory
// when a file can be created there, otherwise the per-user folder (where an existing file
// beside the program is still read until the per-user file exists).
void DecideIniPath(const std::wstring& versionName);

// The file read while the per-user settings file does not exist yet; empty when none.
extern std::wstring gIniFallbackPath;

}  // namespace kinoha
