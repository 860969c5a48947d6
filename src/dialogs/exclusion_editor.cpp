#include "dialogs/exclusion_editor.h"

#include <algorithm>

#include "app/globals.h"
#include "app/text_helpers.h"

namespace kinoha {

bool IsBlankExclusion(std::wstring_view text) {
    return text.find_first_not_of(L' ') == std::wstring_view::npos;
}

void ExclusionEditor::Load() {
    view_.MoveTo(std::max<std::int32_t>(gLeft, 0), std::max<std::int32_t>(gTop, 0));
    entries_ = lstJyogai;
    view_.ShowEntries(entries_);
    std::vector<std::wstring> choices;
    choices.reserve(lstPrj.Count());
    for (std::size_t i = 0; i < lstPrj.Count(); ++i) choices.push_back(lstPrj[i]);
    view_.ShowChoices(choices);
    view_.EnableDelete(false);
}

void ExclusionEditor::Add() {
    const std::wstring text = view_.InputText();
    if (IsBlankExclusion(text)) {
        view_.ShowMessage(L"設定エラー", L"除外する名称を入力して下さい", MessageIcon::Exclamation);
        return;
    }
    if (HasControlCharacter(text)) {
        // A pasted line break would become a settings line of its own after the save.
        view_.ShowMessage(L"設定エラー", L"除外する名称に改行などの制御文字は使えません",
                          MessageIcon::Exclamation);
        return;
    }
    entries_.push_back(text);
    view_.AppendEntry(text);
}

void ExclusionEditor::ListClicked() {
    view_.EnableDelete(true);
}

void ExclusionEditor::Delete() {
    std::vector<std::size_t> selected = view_.SelectedEntries();
    std::sort(selected.begin(), selected.end());
    std::vector<std::wstring> kept;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!std::binary_search(selected.begin(), selected.end(), i)) kept.push_back(entries_[i]);
    }
    lstJyogai = kept;
    entries_ = std::move(kept);
    view_.ShowEntries(entries_);
    view_.EnableDelete(false);
}

void ExclusionEditor::Close() {
    view_.Hide();
    lstJyogai = entries_;
    view_.RebuildCatalogue(false);
}

}  // namespace kinoha
