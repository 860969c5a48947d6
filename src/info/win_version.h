// The name of the running system version, which names the settings file.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kinoha {

// The older family's "Version" value, or else GetWinProductName; empty when neither is there.
std::wstring GetWinVersion();
// The NT family's "ProductName" value, or empty.
std::wstring GetWinProductName();

// The same over a given registry (the seam for tests).
std::wstring GetWinVersion(platform::RegistryReader& registry);
std::wstring GetWinProductName(platform::RegistryReader& registry);

}  // namespace kinoha
