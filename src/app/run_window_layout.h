// Where the controls of the two list-run windows (batch compile, step count) go when the
// window's height changes: the bottom row of buttons and the status line keep their distance
// from the bottom edge, the list takes the rest; the width never changes. Twips.
#pragma once

namespace kinoha {

// The windows' outer width, held whatever the user drags.
inline constexpr int kRunWindowWidth = 6630;
// The outer height the windows were designed at.
inline constexpr int kRunWindowDesignHeight = 4515;

struct RunWindowLayout {
    int statusTop = 0;   // lblStatus
    int buttonsTop = 0;  // the bottom row of buttons
    int listHeight = 0;  // lstData, valid only when listFits
    // A window made lower than the list can shrink keeps the list as it is; the rest still
    // moves.
    bool listFits = false;
};

// The layout for an outer height.
RunWindowLayout RunWindowLayoutForHeight(int outerHeight);

}  // namespace kinoha
