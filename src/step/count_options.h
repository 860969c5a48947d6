// How the step count counts lines: given as a value by whoever starts a count (the step window
// from its settings, kinoha-step from its flags), never read from program-wide values.
#pragma once

namespace kinoha {

struct CountOptions {
    // A line ending in "_" is the start or middle of a continued statement and adds no code
    // (the last line of the statement counts).
    bool under = false;
};

}  // namespace kinoha
