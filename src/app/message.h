// What a window logic asks of its window: modal message boxes. The logic decides the texts; the
// Win32 window shows them, a test records them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kinoha {

enum class MessageIcon { None, Information, Exclamation, Critical };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A modal message box with one OK button; returns when it is closed.
    virtual void ShowMessage(const std::wstring& title, const std::wstring& text,
                             MessageIcon icon) = 0;
};

// Message lines joined by CR LF.
inline std::wstring JoinLines(std::initializer_list<std::wstring_view> lines) {
    std::wstring text;
    bool first = true;
    for (auto line : lines) {
        if (!first) text += L"\r\n";
        text += line;
        first = false;
    }
    return text;
}

}  // namespace kinoha
