// How the step count counts lines: given as a value by whoever starts a count (the step window
// from its settings, kinoha-step from its flags), never read from program-wide values.
#pragma once

#include <cstdint>

namespace kinoha {

struct CountOptions {
    // A line ending in "_" is the start or middle of a continued statement and adds no code
    // (the last line of the statement counts).
    bool under = false;
    // A member file larger than this is not counted but reported as too large (kMaxMemberBytes
    // unless a test asks for less).
    std::uint64_t maxBytes = 0x7FFFFFFF;
    // User controls ("UserControl=", .ctl) and property pages ("PropertyPage=", .pag) are
    // members, counted like forms. Off, they are left out as the classic count leaves them.
    bool countControls = false;
    // The comment test VB itself applies: after leading blanks and tabs, "'" or the keyword
    // "Rem" in any case followed by a blank, a tab, ":" or the line end. Off, the classic test:
    // "'" or the three letters "Rem" first.
    bool vbComments = false;
};

}  // namespace kinoha
