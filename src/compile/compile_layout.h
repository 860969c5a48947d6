// Where the batch compile window's controls go when its height changes: the buttons and the
// status line keep their distance from the bottom edge, the list takes the rest. Twips.
#pragma once

namespace kinoha {

// The window's outer width, held whatever the user drags.
inline constexpr int kCompileWindowWidth = 6630;
// The outer height minus the client height of the frame the window was designed on (4515 outer,
// 4110 client). A frame of another thickness is measured as if it were this one, so the controls
// keep their distance from the client area's bottom edge.
inline constexpr int kCompileDesignFrameHeight = 405;

struct CompileLayout {
    int statusTop;   // lblStatus
    int buttonTop;   // cmdEnd, cmdMake, cmdStop
    int listHeight;  // lstData; below 0 when the window is too low for the list (then kept)
};

// The layout for an outer height (on the designed frame).
CompileLayout LayoutForHeight(int outerHeight);

}  // namespace kinoha
