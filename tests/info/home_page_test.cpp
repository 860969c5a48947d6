#include "info/home_page.h"

#include <gtest/gtest.h>

#include <vector>

namespace kinoha {
namespace {

// A system whose browser object answers as told and which records every call in order.
class FakeHost : public HomePageHost {
  public:
    struct Script {
        bool exists = true, navigates = true, shows = true;
        int busyReads = 0;         // reads that answer "busy" before one answers "not busy"
        bool busyReadable = true;  // false: every read of Busy fails
    } script;
    std::vector<std::wstring> calls;
    int sleptMs = 0;

    class Browser : public BrowserAutomation {
      public:
        explicit Browser(FakeHost& host) : host_(host) {}
        ~Browser() override { host_.calls.push_back(L"release"); }
        bool Navigate(const std::wstring& address) override {
            host_.calls.push_back(L"navigate " + address);
            return host_.script.navigates;
        }
        bool ReadBusy(bool& busy) override {
            host_.calls.push_back(L"busy?");
            if (!host_.script.busyReadable) return false;
            busy = host_.script.busyReads-- > 0;
            return true;
        }
        bool MakeVisible() override {
            host_.calls.push_back(L"visible");
            return host_.script.shows;
        }
        void Quit() override { host_.calls.push_back(L"quit"); }

      private:
        FakeHost& host_;
    };

    std::unique_ptr<BrowserAutomation> CreateBrowser() override {
        calls.push_back(L"create");
        if (!script.exists) return nullptr;
        return std::make_unique<Browser>(*this);
    }
    void OpenWithShell(const std::wstring& address) override {
        calls.push_back(L"shell " + address);
    }
    void Sleep(int ms) override {
        sleptMs += ms;
        if (calls.empty() || calls.back() != L"sleep") calls.push_back(L"sleep");
    }
    void PumpEvents() override { calls.push_back(L"pump"); }

    int Count(const std::wstring& call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call;
        return n;
    }
};

const std::wstring kAddress = L"https://kinoha.example.org/";

TEST(OpenHomePage, ALoadedPageIsShownAtOnceAndTheObjectReleasedAfterThePump) {
    FakeHost host;
    OpenHomePage(kAddress, host);
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"create", L"navigate " + kAddress, L"busy?",
                                                     L"visible", L"pump", L"release"}));
    EXPECT_EQ(host.sleptMs, 0);
}

TEST(OpenHomePage, ABusyBrowserIsWaitedForInTenthsOfASecondAtMostTwentyTimes) {
    FakeHost host;
    host.script.busyReads = 3;
    OpenHomePage(kAddress, host);
    EXPECT_EQ(host.Count(L"busy?"), 4);
    EXPECT_EQ(host.sleptMs, 300);
    EXPECT_EQ(host.Count(L"visible"), 1);

    FakeHost slow;
    slow.script.busyReads = 1000;
    OpenHomePage(kAddress, slow);
    EXPECT_EQ(slow.Count(L"busy?"), 20);
    EXPECT_EQ(slow.sleptMs, 2000);
    EXPECT_EQ(slow.Count(L"visible"), 1);  // shown while still loading
    EXPECT_EQ(slow.Count(L"shell " + kAddress), 0);

    FakeHost unreadable;
    unreadable.script.busyReadable = false;
    OpenHomePage(kAddress, unreadable);
    EXPECT_EQ(unreadable.sleptMs, 2000);
    EXPECT_EQ(unreadable.Count(L"visible"), 1);
}

TEST(OpenHomePage, WithoutTheBrowserObjectTheShellOpensTheAddressWithoutWaiting) {
    FakeHost host;
    host.script.exists = false;
    OpenHomePage(kAddress, host);
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"create", L"shell " + kAddress, L"pump"}));
    EXPECT_EQ(host.sleptMs, 0);
}

TEST(OpenHomePage, ABrowserThatCannotNavigateOrShowIsEndedAndTheShellTakesOver) {
    FakeHost lost;
    lost.script.navigates = false;
    OpenHomePage(kAddress, lost);
    EXPECT_EQ(lost.calls, (std::vector<std::wstring>{L"create", L"navigate " + kAddress, L"quit",
                                                     L"shell " + kAddress, L"pump", L"release"}));
    EXPECT_EQ(lost.sleptMs, 0);

    FakeHost hidden;
    hidden.script.shows = false;
    OpenHomePage(kAddress, hidden);
    EXPECT_EQ(hidden.calls,
              (std::vector<std::wstring>{L"create", L"navigate " + kAddress, L"busy?", L"visible",
                                         L"quit", L"shell " + kAddress, L"pump", L"release"}));
}

}  // namespace
}  // namespace kinoha
