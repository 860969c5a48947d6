// A step count window that records what the logic asks of it. The selection is set by the test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "step/step_window_view.h"

namespace kinoha::test {

class FakeStepView : public StepView {
  public:
    struct Message {
        std::wstring title, text;
        MessageIcon icon;
    };
    std::vector<std::wstring> rows;
    std::vector<std::size_t> selected;
    std::vector<std::wstring> statuses;  // every text lblStatus was given, in order
    std::vector<Message> messages;
    std::vector<std::wstring> calls;  // messages, beeps and opened reports, in order
    std::map<StepControl, bool> visible, enabled;
    CheckState under = CheckState::Unticked;
    int beeps = 0, closeRequests = 0;
    std::vector<std::wstring> opened;

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        messages.push_back({title, text, icon});
        calls.push_back(L"message " + title);
    }
    void SetProjects(const std::vector<std::wstring>& r) override {
        rows = r;
        selected.clear();
    }
    std::vector<std::size_t> SelectedRows() override { return selected; }
    void SetStatus(const std::wstring& text) override { statuses.push_back(text); }
    void SetVisible(StepControl c, bool v) override { visible[c] = v; }
    void SetEnabled(StepControl c, bool e) override { enabled[c] = e; }
    void SetUnderCheck(CheckState s) override { under = s; }
    void Beep() override {
        ++beeps;
        calls.push_back(L"beep");
    }
    void OpenReport(const std::wstring& path) override {
        opened.push_back(path);
        calls.push_back(L"open " + path);
    }
    void CloseWindow() override { ++closeRequests; }

    std::wstring Status() const { return statuses.empty() ? std::wstring() : statuses.back(); }
    // Idle: the start buttons shown and usable, the stop button hidden. A control never set
    // keeps its created state (visible, enabled), except cmdStop, created hidden.
    bool Idle() const {
        auto on = [](const std::map<StepControl, bool>& m, StepControl c, bool dflt) {
            auto it = m.find(c);
            return it == m.end() ? dflt : it->second;
        };
        return on(visible, StepControl::cmdMake, true) &&
               !on(visible, StepControl::cmdStop, false) &&
               on(enabled, StepControl::lstData, true) && on(enabled, StepControl::cmdEnd, true) &&
               on(enabled, StepControl::chkUnder, true) &&
               on(enabled, StepControl::cmdCsvWake, true);
    }
    bool Running() const {
        auto is = [](const std::map<StepControl, bool>& m, StepControl c, bool want) {
            auto it = m.find(c);
            return it != m.end() && it->second == want;
        };
        return is(visible, StepControl::cmdStop, true) &&
               is(visible, StepControl::cmdMake, false) &&
               is(enabled, StepControl::lstData, false) &&
               is(enabled, StepControl::cmdEnd, false) &&
               is(enabled, StepControl::chkUnder, false) &&
               is(enabled, StepControl::cmdCsvWake, false);
    }
};

}  // namespace kinoha::test
