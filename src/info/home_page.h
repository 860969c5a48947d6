// Opening the home page in a new browser window: through the browser's automation object
// "InternetExplorer.application" where the system has one, through the shell's default browser
// where it has none. Never reports anything and returns within about two seconds.
#pragma once

#include <memory>
#include <string>

namespace kinoha {

// One automation object of the browser; each call says whether it went through.
class BrowserAutomation {
  public:
    virtual ~BrowserAutomation() = default;
    virtual bool Navigate(const std::wstring& address) = 0;
    virtual bool ReadBusy(bool& busy) = 0;
    virtual bool MakeVisible() = 0;
    // Ends the browser (one that could not be shown must not stay hidden in the background).
    virtual void Quit() = 0;
};

class HomePageHost {
  public:
    virtual ~HomePageHost() = default;
    // A new automation object, or null when the system cannot create one.
    virtual std::unique_ptr<BrowserAutomation> CreateBrowser() = 0;
    // Opens the address in the user's default browser, without any message on failure.
    virtual void OpenWithShell(const std::wstring& address) = 0;
    virtual void Sleep(int milliseconds) = 0;
    virtual void PumpEvents() = 0;
};

// While the browser loads, Busy is polled this many times, this far apart.
inline constexpr int kBusyPolls = 20;
inline constexpr int kBusyPollMilliseconds = 100;

// Navigates a new browser window to the address and shows it, loaded or still loading; when
// the automation object is missing or fails to navigate or show, the shell opens the address.
// The automation object is released at the end; the browser window stays open.
void OpenHomePage(const std::wstring& address, HomePageHost& host);

}  // namespace kinoha
