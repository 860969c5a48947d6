// The two settings that the program cannot work without: the VB executable and the project
// directory. Each command ends the program when it is left with nothing set.
#pragma once

#include "dialogs/settings_view.h"

namespace kinoha {

// The folder of the default VB6 installation, the dialog's first choice of starting folder.
inline constexpr const wchar_t* kDefaultVb6 =
    L"C:\\Program Files\\Microsoft Visual Studio\\VB98\\VB6.EXE";

// Asks for the VB executable (open-file dialog with the reference panel).
void ChooseVbExecutable(SettingsView& view);
// Asks for the project directory; a chosen folder rebuilds the catalogue with a new search.
void ChooseProjectDirectory(SettingsView& view);

}  // namespace kinoha
