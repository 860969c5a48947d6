// A tray window that records what the logic asks of it. EndProgramNow throws, as the real one
// never returns.
#pragma once

#include <string>
#include <vector>

#include "tray/tray_view.h"

namespace kinoha::test {

struct ProgramEnded {};

class FakeTrayView : public TrayView {
  public:
    struct Message {
        std::wstring title, text;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    std::vector<std::wstring> calls;  // in order: "rebuild(1)", "panel", "open-file", ...
    std::wstring answerFile, answerFolder;
    std::wstring lastInitialDir, lastFilterText, lastFilterPattern, lastFolderTitle;

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        messages.push_back({title, text, icon});
        calls.push_back(L"message " + title);
    }
    void* NativeWindow() override { return nullptr; }
    void RebuildCatalogue(bool research) override {
        calls.push_back(research ? L"rebuild(search)" : L"rebuild");
    }
    void ShowPathPanel() override { calls.push_back(L"show panel"); }
    void HidePathPanel() override { calls.push_back(L"hide panel"); }
    std::wstring ChooseOpenFile(const std::wstring& initialDir, const std::wstring& filterText,
                                const std::wstring& filterPattern) override {
        calls.push_back(L"open-file dialog");
        lastInitialDir = initialDir;
        lastFilterText = filterText;
        lastFilterPattern = filterPattern;
        return answerFile;
    }
    std::wstring ChooseFolder(const std::wstring& title) override {
        calls.push_back(L"folder browser");
        lastFolderTitle = title;
        return answerFolder;
    }
    void EndProgramNow() override {
        calls.push_back(L"end");
        throw ProgramEnded{};
    }
    void MoveSplashBack() override { calls.push_back(L"splash back"); }
    void AddTrayIcon() override { calls.push_back(L"tray icon"); }
    void UnloadSplash() override { calls.push_back(L"splash gone"); }
    void ShowFirstStartNotice() override { calls.push_back(L"first-start notice"); }
};

}  // namespace kinoha::test
