#include "dialogs/win32/file_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "platform/platform.h"

namespace kinoha::ui {

std::wstring ChooseOpenFile(HWND owner, const std::wstring& initialDir,
                            const std::wstring& filterText, const std::wstring& filterPattern) {
    const std::wstring remembered = platform::CurrentDirectory();
    std::wstring filter = filterText;
    filter.push_back(L'\0');
    filter += filterPattern;
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    // Room for long paths: a path that does not fit would read as a cancel.
    std::vector<wchar_t> file(32768, L'\0');
    std::vector<wchar_t> title(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size() - 1);
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size() - 1);
    ofn.lpstrInitialDir = initialDir.c_str();
    ofn.lpstrTitle = L"開くﾌｧｲﾙを指定してください。";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = L"";
    std::wstring chosen;
    if (GetOpenFileNameW(&ofn) != 0) chosen = file.data();
    platform::ChangeCurrentDirectory(remembered);  // the dialog may have moved it
    return chosen;
}

namespace {

int CALLBACK SelectStart(HWND dialog, UINT msg, LPARAM, LPARAM start) {
    if (msg == BFFM_INITIALIZED && start != 0)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

std::wstring Browse(HWND owner, const std::wstring& title, UINT flags, const std::wstring& start) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = flags;
    if (!start.empty()) {
        info.lpfn = SelectStart;
        info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    }
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    wchar_t path[MAX_PATH + 1] = {};
    if (list != nullptr) {
        SHGetPathFromIDListW(list, path);
        CoTaskMemFree(list);
    }
    return path;
}

}  // namespace

std::wstring ChooseFolder(HWND owner, const std::wstring& title) {
    return Browse(owner, title, BIF_RETURNONLYFSDIRS, L"");
}

std::wstring ChooseFolderOrFile(HWND owner, const std::wstring& title, const std::wstring& start) {
    return Browse(owner, title, BIF_RETURNONLYFSDIRS | BIF_BROWSEINCLUDEFILES, start);
}

}  // namespace kinoha::ui
