// Where an installed VB6 is: the folder its setup recorded in the registry.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kinoha {

// VB6.EXE in the "ProductDir" that VB6's setup writes under
// HKLM\SOFTWARE\Microsoft\VisualStudio\6.0\Setup\Microsoft Visual Basic (the 32-bit view, under
// WOW6432Node, first); empty when no such value names a folder holding VB6.EXE.
std::wstring RegisteredVb6(platform::RegistryReader& registry);

}  // namespace kinoha
