#include "app/help_document.h"

#include "platform/platform.h"

namespace kinoha {

std::wstring HelpDocumentPath() {
    return platform::ProgramDirectory() + L"\\" + kHelpDocumentName;
}

std::wstring HelpToOpen() {
    const std::wstring hlp = platform::ProgramDirectory() + L"\\" + kHelpFileName;
    return platform::LookupFile(hlp) ? hlp : HelpDocumentPath();
}

}  // namespace kinoha
