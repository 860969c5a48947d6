// The exclusion list editor "表示除外プロジェクト指定画面": edits a copy of lstJyogai and puts it
// in place when the window closes. The Win32 window forwards its events here and shows what the
// editor decides through ExclusionEditorView.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/message.h"

namespace kinoha {

inline constexpr const wchar_t* kExclusionEditorCaption = L"表示除外プロジェクト指定画面";

class ExclusionEditorView : public MessageSink {
  public:
    // The list of exclusion strings (lst1), all entries unselected.
    virtual void ShowEntries(const std::vector<std::wstring>& entries) = 0;
    // One more entry at the end of lst1; the selection stays as it is.
    virtual void AppendEntry(const std::wstring& entry) = 0;
    // The ready-made texts of the drop-down list (cbo1); the text field is left empty.
    virtual void ShowChoices(const std::vector<std::wstring>& choices) = 0;
    // The text field of cbo1, as typed or picked.
    virtual std::wstring InputText() = 0;
    // Indexes of the selected entries of lst1.
    virtual std::vector<std::size_t> SelectedEntries() = 0;
    virtual void EnableDelete(bool enabled) = 0;
    // The window's top-left corner in twips.
    virtual void MoveTo(std::int32_t leftTwips, std::int32_t topTwips) = 0;
    virtual void Hide() = 0;
    // Rebuilds the catalogue and the tray menus made from it.
    virtual void RebuildCatalogue(bool research) = 0;
};

// Whether a text to add counts as empty: nothing is left once the blanks (U+0020) at both ends
// are removed. Other white space, the ideographic space U+3000 included, is kept, as an exclusion
// string may legitimately look for it in a path.
bool IsBlankExclusion(std::wstring_view text);

class ExclusionEditor {
  public:
    explicit ExclusionEditor(ExclusionEditorView& view) : view_(view) {}

    // The window opens: its position from gTop/gLeft, the list from lstJyogai, the choices
    // from lstPrj.
    void Load();
    // "追加": appends the text unchanged (blanks included, duplicates allowed), or reports an
    // empty one or one with a control character.
    void Add();
    // A click on the list enables "削除".
    void ListClicked();
    // "削除": the unselected entries become lstJyogai at once and the list is refilled from it.
    void Delete();
    // The window closes, however: the list becomes lstJyogai and the catalogue is rebuilt from
    // the last search.
    void Close();

    const std::vector<std::wstring>& Entries() const { return entries_; }

  private:
    ExclusionEditorView& view_;
    std::vector<std::wstring> entries_;  // what lst1 shows, in order
};

}  // namespace kinoha
