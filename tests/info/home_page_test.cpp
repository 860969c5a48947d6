#include "info/home_page.h"

#include <gtest/gtest.h>

#include <vector>

namespace kinoha {
namespace {

using Calls = std::vector<std::wstring>;
const std::wstring kUrl = L"https://kinoha.example.org/";

// A system whose browser object answers as scripted; every call is recorded in order.
class FakeHost : public HomePageHost {
  public:
    bool exists = true, navigates = true, shows = true, busyReadable = true;
    int busyReads = 0;  // reads that answer "busy" before one answers "not busy"
    Calls calls;
    int slept = 0;

    struct Browser : BrowserAutomation {
        FakeHost& h;
        explicit Browser(FakeHost& host) : h(host) {}
        ~Browser() override { h.calls.push_back(L"release"); }
        bool Navigate(const std::wstring& url) override { return Log(L"go " + url, h.navigates); }
        bool ReadBusy(bool& busy) override {
            busy = h.busyReads-- > 0;
            return Log(L"busy?", h.busyReadable);
        }
        bool MakeVisible() override { return Log(L"visible", h.shows); }
        void Quit() override { Log(L"quit", true); }
        bool Log(const std::wstring& call, bool result) {
            if (call != L"busy?" || h.calls.back() != L"busy?") h.calls.push_back(call);
            return result;
        }
    };
    std::unique_ptr<BrowserAutomation> CreateBrowser() override {
        calls.push_back(L"create");
        return exists ? std::make_unique<Browser>(*this) : nullptr;
    }
    void OpenWithShell(const std::wstring& url) override { calls.push_back(L"shell " + url); }
    void Sleep(int ms) override { slept += ms; }
    void PumpEvents() override { calls.push_back(L"pump"); }
};

TEST(OpenHomePage, TheBrowserIsShownOnceLoadedOrAfterTwentyTenthsOfASecond) {
    FakeHost loaded;
    OpenHomePage(kUrl, loaded);
    EXPECT_EQ(loaded.calls,
              (Calls{L"create", L"go " + kUrl, L"busy?", L"visible", L"pump", L"release"}));
    EXPECT_EQ(loaded.slept, 0);

    FakeHost loading;
    loading.busyReads = 3;
    OpenHomePage(kUrl, loading);
    EXPECT_EQ(loading.slept, 300);

    for (bool readable : {true, false}) {
        FakeHost slow;
        slow.busyReads = 1000;
        slow.busyReadable = readable;
        OpenHomePage(kUrl, slow);
        EXPECT_EQ(slow.slept, 2000);  // then shown while still loading
        EXPECT_EQ(slow.calls, loaded.calls);
    }
}

TEST(OpenHomePage, WithoutAWorkingBrowserObjectTheShellOpensTheAddress) {
    FakeHost none;
    none.exists = false;
    OpenHomePage(kUrl, none);
    EXPECT_EQ(none.calls, (Calls{L"create", L"shell " + kUrl, L"pump"}));
    EXPECT_EQ(none.slept, 0);

    FakeHost lost;
    lost.navigates = false;
    OpenHomePage(kUrl, lost);
    EXPECT_EQ(lost.calls,
              (Calls{L"create", L"go " + kUrl, L"quit", L"shell " + kUrl, L"pump", L"release"}));

    FakeHost hidden;  // a browser left hidden is ended, not left running
    hidden.shows = false;
    OpenHomePage(kUrl, hidden);
    EXPECT_EQ(hidden.calls, (Calls{L"create", L"go " + kUrl, L"busy?", L"visible", L"quit",
                                   L"shell " + kUrl, L"pump", L"release"}));
}

}  // namespace
}  // namespace kinoha
