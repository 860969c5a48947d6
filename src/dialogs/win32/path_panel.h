// The reference panel shown below the VB executable's open-file dialog: where VB is installed
// by default.
#pragma once

namespace kinoha::ui {

void ShowPathPanel();
void HidePathPanel();

}  // namespace kinoha::ui
