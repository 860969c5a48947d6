// A batch compile window that records what the logic asks of it.
#pragma once

#include <string>
#include <vector>

#include "compile/compile_view.h"

namespace kinoha::test {

class FakeCompileView : public CompileView {
  public:
    struct Message {
        std::wstring title, text;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    std::vector<std::wstring> statuses;  // every status text, in order
    std::vector<bool> runningStates;     // every SetRunning, in order
    std::vector<bool> selection;         // one flag per row
    int beeps = 0;

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        messages.push_back({title, text, icon});
    }
    void SetStatus(const std::wstring& text) override { statuses.push_back(text); }
    void SetRunning(bool running) override { runningStates.push_back(running); }
    std::vector<std::size_t> SelectedRows() override {
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < selection.size(); ++i) {
            if (selection[i]) rows.push_back(i);
        }
        return rows;
    }
    void Beep() override { ++beeps; }
};

}  // namespace kinoha::test
