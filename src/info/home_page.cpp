#include "info/home_page.h"

namespace kinoha {

void OpenHomePage(const std::wstring& address, HomePageHost& host) {
    std::unique_ptr<BrowserAutomation> browser = host.CreateBrowser();
    bool shown = false;
    if (browser != nullptr && browser->Navigate(address)) {
        for (int i = 0; i < kBusyPolls; ++i) {
            bool busy = true;
            // A Busy that cannot be read counts as busy: the wait stays bounded either way.
            if (browser->ReadBusy(busy) && !busy) break;
            host.Sleep(kBusyPollMilliseconds);
        }
        shown = browser->MakeVisible();
    }
    if (browser != nullptr && !shown) browser->Quit();
    if (!shown) host.OpenWithShell(address);
    host.PumpEvents();
}

}  // namespace kinoha
