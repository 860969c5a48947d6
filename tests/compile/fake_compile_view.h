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
    int warnings = 0;
    std::vector<std::wstring> marks;   // per row: "" or the result's label, as last shown
    std::vector<std::wstring> opened;  // logs opened, in order

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
    void WarningSound() override { ++warnings; }
    void SetRowResult(std::size_t row, const CompileOutcome* outcome) override {
        if (marks.size() <= row) marks.resize(row + 1);
        marks[row] = outcome != nullptr ? ResultLabel(outcome->result) : L"";
    }
    void OpenLog(const std::wstring& path) override { opened.push_back(path); }
    void SetChangedOnly(bool ticked) override { changedOnly = ticked; }
    void SetDefines(const std::wstring& text) override { defines = text; }
    void SetJobs(const std::wstring& text) override { jobs = text; }
    void SetRowRunning(std::size_t row, double) override {
        if (marks.size() <= row) marks.resize(row + 1);
        marks[row] = L"実行中";
        ++runningMarks;
    }
    std::wstring jobs;         // the field "同時実行数"
    int runningMarks = 0;      // rows shown as being compiled
    bool changedOnly = false;  // the check box as last shown
    std::wstring defines;      // the field "条件付きコンパイル引数"
};

}  // namespace kinoha::test
