// The home page opener's services on Windows: the browser's automation object through COM
// (IDispatch), the shell's default browser, Sleep and the event pump.
#pragma once

#include <string>
#include <utility>

#include "info/home_page.h"

namespace kinoha::ui {

inline constexpr const wchar_t* kBrowserProgId = L"InternetExplorer.application";

class Win32HomePageHost final : public HomePageHost {
  public:
    explicit Win32HomePageHost(std::wstring progId = kBrowserProgId) : progId_(std::move(progId)) {}

    std::unique_ptr<BrowserAutomation> CreateBrowser() override;
    void OpenWithShell(const std::wstring& address) override;
    void Sleep(int milliseconds) override;
    void PumpEvents() override;

  private:
    std::wstring progId_;
};

}  // namespace kinoha::ui
