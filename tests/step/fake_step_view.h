// A step count window that records what the logic asks of it. The selection is set by the test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "step/step_window_view.h"

namespace kinoha::test {

class FakeStepView : public StepView {
  public:
    std::vector<std::wstring> rows, statuses;
    std::vector<std::size_t> selected;
    std::vector<std::wstring> calls;  // "message TITLE", "beep", "open PATH", "close", in order
    std::vector<std::wstring> texts;  // message texts
    std::vector<MessageIcon> icons;
    std::map<StepControl, bool> visible, enabled;
    std::map<StepControl, CheckState> checks;
    std::wstring older;  // what ChooseOlderVersion answers

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        calls.push_back(L"message " + title);
        texts.push_back(text);
        icons.push_back(icon);
    }
    void SetProjects(const std::vector<std::wstring>& r) override { rows = r; }
    std::vector<std::size_t> SelectedRows() override { return selected; }
    void SetStatus(const std::wstring& text) override { statuses.push_back(text); }
    void SetVisible(StepControl c, bool v) override { visible[c] = v; }
    void SetEnabled(StepControl c, bool e) override { enabled[c] = e; }
    void SetCheck(StepControl box, CheckState s) override { checks[box] = s; }
    std::wstring ChooseOlderVersion(const std::wstring&) override {
        calls.push_back(L"choose older");
        return older;
    }
    void Beep() override { calls.push_back(L"beep"); }
    void OpenReport(const std::wstring& path) override { calls.push_back(L"open " + path); }
    void CloseWindow() override { calls.push_back(L"close"); }

    // The controls as a run leaves them (true) or sets them (false); a control never set keeps
    // its created state: shown and usable, but cmdStop hidden.
    bool Idle(bool idle = true) {
        auto is = [](std::map<StepControl, bool>& m, StepControl c, bool dflt) {
            return m.count(c) ? m[c] : dflt;
        };
        using C = StepControl;
        return is(visible, C::cmdMake, true) == idle && is(visible, C::cmdStop, false) == !idle &&
               is(enabled, C::lstData, true) == idle && is(enabled, C::cmdEnd, true) == idle &&
               is(enabled, C::chkUnder, true) == idle && is(enabled, C::cmdCsvWake, true) == idle &&
               is(enabled, C::chkCtl, true) == idle && is(enabled, C::chkVbCmt, true) == idle &&
               is(enabled, C::cmdDiff, true) == idle;
    }
};

}  // namespace kinoha::test
